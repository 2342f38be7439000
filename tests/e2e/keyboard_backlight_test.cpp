// The keyboard backlight in the running program, with our stand-ins for the keyboard maker's LED
// library and desktop software: the colour of the current language reaches the library, a
// refused colour unloads it once and a later attempt loads it again, and the program ends
// cleanly while an attempt waits. The library's log shows what it was asked; the program
// inherits the test's environment, which names the log and scripts the library's answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using e2e::Eventually;
using e2e::ClickAt;
using e2e::ClientPoint;
using e2e::ProgramRun;
using Lines = std::vector<std::string>;

constexpr wchar_t kClsidKey[] = L"SOFTWARE\\Classes\\CLSID\\{a6519e67-7632-4375-afdf-caa889744403}";
constexpr wchar_t kVendorTitle[] = L"Logitech\u00A0G\u00A0HUB";
constexpr wchar_t kInstalledVendorFolder[] = L"C:\\Program Files\\LGHUB";
// An attempt waits 4 + 6 s to load and 6 + 2 + 0.5 s to initialise while the vendor software
// runs; the deadlines leave room for a slow machine.
constexpr int kAttemptDeadlineMs = 90'000;

fs::path StandIn(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(std::wstring(path, n)).parent_path() / L"stand_in" / name;
}

// The country of the one keyboard layout Wine has, as the program names the language.
std::string CurrentCountry() {
  wchar_t country[16] = L"";
  ::GetLocaleInfoW(LOWORD(reinterpret_cast<UINT_PTR>(::GetKeyboardLayout(0))),
                   LOCALE_SISO3166CTRYNAME, country, 16);
  std::string ascii;
  for (const wchar_t* c = country; *c != 0; ++c) ascii.push_back(static_cast<char>(*c));
  return ascii;
}

// The backlight switched on (or off, for the user to switch on), the current language orange
// (FF8000: 100, 50, 0 per cent) and "US" blue, so that a colour taken from the wrong entry shows;
// closing the window ends the program. The window stays below the topmost desktop indicator.
std::string BacklightSettings(bool on = true) {
  const std::string country = CurrentCountry();
  std::string colours = "\"" + country + "=FF8000\"";
  if (country != "US") colours += ",\"US=0000FF\"";
  return R"({"MainWindow":{"Left":60,"Top":80,"MinimizedOnStart":false,"MinimizedOnClose":false},)"
         R"("RGB_Lighting":{"IsChangeRGB_KeyboardLogitech":)" + std::string(on ? "true" : "false") +
         R"(,"SL_Lang_RGB_Color":[)" + colours + "]}}";
}

// The user picks the RGB Keyboard Lighting page (the ninth navigation item, 30 pixels each below
// the 55-pixel top panel) and clicks its switch (8, 14 on the page, right of the 210-pixel tree).
// A click Wine drops while the window settles brings no save; the pair is then tried again.
bool SwitchTheBacklightOnThroughThePage(const ProgramRun& run, HWND main) {
  const auto saved = [&] {
    return run.ReadFile("Settings/settings.json").find("\"IsChangeRGB_KeyboardLogitech\": true") !=
           std::string::npos;
  };
  for (int attempt = 0; attempt < 3; ++attempt) {
    ClickAt(ClientPoint(main, 100, 55 + 30 * 8 + 15));
    ClickAt(ClientPoint(main, 210 + 8 + 20, 55 + 14 + 9));
    if (Eventually(saved, 3000)) return true;
  }
  return false;
}
const std::string kOrange = "LogiLedSetLighting 100 50 0";

// An environment variable of this process, and so of the program it starts, for one test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const wchar_t* name, const std::wstring& value) : m_name(name) {
    ::SetEnvironmentVariableW(name, value.c_str());
  }
  ~ScopedEnvironment() { ::SetEnvironmentVariableW(m_name, nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const wchar_t* m_name;
};

// The stand-in library's log of its loads, unloads and calls.
class LibraryLog {
 public:
  LibraryLog()
      : m_path(fs::temp_directory_path() /
               ("halvarin_e2e_led_" + std::to_string(::GetCurrentProcessId()) + ".log")),
        m_environment(L"HALVARIN_LED_LOG", m_path.wstring()) {
    fs::remove(m_path);
  }
  ~LibraryLog() {
    std::error_code ignored;
    fs::remove(m_path, ignored);
  }
  Lines Read() const {
    std::ifstream in(m_path);
    Lines lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  std::size_t Count(const std::string& line) const {
    const Lines lines = Read();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
  }

 private:
  fs::path m_path;
  ScopedEnvironment m_environment;
};

// The library's path in the machine's registry, where the program looks first; removed again.
class RegisteredLibrary {
 public:
  explicit RegisteredLibrary(const fs::path& library) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kClsidKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, &disposition) != ERROR_SUCCESS) {
      return;
    }
    m_createdKey = disposition == REG_CREATED_NEW_KEY;
    const std::wstring value = library.wstring();
    m_set = ::RegSetKeyValueW(key, L"ServerBinary", nullptr, REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
            ERROR_SUCCESS;
    ::RegCloseKey(key);
  }
  ~RegisteredLibrary() {
    if (m_createdKey) {
      ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClsidKey);
    } else {
      ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, (std::wstring(kClsidKey) + L"\\ServerBinary").c_str(),
                           nullptr);
    }
  }
  RegisteredLibrary(const RegisteredLibrary&) = delete;
  RegisteredLibrary& operator=(const RegisteredLibrary&) = delete;
  bool Set() const { return m_set; }

 private:
  bool m_createdKey = false;
  bool m_set = false;
};

// Ends the vendor stand-in that shows the vendor's window, whoever started it.
void EndVendorSoftware() {
  while (const HWND window = ::FindWindowW(nullptr, kVendorTitle)) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    const HANDLE vendor = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (vendor == nullptr) return;
    ::TerminateProcess(vendor, 0);
    ::WaitForSingleObject(vendor, 10'000);
    ::CloseHandle(vendor);
  }
}

// The vendor stand-in, running for one test.
class RunningVendorSoftware {
 public:
  RunningVendorSoftware() {
    const std::wstring exe = StandIn(L"lghub.exe").wstring();
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                         &pi)) {
      ::CloseHandle(pi.hThread);
      ::CloseHandle(pi.hProcess);
    }
  }
  ~RunningVendorSoftware() { EndVendorSoftware(); }
  RunningVendorSoftware(const RunningVendorSoftware&) = delete;
  RunningVendorSoftware& operator=(const RunningVendorSoftware&) = delete;
};

// The vendor stand-in installed where the program starts the vendor software from, not running.
class InstalledVendorSoftware {
 public:
  InstalledVendorSoftware() {
    m_madeFolder = ::CreateDirectoryW(kInstalledVendorFolder, nullptr) != 0;
    m_installed = ::CopyFileW(StandIn(L"lghub.exe").c_str(), File().c_str(), TRUE) != 0;
  }
  ~InstalledVendorSoftware() {
    EndVendorSoftware();
    if (m_installed) ::DeleteFileW(File().c_str());
    if (m_madeFolder) ::RemoveDirectoryW(kInstalledVendorFolder);
  }
  InstalledVendorSoftware(const InstalledVendorSoftware&) = delete;
  InstalledVendorSoftware& operator=(const InstalledVendorSoftware&) = delete;
  bool Installed() const { return m_installed; }

 private:
  static std::wstring File() { return std::wstring(kInstalledVendorFolder) + L"\\lghub.exe"; }
  bool m_madeFolder = false;
  bool m_installed = false;
};

bool VendorWindowExists() { return ::FindWindowW(nullptr, kVendorTitle) != nullptr; }

TEST(KeyboardBacklight, SwitchedOnInThePageTheLanguageColourArrivesAndARefusalUnloadsOnce) {
  ASSERT_EQ(::FindWindowW(nullptr, kVendorTitle), nullptr) << "a vendor stand-in left running";
  LibraryLog log;
  // The keyboard takes three colours after each load and refuses the fourth.
  ScopedEnvironment refusal(L"HALVARIN_LED_FAIL_LIGHTING_FROM", L"4");
  RunningVendorSoftware vendor;
  ASSERT_TRUE(Eventually(VendorWindowExists));
  RegisteredLibrary registered(StandIn(L"HalvarinLedStandIn.dll"));
  ASSERT_TRUE(registered.Set());

  ProgramRun run(true);
  run.WriteFile("Settings/settings.json", BacklightSettings(false));
  run.Start();
  const HWND main = run.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ::SetForegroundWindow(main);
  ::Sleep(2500);  // more than the 2 s after the start: nothing may be loaded while it is off
  EXPECT_TRUE(log.Read().empty()) << "the library is left alone while the switch is off";
  ASSERT_TRUE(SwitchTheBacklightOnThroughThePage(run, main));

  // Loaded a second time, and the colour arrives again.
  ASSERT_TRUE(Eventually(
      [&] {
        const Lines lines = log.Read();
        const auto second = std::find(lines.begin(), lines.end(), "unload");
        return std::find(second, lines.end(), kOrange) != lines.end();
      },
      2 * kAttemptDeadlineMs))
      << "log lines: " << log.Read().size();
  const Lines lines = log.Read();
  ASSERT_GE(lines.size(), 15u);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 15),
            (Lines{"load", "LogiLedInitWithName Halvarin for Logitech LED", "LogiLedGetSdkVersion",
                   "LogiLedSetTargetDevice 7", kOrange, kOrange, kOrange, kOrange,
                   "LogiLedShutdown", "unload",
                   "load", "LogiLedInitWithName Halvarin for Logitech LED", "LogiLedGetSdkVersion",
                   "LogiLedSetTargetDevice 7", kOrange}));
  // Asked to close after each initialisation; the stand-in only hides it, as the vendor's does.
  EXPECT_TRUE(Eventually([] { return !::IsWindowVisible(::FindWindowW(nullptr, kVendorTitle)); }));

  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(20'000), 0);
  // Every load ended in an unload: a process killed at its end would not have noted it.
  EXPECT_EQ(log.Count("load"), log.Count("unload"));
}

TEST(KeyboardBacklight, TheProgramEndsCleanlyWhileAnAttemptWaitsForTheVendorSoftware) {
  ASSERT_EQ(::FindWindowW(nullptr, kVendorTitle), nullptr) << "a vendor stand-in left running";
  LibraryLog log;
  // Not running, only installed: the third attempt starts it and then waits 8 s for it.
  InstalledVendorSoftware installed;
  ASSERT_TRUE(installed.Installed());

  ProgramRun run(true);
  run.WriteFile("Settings/settings.json", BacklightSettings());
  fs::copy_file(StandIn(L"HalvarinLedStandIn.dll"), run.Folder() / "sdk_legacy_led_x64.dll");
  run.Start();
  const HWND main = run.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ::SetForegroundWindow(main);

  ASSERT_TRUE(Eventually(VendorWindowExists, kAttemptDeadlineMs)) << "never started";
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(20'000), 0);
  EXPECT_TRUE(log.Read().empty()) << "the library is loaded only once the vendor software runs";
}

}  // namespace
