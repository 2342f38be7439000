// Both Shift keys held with the pointer over the taskbar: the running program puts the taskbar's
// window class into its window-class exclusion list and its settings file, says so in a message
// box, and from then on keeps the mouse indicator hidden over the taskbar.
#include <gtest/gtest.h>

#include <string>

#include "desktop_input.h"
#include "os/text.h"
#include "program_run.h"

namespace {

using e2e::Eventually;
using e2e::TopLevelOf;
using e2e::Key;
using e2e::MovePointer;
using e2e::MoveUntil;
using e2e::ProgramRun;

// Nothing excluded yet, so that the mouse indicator shows over the taskbar; the main window
// below the desktop indicator. The copy acts only while the indicator is shown: no auto-hide,
// which on a busy machine could come between the last move and the chord.
constexpr char kSettings[] =
    R"({"MainWindow":{"Top":60},"DesktopIndicator":{"IsTransparent":false},
        "MouseIndicator":{"MouseIndicator_IsAutoHide":false},
        "Exclude_WindowClass":{"IsDontShowByWindowClass":true,"SL_Exclude_WindowClass":[]},
        "Exclude_AppFileName":{"IsDontShowByApplicationFilename":true,"SL_Exclude_AppFileName":[]}})";

std::wstring TextOf(HWND box) {
  // The static control of the message box that holds its text.
  std::wstring found;
  ::EnumChildWindows(
      box,
      [](HWND h, LPARAM lp) -> BOOL {
        wchar_t text[512] = {};
        ::GetWindowTextW(h, text, 512);
        if (std::wstring(text).find(L"Window Class:") != std::wstring::npos) {
          *reinterpret_cast<std::wstring*>(lp) = text;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST(ExclusionCopy, BothShiftKeysOverTheTaskbarExcludeItsWindowClass) {
  ASSERT_NE(e2e::WaitForTaskbar(), nullptr);
  ProgramRun run{true};
  ::SetCursorPos(300, 300);
  run.WriteFile("Settings/settings.json", kSettings);
  run.Start();
  HWND mainWindow = run.WaitForMainWindow();
  ASSERT_NE(mainWindow, nullptr);
  HWND mouse = nullptr;
  ASSERT_TRUE(Eventually([&] {
    mouse = TopLevelOf(run.ProcessId(), L"TfLangInfoMouse");
    return mouse != nullptr && ::IsWindowVisible(mouse);
  }));
  // Keys go to the focus window's thread: the program's own, as a user would have it.
  ::SetForegroundWindow(mainWindow);
  ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == mainWindow; }, 3000));

  RECT bar{};
  ::GetWindowRect(::FindWindowW(L"Shell_TrayWnd", nullptr), &bar);
  const POINT onBar{bar.right - 20 * 12, (bar.top + bar.bottom) / 2};
  ASSERT_TRUE(MoveUntil({190, 290}, [&] {
    RECT r{};
    ::GetWindowRect(mouse, &r);
    return r.left == 210;
  }));
  // Moved with the pointer: the hook has seen the move and written the taskbar's class.
  ASSERT_TRUE(MoveUntil(onBar, [&] {
    RECT r{};
    ::GetWindowRect(mouse, &r);
    return r.left == onBar.x + 20 && ::IsWindowVisible(mouse);
  })) << "shown over the taskbar while nothing is excluded, 20 pixels right of the pointer";

  // The moves may have taken seconds on a busy machine: the chord must still go to the
  // program's thread, whose key state the pass reads.
  ::SetForegroundWindow(mainWindow);
  ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == mainWindow; }, 3000))
      << "the program is the foreground when the chord is pressed";
  // Held as a keyboard holds them, repeating: Wine lets go of a modifier the X server does not
  // know to be down whenever the X focus moves, which may come just after the first press. The
  // pointer is put over the taskbar again each time: the change of the foreground can bring
  // Wine's hook a move at a place the pointer left long ago (seen: the main window's class
  // copied, from the move to 190,290).
  HWND box = nullptr;
  const bool boxShown = Eventually([&] {
    MovePointer(onBar.x - 1, onBar.y);
    MovePointer(onBar.x, onBar.y);
    Key(VK_LSHIFT, false);
    Key(VK_RSHIFT, false);
    box = TopLevelOf(run.ProcessId(), L"#32770");
    return box != nullptr && ::IsWindowVisible(box);
  });
  const std::string state = e2e::DesktopState(run.ProcessId());
  Key(VK_RSHIFT, true);
  Key(VK_LSHIFT, true);
  ASSERT_TRUE(boxShown) << "the copy says what it added\n" << state << "\nsettings file:\n"
                        << run.ReadFile("Settings/settings.json");
  EXPECT_NE(TextOf(box).find(L"Window Class: Shell_TrayWnd"), std::wstring::npos)
      << "the box says: " << os::WideToUtf8(TextOf(box)) << "\n" << state;
  EXPECT_EQ(::GetWindow(box, GW_OWNER), TopLevelOf(run.ProcessId(), L"TfMain"))
      << "owned by the main window, which the copy made topmost: never behind it";

  const std::string file = run.ReadFile("Settings/settings.json");
  EXPECT_NE(file.find("1;Shell_TrayWnd"), std::string::npos) << file;
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(Eventually([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000));

  // From the next move over the taskbar on, the indicator stays hidden there.
  MovePointer(400, 300);
  EXPECT_TRUE(MoveUntil({onBar.x - 10, onBar.y}, [&] { return !::IsWindowVisible(mouse); }));
  run.Kill();
}

}  // namespace
