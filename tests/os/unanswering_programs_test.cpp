// The real system's queries about other programs under Wine: a window that has stopped
// answering holds none of them, and a process that grants only the right to read its image name
// still has one.
#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <string>

#include "monitor/foreground.h"
#include "os/text.h"
#include "os/win32/win32_system.h"
#include "support/hanging_window.h"

namespace {

using os::win32::ToWindowId;

// Answers after the window's thread has taken every message sent before it.
void RoundTrip(HWND window) {
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

TEST(UnansweringPrograms, AWindowThatHangsHasNoCaretAndHoldsNobody) {
  os::win32::Win32System sys;
  testing_support::HangingWindow hanging(WS_POPUP, {0, 0, 50, 50}, L"Hanging");
  ASSERT_NE(hanging.Window(), nullptr);
  ASSERT_TRUE(hanging.Hang());
  EXPECT_EQ(sys.AccessibleCaret(ToWindowId(hanging.Window())), std::nullopt);
  EXPECT_FALSE(hanging.HangRanOut()) << "the ask came back while the window still hung";
  // At once again: the window that let the ask's time pass is not asked again for a while.
  EXPECT_EQ(sys.AccessibleCaret(ToWindowId(hanging.Window())), std::nullopt);
  EXPECT_FALSE(hanging.HangRanOut());
  hanging.Release();
  RoundTrip(hanging.Window());
  EXPECT_LE(hanging.CaretAsks(), 1) << "one ask reached it, late";
}

// A process whose security grants everyone only the right to read its image name and to be ended,
// as a process of higher rights does to a program without them.
class GuardedProcess {
 public:
  GuardedProcess() {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    m_path = exe;
    std::wstring cmd = L"\"" + m_path + L"\" --gtest_list_tests";
    STARTUPINFOW si{sizeof(si)};
    // Suspended: it never runs; the handle kept here has every right.
    if (!::CreateProcessW(m_path.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                          nullptr, nullptr, &si, &m_pi)) {
      return;
    }
    EXPLICIT_ACCESSW grant{};
    grant.grfAccessPermissions = PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE;
    grant.grfAccessMode = SET_ACCESS;
    grant.grfInheritance = NO_INHERITANCE;
    grant.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    grant.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
    PACL acl = nullptr;
    if (::SetEntriesInAclW(1, &grant, nullptr, &acl) == ERROR_SUCCESS) {
      m_guarded = ::SetSecurityInfo(m_pi.hProcess, SE_KERNEL_OBJECT,
                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, acl, nullptr) == ERROR_SUCCESS;
      ::LocalFree(acl);
    }
  }
  ~GuardedProcess() {
    if (m_pi.hProcess == nullptr) return;
    ::TerminateProcess(m_pi.hProcess, 0);
    ::WaitForSingleObject(m_pi.hProcess, 5000);
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
  }
  bool Guarded() const { return m_guarded; }
  DWORD Id() const { return m_pi.dwProcessId; }

 private:
  std::wstring m_path;
  PROCESS_INFORMATION m_pi{};
  bool m_guarded = false;
};

bool Opens(DWORD rights, DWORD processId) {
  const HANDLE h = ::OpenProcess(rights, FALSE, processId);
  if (h != nullptr) ::CloseHandle(h);
  return h != nullptr;
}

TEST(UnansweringPrograms, AProcessThatGrantsOnlyItsImageNameHasAFileName) {
  GuardedProcess guarded;
  ASSERT_TRUE(guarded.Guarded());
  ASSERT_FALSE(Opens(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, guarded.Id()))
      << "the process refuses the wider rights";
  ASSERT_TRUE(Opens(PROCESS_QUERY_LIMITED_INFORMATION, guarded.Id()));
  os::win32::Win32System sys;
  const auto path = sys.ProcessImagePath(guarded.Id());
  ASSERT_TRUE(path.has_value());
  EXPECT_TRUE(os::EqualsIgnoreAsciiCase(monitor::FileNameOfPath(*path), L"test_os.exe"))
      << testing::PrintToString(*path);
}

}  // namespace
