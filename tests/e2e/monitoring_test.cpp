// The running program as a user sees it: the desktop indicator shows the layout of the desktop's
// locale, Caps Lock and Num Lock pressed on the keyboard show in the notification area and on
// the indicator's lamps, the mouse indicator follows the pointer and keeps off the taskbar, the
// border lines take their colour, Alt + Pause hides and shows everything, and a cancelled end of
// the session leaves it all running.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "program_run.h"
#include "screen_pixels.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/handles.h"
#include "ui/image_list.h"

namespace {

using e2e::Eventually;
using e2e::TopLevelOf;
using e2e::Key;
using e2e::Press;
using e2e::MovePointer;
using e2e::MoveUntil;
using e2e::Differing;
using e2e::ProgramRun;
using e2e::ScreenPixel;
using e2e::ScreenPixels;

// Settings of every run: the desktop indicator opaque, so that its pixels are its own, and the
// main window below it, so that it covers none of it.
constexpr char kOpaque[] = R"("MainWindow":{"Top":60},"DesktopIndicator":{"IsTransparent":false})";

std::vector<HWND> AllOf(DWORD pid, const wchar_t* cls) {
  struct Data {
    DWORD Pid;
    const wchar_t* Class;
    std::vector<HWND> Found;
  } data{pid, cls, {}};
  ::EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* d = reinterpret_cast<Data*>(lp);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        wchar_t name[64] = {};
        ::GetClassNameW(h, name, 64);
        if (owner == d->Pid && std::wstring(name) == d->Class) d->Found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&data));
  return data.Found;
}

// The locale names of the desktop's one keyboard layout, as this process has it too.
std::wstring LocaleText(LCTYPE type) {
  const LANGID language = LOWORD(reinterpret_cast<UINT_PTR>(::GetKeyboardLayout(0)));
  wchar_t text[128] = {};
  ::GetLocaleInfoW(language, type, text, 128);
  return text;
}

// What the desktop indicator's language label shows for a code and its flag at 96 DPI (58 x 26
// at 85, 2; the flag 2 pixels in, the code 4 pixels after it), drawn the way the program draws it.
std::vector<COLORREF> ExpectedLanguageLabel(const std::wstring& code, const std::wstring& flag) {
  constexpr int kWidth = 58, kHeight = 26;
  HDC screen = ::GetDC(nullptr);
  ui::UniqueMemoryDc dc(::CreateCompatibleDC(screen));
  ui::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, kWidth, kHeight));
  ::ReleaseDC(nullptr, screen);
  std::vector<COLORREF> pixels;
  {
    ui::SelectedObject selected(dc.Get(), bitmap.Get());
    ui::Canvas canvas(dc.Get());
    canvas.FillRect({0, 0, kWidth, kHeight}, 0xCC6600);  // the indicator's colour
    ui::ImageList flags(25, 25);
    flags.AddFromResource(L"png4x3_25_" + flag);
    canvas.DrawImage(&flags, 0, 2, (kHeight - 25) / 2);
    canvas.DrawText(code, {2 + 25 + 4, 0, kWidth, kHeight}, {L"Segoe UI", 16, true, 0xFFFFFF},
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) pixels.push_back(::GetPixel(dc.Get(), x, y));
    }
  }
  return pixels;
}

class Monitoring : public ::testing::Test {
 protected:
  void Start(const std::string& settings = kOpaque) {
    ::SetCursorPos(300, 300);
    run.WriteFile("Settings/settings.json", "{" + settings + "}");
    run.Start();
    mainWindow = run.WaitForMainWindow();
    ASSERT_NE(mainWindow, nullptr);
    ASSERT_TRUE(Eventually([&] {
      desktop = TopLevelOf(run.ProcessId(), L"TfLangInfo");
      mouse = TopLevelOf(run.ProcessId(), L"TfLangInfoMouse");
      return desktop != nullptr && mouse != nullptr && ::IsWindowVisible(desktop) &&
             ::IsWindowVisible(mouse);
    })) << "the indicators are up and the start-up timer has run";
    ::GetWindowRect(desktop, &desktopRect);
    // Keys go to the focus window's thread: the program's main window, as a user would have it.
    ::SetForegroundWindow(mainWindow);
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == mainWindow; }, 3000));
  }

  void TearDown() override {
    // Lock keys the test pressed are put back for the next test.
    for (WORD key : pressedLocks) Press(key);
  }

  void ToggleLock(WORD key) {
    Press(key);
    pressedLocks.push_back(key);
  }

  // The desktop indicator's lamp of Caps Lock (at 6, 17 in the Caps and Num panel, 2 pixels in
  // from the frame) or of Num Lock (at 43, 17).
  COLORREF Lamp(bool caps) {
    return ScreenPixel({desktopRect.left + 2 + (caps ? 6 : 43) + 10, desktopRect.top + 2 + 17 + 2});
  }

  ProgramRun run{true};
  HWND mainWindow = nullptr;
  HWND desktop = nullptr;
  HWND mouse = nullptr;
  RECT desktopRect{};
  std::vector<WORD> pressedLocks;
};

TEST_F(Monitoring, TheDesktopIndicatorShowsTheLayoutOfTheDesktopsLocale) {
  const std::wstring code = LocaleText(LOCALE_SISO639LANGNAME);
  std::wstring flag = LocaleText(LOCALE_SISO3166CTRYNAME);
  for (auto& c : flag) c = static_cast<wchar_t>(::towlower(c));
  std::wstring upper = code;
  for (auto& c : upper) c = static_cast<wchar_t>(::towupper(c));
  std::printf("desktop layout: %ls, flag %ls\n", upper.c_str(), flag.c_str());
  Start();
  const RECT label{desktopRect.left + 85, desktopRect.top + 2, desktopRect.left + 85 + 58,
                   desktopRect.top + 2 + 26};
  const std::vector<COLORREF> expected = ExpectedLanguageLabel(upper, flag);
  size_t differing = 0;
  EXPECT_TRUE(Eventually([&] { return (differing = Differing(ScreenPixels(label), expected)) < 30; }))
      << differing << " of " << expected.size() << " pixels differ";
  // The comparison tells layouts apart: another country's label differs in most pixels.
  const bool german = flag == L"de";
  EXPECT_GT(Differing(ScreenPixels(label), ExpectedLanguageLabel(german ? L"EN" : L"DE",
                                                         german ? L"us" : L"de")),
            500u);
}

// Pixels of one exact colour among the notification area's icons. The on images of the lock
// icons are filled with their mode's colour: Caps Lock's default mode dark green #009900, Num
// Lock's red #FF0000; their off image is black and white.
int TrayPixelsOf(COLORREF colour) {
  RECT bar{};
  ::GetWindowRect(::FindWindowW(L"Shell_TrayWnd", nullptr), &bar);
  const std::vector<COLORREF> pixels =
      ScreenPixels({bar.right - 20 * 8, bar.top + 1, bar.right, bar.bottom - 1});
  return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

TEST_F(Monitoring, LockKeysShowInTheNotificationAreaAndOnTheLamps) {
  Start();
  constexpr COLORREF kLime = RGB(0, 255, 0), kGray = RGB(128, 128, 128);
  struct {
    WORD Key;
    bool Caps;
    COLORREF IconColour;
  } keys[] = {{VK_CAPITAL, true, RGB(0, 0x99, 0)}, {VK_NUMLOCK, false, RGB(255, 0, 0)}};
  for (const auto& k : keys) {
    const bool wasOn = (::GetKeyState(k.Key) & 1) != 0;
    ASSERT_TRUE(Eventually([&] { return Lamp(k.Caps) == (wasOn ? kLime : kGray); }))
        << "lamp as the key stands, caps " << k.Caps;
    ::Sleep(300);  // the icons settle
    const int before = TrayPixelsOf(k.IconColour);
    for (bool on : {!wasOn, wasOn}) {
      ToggleLock(k.Key);
      EXPECT_TRUE(Eventually([&] { return Lamp(k.Caps) == (on ? kLime : kGray); }))
          << "lamp, caps " << k.Caps << ", on " << on;
      int now = 0;
      EXPECT_TRUE(Eventually([&] {
        now = TrayPixelsOf(k.IconColour);
        if (on == wasOn) return std::abs(now - before) < 5;  // back as it was
        return on ? now - before >= 10 : before - now >= 10;
      })) << "icon, caps " << k.Caps << ", on " << on << ": " << now << " pixels of its colour, "
          << before << " before";
    }
    pressedLocks.resize(pressedLocks.size() - 2);  // pressed twice: as it was
  }
}

TEST_F(Monitoring, TheMouseIndicatorFollowsThePointerAndKeepsOffTheTaskbar) {
  Start();
  MovePointer(190, 290);  // the first move sizes the indicator's rows
  for (POINT at : {POINT{200, 300}, POINT{420, 500}}) {
    // The hook moves the window's left and top edges in two steps; watched from outside, the
    // first may show before the second, so both are waited for together.
    RECT r{};
    EXPECT_TRUE(MoveUntil(at, [&] {
      ::GetWindowRect(mouse, &r);
      return r.left == at.x + 20 && r.bottom == at.y - 10 && ::IsWindowVisible(mouse);
    })) << "beside " << at.x << "," << at.y << ": left " << r.left << ", bottom "
        << r.bottom << " (its bottom edge 10 pixels above the pointer)";
  }
  RECT bar{};
  HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  ::GetWindowRect(taskbar, &bar);
  // The bare bar left of the notification area: the window there is the taskbar itself.
  const POINT onBar{bar.right - 20 * 12, (bar.top + bar.bottom) / 2};
  wchar_t cls[64] = {};
  ::GetClassNameW(::WindowFromPoint(onBar), cls, 64);
  ASSERT_EQ(std::wstring(cls), L"Shell_TrayWnd");
  EXPECT_TRUE(MoveUntil(onBar, [&] { return !::IsWindowVisible(mouse); })) << "hidden over it";
  EXPECT_TRUE(MoveUntil(POINT{400, 300}, [&] { return ::IsWindowVisible(mouse); }))
      << "back off it";
}

constexpr char kBorders[] =
    R"("MainWindow":{"Top":60},"DesktopIndicator":{"IsTransparent":false},
       "DesktopBorder":{"DesktopBorderWidth":3,"IsShowWorkareaBorder":true,
                        "IsShowTaskbarBorder":true,
                        "SL_Lang_DesktopBorder_Color":["US=FF0000","DE=FF0000"]})";

TEST_F(Monitoring, BorderLinesShowInTheirColourWhenSwitchedOn) {
  Start(kBorders);
  RECT wa{}, bar{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  ::GetWindowRect(::FindWindowW(L"Shell_TrayWnd", nullptr), &bar);
  constexpr COLORREF kRed = RGB(255, 0, 0);
  const POINT points[] = {{wa.left + 1, (wa.top + wa.bottom) / 2},
                          {wa.right - 2, (wa.top + wa.bottom) / 3},
                          {(wa.left + wa.right) / 3, wa.top + 1},
                          {(wa.left + wa.right) / 4, bar.top + 1},
                          {bar.right - 2, (bar.top + bar.bottom) / 2}};
  for (POINT p : points) {
    EXPECT_TRUE(Eventually([&] { return ScreenPixel(p) == kRed; })) << p.x << "," << p.y;
  }
  EXPECT_EQ(AllOf(run.ProcessId(), L"TfDesktopBorder").size(), 8u);
}

TEST_F(Monitoring, AltPauseHidesAndShowsEveryIndicator) {
  Start(kBorders);
  const std::vector<HWND> lines = AllOf(run.ProcessId(), L"TfDesktopBorder");
  auto allShown = [&]() -> bool {
    for (HWND h : lines) {
      if (!::IsWindowVisible(h)) return false;
    }
    return ::IsWindowVisible(desktop) != FALSE;
  };
  auto noneShown = [&]() -> bool {
    for (HWND h : lines) {
      if (::IsWindowVisible(h)) return false;
    }
    return ::IsWindowVisible(desktop) == FALSE;
  };
  ASSERT_TRUE(Eventually(allShown));
  // The chord is held for a few passes, less than the half second that would toggle again.
  auto chord = [] {
    Key(VK_MENU, false);
    Key(VK_PAUSE, false);
    ::Sleep(300);
    Key(VK_PAUSE, true);
    Key(VK_MENU, true);
  };
  chord();
  EXPECT_TRUE(Eventually(noneShown, 3000)) << "all hidden";
  EXPECT_TRUE(MoveUntil({350, 350}, [&] { return !::IsWindowVisible(mouse); })) << "mouse too";
  ::Sleep(600);
  chord();
  EXPECT_TRUE(Eventually(allShown, 3000)) << "all shown again";
  EXPECT_TRUE(MoveUntil({360, 350}, [&] { return ::IsWindowVisible(mouse); }));
}

TEST_F(Monitoring, ACancelledSessionEndLeavesTheMonitoringRunning) {
  Start();
  EXPECT_EQ(::SendMessageW(mainWindow, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 1);
  for (HWND h : {desktop, mouse}) ::SendMessageW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  for (HWND h : {desktop, mouse}) ::SendMessageW(h, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_EQ(::SendMessageW(mainWindow, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF), 1);

  EXPECT_TRUE(MoveUntil({250, 400}, [&] {
    RECT r{};
    ::GetWindowRect(mouse, &r);
    return r.left == 270;
  })) << "the hook still moves the mouse indicator";
  const bool wasOn = (::GetKeyState(VK_CAPITAL) & 1) != 0;
  // Wine makes the window the foreground only once the program's thread has had the request.
  ::SetForegroundWindow(mainWindow);
  ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == mainWindow; }, 3000));
  ToggleLock(VK_CAPITAL);
  EXPECT_TRUE(Eventually([&] {
    return Lamp(true) == (wasOn ? RGB(128, 128, 128) : RGB(0, 255, 0));
  })) << "the pass still follows Caps Lock";
  EXPECT_TRUE(run.Running());
}

}  // namespace
