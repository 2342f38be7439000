// The keyboard backlight against our stand-ins for the vendor's library and software, under
// Wine with the real loader, registry, process list, thread pool and synchronous UI calls. Only
// the task's long waits are cut short; the colours are read back from the library's log.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "backlight/init_led_sdk_task.h"
#include "backlight/keyboard_step.h"
#include "backlight/led_state.h"
#include "backlight/logitech_led_lib.h"
#include "backlight/status_label.h"
#include "core/common.h"
#include "core/json.h"
#include "os/text.h"
#include "os/win32/win32_shell.h"
#include "os/win32/win32_system.h"
#include "ui/application.h"

namespace {

using Lines = std::vector<std::string>;

constexpr wchar_t kClsidKey[] = L"SOFTWARE\\Classes\\CLSID\\{a6519e67-7632-4375-afdf-caa889744403}";
constexpr wchar_t kVendorTitle[] = L"Logitech\u00A0G\u00A0HUB";

// The real system with the start-up task's waits cut short: a wait returns at once, except the
// one the test holds the task in (until it is cancelled) and the exit's wait for the task.
class QuickWaitSystem : public os::win32::Win32System {
 public:
  std::atomic<unsigned> HoldAt{0};
  std::atomic<bool> Holding{false};
  bool WaitForSignal(os::Signal& signal, unsigned milliseconds) override {
    if (&signal == &backlight::LedSdkTaskEnded()) return signal.WaitFor(milliseconds);
    if (milliseconds == HoldAt) {
      Holding = true;
      return signal.WaitFor(60'000);
    }
    return signal.IsSet();
  }
};

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::wstring StandInFolder() { return ProgramFolder() + L"stand_in\\"; }

template <class Done>
bool PumpUntil(Done done, int seconds = 30) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    ui::App().ProcessMessages();
    ::Sleep(5);
  }
  return true;
}

class BacklightWineTest : public ::testing::Test {
 protected:
  BacklightWineTest() {
    os::SetSystem(&m_system);
    os::SetShell(&m_shell);
    ui::App().UtilityWindow();
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    m_log =
        std::wstring(temp) + L"halvarin_led_" + std::to_wstring(::GetCurrentProcessId()) + L".log";
    ::DeleteFileW(m_log.c_str());
    ::SetEnvironmentVariableW(L"HALVARIN_LED_LOG", m_log.c_str());
    ::SetEnvironmentVariableW(L"HALVARIN_LED_FAIL_LIGHTING_FROM", nullptr);

    wchar_t country[16] = L"";
    ::GetLocaleInfoW(LOWORD(reinterpret_cast<UINT_PTR>(::GetKeyboardLayout(0))),
                     LOCALE_SISO3166CTRYNAME, country, 16);
    m_country = country;
    core::Settings = std::make_unique<core::TSettings>();
    core::Settings->IsChangeRGB_KeyboardLogitech = true;
    core::Settings->SL_Lang_RGB_Color = {m_country + L"=FF8000"};
    if (m_country != L"US") core::Settings->SL_Lang_RGB_Color.push_back(L"US=0000FF");
    core::LangTable = std::make_unique<core::Json>(core::ParseJsonText(
        R"({"Items":{"253":"Logitech SDK not found","254":"Logitech SDK Initialization failed",)"
        R"("255":"Logitech SDK version"}})"));
    core::PerfFrequency = m_system.PerformanceFrequency();
    // Created three seconds ago: the first pass may start an attempt.
    backlight::ResetLedState(m_system.PerformanceCounter() - 3 * core::PerfFrequency);
    backlight::SetStatusSink([this](const std::wstring& text) { m_status.push_back(text); });
  }
  ~BacklightWineTest() override {
    backlight::Shutdown();
    backlight::ResetLedState(0);
    backlight::SetStatusSink(nullptr);
    if (m_vendor.hProcess != nullptr) {
      ::TerminateProcess(m_vendor.hProcess, 0);
      ::WaitForSingleObject(m_vendor.hProcess, 10'000);
      ::CloseHandle(m_vendor.hProcess);
      ::CloseHandle(m_vendor.hThread);
    }
    if (m_createdClsidKey) ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClsidKey);
    if (!m_copiedLibrary.empty()) ::DeleteFileW(m_copiedLibrary.c_str());
    ::DeleteFileW(m_log.c_str());
    core::Settings.reset();
    core::LangTable.reset();
    core::PerfFrequency = 0;
    os::SetShell(nullptr);
    os::SetSystem(nullptr);
  }

  void StartVendor() {
    const std::wstring exe = StandInFolder() + L"lghub.exe";
    // Wine's CreateProcess waits for the new process to come up and fails when it ended during
    // its start, which a loaded machine now and then brings about (no resource, a slow loader):
    // a start that failed so is made once more, and the error of each is told.
    DWORD errors[2] = {};
    bool started = false;
    for (DWORD& error : errors) {
      STARTUPINFOW si{sizeof(si)};
      started = ::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &si, &m_vendor) != 0;
      if (started) break;
      error = ::GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) break;
    }
    ASSERT_TRUE(started) << "CreateProcessW of the stand-in failed with " << errors[0] << ", then "
                         << errors[1];
    ASSERT_TRUE(PumpUntil([] { return ::FindWindowW(nullptr, kVendorTitle) != nullptr; }));
  }
  // The library's path in the machine's registry, as an expandable string.
  void RegisterLibrary(const std::wstring& fileName) {
    ::SetEnvironmentVariableW(L"HALVARIN_STAND_IN", StandInFolder().c_str());
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kClsidKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, &disposition),
              ERROR_SUCCESS);
    m_createdClsidKey = m_createdClsidKey || disposition == REG_CREATED_NEW_KEY;
    const std::wstring value = L"%HALVARIN_STAND_IN%" + fileName;
    const LSTATUS set =
        ::RegSetKeyValueW(key, L"ServerBinary", nullptr, REG_EXPAND_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    ASSERT_EQ(set, ERROR_SUCCESS);
    // Read back as the binding reads it: expanded.
    ASSERT_EQ(m_system.LocalMachineString(std::wstring(kClsidKey) + L"\\ServerBinary\\", L""),
              StandInFolder() + fileName);
  }
  // The library under the fallback name beside the program.
  void CopyLibraryBesideProgram() {
    m_copiedLibrary = ProgramFolder() + L"sdk_legacy_led_x64.dll";
    ASSERT_TRUE(::CopyFileW((StandInFolder() + L"HalvarinLedStandIn.dll").c_str(),
                            m_copiedLibrary.c_str(), FALSE));
  }

  Lines Log() const {
    std::ifstream in(m_log.c_str());
    Lines lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  std::size_t Count(const std::string& line) const {
    const Lines log = Log();
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), line));
  }
  void Pass() { backlight::KeyboardStep(m_country, m_system.PerformanceCounter()); }
  // Runs the pass on the UI thread, about every 50 ms as the idle handler would, until `done`.
  template <class Done>
  bool PassUntil(Done done) {
    return PumpUntil([&] {
      Pass();
      return done();
    });
  }

  QuickWaitSystem m_system;
  os::win32::Win32Shell m_shell;
  std::wstring m_country;
  std::wstring m_log;
  std::vector<std::wstring> m_status;
  PROCESS_INFORMATION m_vendor{};
  bool m_createdClsidKey = false;
  std::wstring m_copiedLibrary;
};

TEST_F(BacklightWineTest, TheColourOfTheLanguageArrivesAndARefusalLeadsToOneUnloadAndARecovery) {
  StartVendor();
  RegisterLibrary(L"HalvarinLedStandIn.dll");
  const std::string colour = "LogiLedSetLighting 100 50 0";
  ASSERT_TRUE(PassUntil([&] { return Count(colour) >= 2; }))
      << "library: " << os::WideToUtf8(backlight::LedLib().LogiLedLibPath());
  const Lines first = Log();
  ASSERT_GE(first.size(), 5u);
  EXPECT_EQ(Lines(first.begin(), first.begin() + 5),
            (Lines{"load", "LogiLedInitWithName Halvarin for Logitech LED", "LogiLedGetSdkVersion",
                   "LogiLedSetTargetDevice 7", colour}));
  EXPECT_EQ(m_status, (std::vector<std::wstring>{L"Logitech SDK not found",
                                                 L"Logitech SDK version: 9.0.12"}));
  // Asked to close; the vendor's process hides it when it gets to the message.
  EXPECT_TRUE(PumpUntil([] {
    const HWND vendorWindow = ::FindWindowW(nullptr, kVendorTitle);
    return vendorWindow == nullptr || !::IsWindowVisible(vendorWindow);
  }));

  ::SetEnvironmentVariableW(L"HALVARIN_LED_FAIL_LIGHTING_FROM", L"1");
  ASSERT_TRUE(PassUntil([] { return !backlight::IsLedSdkLoaded; }));
  ::SetEnvironmentVariableW(L"HALVARIN_LED_FAIL_LIGHTING_FROM", nullptr);
  EXPECT_EQ(Count("LogiLedShutdown"), 1u);
  EXPECT_EQ(Count("unload"), 1u);
  EXPECT_EQ(Log().back(), "unload");

  const std::size_t before = Log().size();
  ASSERT_TRUE(PassUntil([&] {
    const Lines log = Log();
    return std::find(log.begin() + static_cast<std::ptrdiff_t>(before), log.end(), colour) !=
           log.end();
  }));
  const Lines log = Log();
  EXPECT_EQ(log[before], "load");
  EXPECT_EQ(Count("unload"), 1u);
  EXPECT_EQ(Count("LogiLedShutdown"), 1u);
}

TEST_F(BacklightWineTest, TheFallbackNameIsFoundBesideTheProgram) {
  StartVendor();
  CopyLibraryBesideProgram();
  ASSERT_TRUE(PassUntil([] { return backlight::IsLedSdkInitialized.load(); }));
  EXPECT_EQ(Log().front(), "load");
}

TEST_F(BacklightWineTest, TheFallbackNameIsNeverLoadedFromTheCurrentFolder) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"halvarin_led_cwd_" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring planted = folder + L"\\sdk_legacy_led_x64.dll";
  ASSERT_TRUE(
      ::CopyFileW((StandInFolder() + L"HalvarinLedStandIn.dll").c_str(), planted.c_str(), FALSE));
  wchar_t previous[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, previous);
  ::SetCurrentDirectoryW(folder.c_str());
  backlight::LogitechLedLib& lib = backlight::LedLib();
  const auto loaded = lib.LoadLogiLedLib(lib.CurrentEpoch());
  ::SetCurrentDirectoryW(previous);
  lib.UnloadLogiLedLib();
  ::DeleteFileW(planted.c_str());
  ::RemoveDirectoryW(folder.c_str());
  EXPECT_EQ(loaded, false);
  EXPECT_TRUE(Log().empty());
}

TEST_F(BacklightWineTest, TheProgramExitsCleanlyWhileAnAttemptWaits) {
  StartVendor();
  CopyLibraryBesideProgram();
  m_system.HoldAt = 6000;  // loaded, waiting for the vendor software to settle
  ASSERT_TRUE(PassUntil([&] { return m_system.Holding.load(); }));
  EXPECT_EQ(Log(), Lines{"load"});
  backlight::Shutdown();
  EXPECT_FALSE(backlight::IsLedSdkInitRunning);
  // Not initialised; shut down and unloaded once the attempt has ended.
  EXPECT_EQ(Log(), (Lines{"load", "LogiLedShutdown", "unload"}));
}

TEST_F(BacklightWineTest, ALibraryWithoutAnEntryPointIsUnloadedAndTheNextAttemptLoadsAnother) {
  StartVendor();
  RegisterLibrary(L"HalvarinLedStandInMissingEntry.dll");
  ASSERT_TRUE(PassUntil([&] { return Count("unload") == 1; }));
  EXPECT_EQ(Log(), (Lines{"load", "unload"}));
  RegisterLibrary(L"HalvarinLedStandIn.dll");
  ASSERT_TRUE(PassUntil([] { return backlight::IsLedSdkInitialized.load(); }));
}

TEST_F(BacklightWineTest, TheThirdAttemptStartsTheInstalledVendorSoftwareAndALaterOneLoads) {
  wchar_t programFiles[MAX_PATH];
  ASSERT_GT(::ExpandEnvironmentStringsW(L"%ProgramW6432%", programFiles, MAX_PATH), 0u);
  const std::wstring folder = std::wstring(programFiles) + L"\\LGHUB";
  const std::wstring installed = folder + L"\\lghub.exe";
  ASSERT_EQ(installed, L"C:\\Program Files\\LGHUB\\lghub.exe");
  // Installed for this test only; the program starts it, the test ends it, also on a failure.
  struct Installation {
    std::wstring Folder, File;
    bool MadeFolder = false;
    ~Installation() {
      if (HWND window = ::FindWindowW(nullptr, kVendorTitle)) {
        DWORD id = 0;
        ::GetWindowThreadProcessId(window, &id);
        if (HANDLE vendor = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
          ::TerminateProcess(vendor, 0);
          ::WaitForSingleObject(vendor, 10'000);
          ::CloseHandle(vendor);
        }
      }
      ::DeleteFileW(File.c_str());
      if (MadeFolder) ::RemoveDirectoryW(Folder.c_str());
    }
  } installation{folder, installed};
  installation.MadeFolder = ::CreateDirectoryW(folder.c_str(), nullptr) != 0;
  ASSERT_TRUE(::CopyFileW((StandInFolder() + L"lghub.exe").c_str(), installed.c_str(), TRUE));
  CopyLibraryBesideProgram();

  ASSERT_TRUE(PassUntil([] { return core::LGHubStarted.load(); }));
  EXPECT_EQ(core::LGHubCheckCount, 3);
  EXPECT_TRUE(PumpUntil([] { return ::FindWindowW(nullptr, kVendorTitle) != nullptr; }));
  ASSERT_TRUE(PassUntil([] { return backlight::IsLedSdkInitialized.load(); }));
  EXPECT_EQ(Log().front(), "load");
}

}  // namespace
