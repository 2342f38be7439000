// The settings window as a user works it: real clicks through the system's input queue.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "desktop_input.h"
#include "program_run.h"

namespace {

using e2e::Eventually;
using e2e::ClickAt;
using e2e::ClientPoint;
using e2e::ProgramRun;

constexpr int kSlot = 20;  // the width of one icon in the desktop's notification area

int TrayIconCount() {
  HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  RECT r{};
  ::GetWindowRect(taskbar, &r);
  HDC screen = ::GetDC(nullptr);
  const COLORREF background = ::GetPixel(screen, r.right - kSlot * 12, r.top + 3);
  int occupied = 0;
  for (int slot = 0; slot < 6; ++slot) {
    bool drawn = false;
    for (int x = r.right - kSlot * slot - kSlot + 2; x < r.right - kSlot * slot - 2 && !drawn; ++x) {
      for (int y = r.top + 2; y < r.bottom - 2 && !drawn; ++y) {
        drawn = ::GetPixel(screen, x, y) != background;
      }
    }
    if (drawn) ++occupied;
  }
  ::ReleaseDC(nullptr, screen);
  return occupied;
}

// The texts of a message box the program shows, if it shows one (an error it met).
std::wstring MessageOf(DWORD pid) {
  HWND box = e2e::TopLevelOf(pid, L"#32770");
  std::wstring text;
  if (box == nullptr) return L"no message box";
  ::EnumChildWindows(
      box,
      [](HWND h, LPARAM lp) -> BOOL {
        wchar_t t[512] = {};
        ::GetWindowTextW(h, t, 512);
        *reinterpret_cast<std::wstring*>(lp) += std::wstring(t) + L" | ";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return L"a message box: " + text;
}

POINT TraySlotCentre(int slot) {
  RECT r{};
  ::GetWindowRect(::FindWindowW(L"Shell_TrayWnd", nullptr), &r);
  return POINT{r.right - kSlot * slot - kSlot / 2, (r.top + r.bottom) / 2};
}

TEST(EndToEnd, AClickOnAPageIsSavedAtOnceAndTheCloseButtonHidesToTheTray) {
  ProgramRun run(true);
  // The window below the desktop indicator, which stays topmost over the caption's buttons.
  run.WriteFile("Settings/settings.json", R"({"MainWindow":{"Left":60,"Top":80}})");
  run.Start();
  HWND main = run.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const auto file = run.Folder() / "Settings" / "settings.json";
  // Its three icons: Caps Lock and Num Lock from creation, the flag from the start-up timer.
  ASSERT_TRUE(Eventually([&] { return TrayIconCount() >= 3; }, 5000));
  ::SetForegroundWindow(main);
  Eventually([&] { return ::GetForegroundWindow() == main; }, 3000);

  // The second navigation item (30 pixels per item below the 55-pixel top panel), then the
  // "Show Time" switch at 213, 14 of the Desktop Indicator page, right of the 210-pixel tree.
  // A click that Wine drops while the window is still settling brings no page and no save; the
  // pair is then tried once more.
  const auto saved = [&] {
    return std::filesystem::exists(file) &&
           run.ReadFile("Settings/settings.json").find("\"IsShowTime\": false") !=
               std::string::npos;
  };
  bool done = false;
  for (int attempt = 0; attempt < 2 && !done; ++attempt) {
    ClickAt(ClientPoint(main, 100, 55 + 30 + 15));
    ClickAt(ClientPoint(main, 210 + 213 + 20, 55 + 14 + 9));
    // Long enough that a late save is not met by a second click, which would switch it back.
    done = Eventually(saved, 10000);
  }
  EXPECT_TRUE(done) << "saved at the click: "
                    << (std::filesystem::exists(file) ? run.ReadFile("Settings/settings.json")
                                                      : "no file")
                    << "; " << testing::PrintToString(MessageOf(run.ProcessId()));

  // The caption's close button: the window goes to the notification area, the program runs on.
  RECT wr{};
  ::GetWindowRect(main, &wr);
  const int frame = ::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXPADDEDBORDER);
  const int button = ::GetSystemMetrics(SM_CXSIZE);
  // As above, a click that Wine drops on a busy machine is made once more.
  bool hidden = false;
  for (int attempt = 0; attempt < 2 && !hidden; ++attempt) {
    ClickAt(
        POINT{wr.right - frame - button / 2, wr.top + frame + ::GetSystemMetrics(SM_CYSIZE) / 2});
    hidden = Eventually([&] { return !::IsWindowVisible(main); }, 5000);
  }
  EXPECT_TRUE(hidden) << "hidden";
  EXPECT_TRUE(run.Running());

  // One click on its flag icon, the newest and so the leftmost, brings it back. Wine's
  // notification area now and then drops a click that comes right after a change of its icons,
  // so a second click is allowed when the first brought nothing.
  const auto shown = [&] { return ::IsWindowVisible(main) && !::IsIconic(main); };
  bool back = false;
  for (int attempt = 0; attempt < 2 && !back; ++attempt) {
    ClickAt(TraySlotCentre(TrayIconCount() - 1));
    back = Eventually(shown, 5000);
  }
  EXPECT_TRUE(back) << "shown again";

  run.Kill();
}

}  // namespace
