// The real system's queries about other programs under Wine: a window that has stopped
// answering holds none of them, and a process that grants only the right to read its image name
// still has one.
#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <atomic>
#include <string>
#include <thread>

#include "monitor/foreground.h"
#include "os/text.h"
#include "os/win32/win32_system.h"

namespace {

using os::win32::ToWindowId;

constexpr wchar_t kHangingClass[] = L"HalvarinHangingWindow";
constexpr UINT kHang = WM_APP + 1;

// A window on a thread of its own that stops answering when told to, until released or, at the
// latest, after 20 s. It counts the caret-object asks that reach it.
class HangingWindow {
 public:
  HangingWindow() {
    m_thread = std::thread([this] { Run(); });
    ::WaitForSingleObject(m_created, 10000);
  }
  ~HangingWindow() {
    Release();
    if (m_window != nullptr) ::PostMessageW(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
    ::CloseHandle(m_created);
    ::CloseHandle(m_hanging);
    ::CloseHandle(m_released);
  }
  HWND Window() const { return m_window; }
  // Returns once the window's thread has stopped answering.
  bool Hang() {
    ::PostMessageW(m_window, kHang, 0, 0);
    return ::WaitForSingleObject(m_hanging, 10000) == WAIT_OBJECT_0;
  }
  void Release() { ::SetEvent(m_released); }
  // Whether the hang ran out by itself rather than being released.
  bool HangRanOut() const { return m_ranOut; }
  int CaretAsks() const { return m_caretAsks; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<HangingWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
      self = static_cast<HangingWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self != nullptr) {
      if (msg == kHang) {
        ::SetEvent(self->m_hanging);
        self->m_ranOut = ::WaitForSingleObject(self->m_released, 20000) == WAIT_TIMEOUT;
        return 0;
      }
      if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == OBJID_CARET) ++self->m_caretAsks;
      if (msg == WM_DESTROY) ::PostQuitMessage(0);
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }

  void Run() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kHangingClass;
    ::RegisterClassW(&wc);  // fails harmlessly when a former test registered it
    m_window = ::CreateWindowExW(0, kHangingClass, L"Hanging", WS_POPUP, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, this);
    ::SetEvent(m_created);
    MSG msg;
    while (m_window != nullptr && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::DispatchMessageW(&msg);
    }
  }

  HANDLE m_created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_hanging = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_released = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> m_window{nullptr};
  std::atomic<bool> m_ranOut{false};
  std::atomic<int> m_caretAsks{0};
  std::thread m_thread;
};

// Answers after the window's thread has taken every message sent before it.
void RoundTrip(HWND window) {
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

TEST(UnansweringPrograms, AWindowThatHangsHasNoCaretAndHoldsNobody) {
  os::win32::Win32System sys;
  HangingWindow hanging;
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
