// The running program beside other programs that misbehave: a foreground application that stops
// answering holds none of the indicators, and the mouse indicator goes on following the pointer
// after another program that held a low-level mouse hook has been killed.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "program_run.h"
#include "screen_pixels.h"
#include "support/hanging_window.h"

// After windows.h, which the headers above bring in.
#include <tlhelp32.h>

namespace {

using e2e::Eventually;
using e2e::MoveUntil;
using e2e::Press;
using e2e::ProgramRun;
using e2e::ScreenPixel;
using e2e::ScreenPixels;
using e2e::TopLevelOf;

constexpr char kSettings[] =
    R"({"MainWindow":{"Top":60},"DesktopIndicator":{"IsTransparent":false,"IsShowTime":true}})";

class MisbehavingNeighbours : public ::testing::Test {
 protected:
  void Start() {
    ::SetCursorPos(300, 300);
    run.WriteFile("Settings/settings.json", kSettings);
    run.Start();
    ASSERT_NE(run.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(Eventually([&] {
      desktop = TopLevelOf(run.ProcessId(), L"TfLangInfo");
      mouse = TopLevelOf(run.ProcessId(), L"TfLangInfoMouse");
      return desktop != nullptr && mouse != nullptr && ::IsWindowVisible(desktop) &&
             ::IsWindowVisible(mouse);
    })) << "the indicators are up and the start-up timer has run";
    ::GetWindowRect(desktop, &desktopRect);
  }
  void TearDown() override {
    for (WORD key : pressedLocks) Press(key);
  }

  // The desktop indicator's clock panel: right of the language label (85 + 58 + 4, inside the
  // 2-pixel frame), 80 wide.
  RECT Clock() const {
    return {desktopRect.left + 147, desktopRect.top + 2, desktopRect.left + 147 + 80,
            desktopRect.bottom - 2};
  }
  // Whether the clock shows `count` different faces within the deadline: a clock that stands
  // still shows one, a clock that stops soon after the first look at most two.
  bool ClockShowsFaces(std::size_t count, int timeoutMs) {
    std::set<std::vector<COLORREF>> faces;
    return Eventually([&] {
      faces.insert(ScreenPixels(Clock()));
      return faces.size() >= count;
    }, timeoutMs);
  }
  // Whether the desktop indicator's Caps Lock lamp shows Caps Lock on (green) or off (grey).
  bool CapsLampShows(bool on) const {
    const COLORREF lamp =
        ScreenPixel({desktopRect.left + 2 + 6 + 10, desktopRect.top + 2 + 17 + 2});
    return lamp == (on ? RGB(0, 255, 0) : RGB(128, 128, 128));
  }

  ProgramRun run{true};
  HWND desktop = nullptr;
  HWND mouse = nullptr;
  RECT desktopRect{};
  std::vector<WORD> pressedLocks;
};

TEST_F(MisbehavingNeighbours, AForegroundApplicationThatStopsAnsweringHoldsNoIndicator) {
  Start();
  // An application window that takes the foreground and the focus.
  testing_support::HangingWindow app(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 400, 420, 600},
                                     L"Hung application");
  ASSERT_NE(app.Window(), nullptr);
  ASSERT_TRUE(Eventually([&] {
    ::SetForegroundWindow(app.Window());
    return ::GetForegroundWindow() == app.Window();
  }, 5000));
  ASSERT_TRUE(ClockShowsFaces(2, 5000)) << "the clock ticks before the hang";
  ASSERT_TRUE(app.Hang());

  EXPECT_TRUE(ClockShowsFaces(3, 10000)) << "the clock goes on ticking";
  const bool wasOn = (::GetKeyState(VK_CAPITAL) & 1) != 0;
  Press(VK_CAPITAL);
  pressedLocks.push_back(VK_CAPITAL);
  EXPECT_TRUE(Eventually([&] {
    return CapsLampShows(!wasOn);
  })) << "the lamp follows Caps Lock";
  EXPECT_TRUE(app.StillHangs()) << "all of it seen while the application hung";
}

// The taskbar's process stopped: every thread of it suspended until the object goes.
class StoppedTaskbar {
 public:
  StoppedTaskbar() {
    DWORD process = 0;
    ::GetWindowThreadProcessId(::FindWindowW(L"Shell_TrayWnd", nullptr), &process);
    if (process == 0) return;
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    THREADENTRY32 entry{sizeof(entry)};
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
      if (entry.th32OwnerProcessID != process) continue;
      const HANDLE thread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
      if (thread == nullptr) continue;
      if (::SuspendThread(thread) != static_cast<DWORD>(-1)) {
        m_threads.push_back(thread);
      } else {
        ::CloseHandle(thread);
      }
    }
    ::CloseHandle(snapshot);
  }
  ~StoppedTaskbar() {
    for (HANDLE thread : m_threads) {
      ::ResumeThread(thread);
      ::CloseHandle(thread);
    }
  }
  StoppedTaskbar(const StoppedTaskbar&) = delete;
  StoppedTaskbar& operator=(const StoppedTaskbar&) = delete;
  bool Stopped() const { return !m_threads.empty(); }

 private:
  std::vector<HANDLE> m_threads;
};

TEST_F(MisbehavingNeighbours, ATaskbarThatStopsAnsweringHoldsNoIndicator) {
  Start();
  ASSERT_TRUE(ClockShowsFaces(2, 5000)) << "the clock ticks before the taskbar stops";
  const bool wasOn = (::GetKeyState(VK_CAPITAL) & 1) != 0;
  {
    StoppedTaskbar stopped;
    ASSERT_TRUE(stopped.Stopped());
    // Caps Lock changes the notification icon, a call the stopped taskbar does not answer.
    Press(VK_CAPITAL);
    pressedLocks.push_back(VK_CAPITAL);
    EXPECT_TRUE(Eventually([&] {
      return CapsLampShows(!wasOn);
    })) << "the lamp follows Caps Lock";
    EXPECT_TRUE(ClockShowsFaces(3, 10000)) << "the clock goes on ticking";
    Press(VK_CAPITAL);
    pressedLocks.clear();
    EXPECT_TRUE(Eventually([&] {
      return CapsLampShows(wasOn);
    })) << "and follows it back";
  }
}

std::filesystem::path OwnFolder() {
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

// Another program with a low-level mouse hook of its own; killed when the test ends at the latest.
class HookHolder {
 public:
  HookHolder() {
    const std::wstring eventName = L"HalvarinHookHolderReady" + std::to_wstring(::GetCurrentProcessId());
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    const std::wstring exe = (OwnFolder() / L"HalvarinMouseHookHolder.exe").wstring();
    std::wstring cmd = L"\"" + exe + L"\" " + eventName;
    STARTUPINFOW si{sizeof(si)};
    if (::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &si, &m_pi)) {
      HANDLE both[] = {ready, m_pi.hProcess};
      m_ready = ::WaitForMultipleObjects(2, both, FALSE, 15000) == WAIT_OBJECT_0;
    }
    ::CloseHandle(ready);
  }
  ~HookHolder() {
    Kill();
    if (m_pi.hProcess != nullptr) {
      ::CloseHandle(m_pi.hThread);
      ::CloseHandle(m_pi.hProcess);
    }
  }
  bool Ready() const { return m_ready; }
  bool Kill() {
    if (m_pi.hProcess == nullptr) return false;
    ::TerminateProcess(m_pi.hProcess, 9);
    return ::WaitForSingleObject(m_pi.hProcess, 10000) == WAIT_OBJECT_0;
  }

 private:
  PROCESS_INFORMATION m_pi{};
  bool m_ready = false;
};

TEST_F(MisbehavingNeighbours, TheMouseIndicatorFollowsThePointerAfterAnotherHookHolderIsKilled) {
  HookHolder holder;
  ASSERT_TRUE(holder.Ready()) << "the other program's hook is in before the program starts";
  Start();
  auto beside = [&](POINT at) {
    return [this, at] {
      RECT r{};
      ::GetWindowRect(mouse, &r);
      return r.left == at.x + 20 && r.bottom == at.y - 10;
    };
  };
  e2e::MovePointer(190, 290);  // the first move sizes the indicator's rows
  ASSERT_TRUE(MoveUntil({200, 300}, beside({200, 300}))) << "the hook works at first";
  ASSERT_TRUE(holder.Kill());
  // The first moves after the kill may find no hook; more than a second later the program has
  // noticed, and the pointer is followed again.
  EXPECT_TRUE(MoveUntil({420, 500}, beside({420, 500})));
  EXPECT_TRUE(MoveUntil({380, 260}, beside({380, 260}))) << "and goes on being followed";
}

}  // namespace
