// The indicator and border windows of the real program as another program sees them: their
// window classes, owners and extended styles, where the border lines sit, that none of them takes
// the focus, and that the desktop indicator's clock runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "program_run.h"
#include "screen_pixels.h"

namespace {

using e2e::Eventually;
using e2e::Differing;
using e2e::ProgramRun;
using e2e::ScreenPixels;

// The top-level windows of a process by window class, hidden ones included.
std::map<std::wstring, std::vector<HWND>> WindowsOf(DWORD pid) {
  struct Data {
    DWORD Pid;
    std::map<std::wstring, std::vector<HWND>> Found;
  } data{pid, {}};
  ::EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* d = reinterpret_cast<Data*>(lp);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner != d->Pid) return TRUE;
        wchar_t name[128] = {};
        ::GetClassNameW(h, name, 128);
        d->Found[name].push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&data));
  return data.Found;
}

// The program with its indicator windows made and the desktop indicator shown. Every check of
// the state goes through Watch, which also notes any moment one of the windows was foreground.
class IndicatorWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetCursorPos(5, 400);  // the mouse indicator appears next to the pointer, away from the rest
    run.Start();
    ASSERT_NE(run.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(Watch([&] {
      windows = WindowsOf(run.ProcessId());
      return Count(L"TfLangInfo") == 1 && Count(L"TfLangInfoMouse") == 1 &&
             Count(L"TfLangInfoCaret") == 1 && Count(L"TfDesktopBorder") == 8 &&
             ::IsWindowVisible(windows[L"TfLangInfo"][0]) &&
             ::IsWindowVisible(windows[L"TfLangInfoMouse"][0]);
    })) << "the eleven windows, the desktop and mouse indicators shown";
  }

  size_t Count(const wchar_t* cls) {
    auto it = windows.find(cls);
    return it == windows.end() ? 0 : it->second.size();
  }

  std::vector<HWND> Eleven() {
    std::vector<HWND> all;
    for (const wchar_t* cls : {L"TfLangInfo", L"TfLangInfoMouse", L"TfLangInfoCaret",
                               L"TfDesktopBorder"}) {
      all.insert(all.end(), windows[cls].begin(), windows[cls].end());
    }
    return all;
  }

  template <class Pred>
  bool Watch(Pred pred, int timeoutMs = 10000) {
    return Eventually(
        [&] {
          const HWND foreground = ::GetForegroundWindow();
          for (HWND h : Eleven()) {
            if (h == foreground) tookFocus = true;
          }
          return pred();
        },
        timeoutMs);
  }

  void TearDown() override { EXPECT_FALSE(tookFocus) << "an indicator became the foreground window"; }

  ProgramRun run{true};
  std::map<std::wstring, std::vector<HWND>> windows;
  bool tookFocus = false;
};

TEST_F(IndicatorWindows, AreUnownedToolWindowsWithTheirOwnClassNames) {
  // The caret indicator is made without the topmost style; the first monitoring pass, 300 ms
  // after the main window's creation, shows or hides it topmost, and it stays so. Its style is
  // read once that pass has run, so that the check does not race with it.
  struct Case {
    const wchar_t* Class;
    LONG_PTR ExStyle;
  } cases[] = {
      {L"TfLangInfo", WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED},
      {L"TfLangInfoMouse", WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED},
      {L"TfLangInfoCaret", WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_NOACTIVATE},
      {L"TfDesktopBorder", WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT |
                               WS_EX_NOACTIVATE},
  };
  for (HWND h : windows[L"TfLangInfoCaret"]) {
    EXPECT_TRUE(Watch([h] { return (::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }))
        << "the caret step makes the caret indicator topmost";
  }
  for (const Case& c : cases) {
    for (HWND h : windows[c.Class]) {
      EXPECT_EQ(::GetWindow(h, GW_OWNER), nullptr) << std::string(c.Class, c.Class + 4);
      EXPECT_EQ(::GetWindowLongPtrW(h, GWL_EXSTYLE), c.ExStyle)
          << "class index " << (&c - cases);
      EXPECT_EQ(::GetWindowLongPtrW(h, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0)
          << "no border, class index " << (&c - cases);
    }
  }
  EXPECT_EQ(Count(L"TfMain"), 1u);
  // Let a few clock ticks and a monitoring moment pass while watching the focus.
  Watch([] { return false; }, 1500);
}

TEST_F(IndicatorWindows, BorderLinesSitOnTheWorkAreaAndTaskbarEdgesHiddenUntilThePassShowsThem) {
  RECT wa{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  RECT tb{};
  HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr) << "the test desktop has a taskbar";
  ::GetWindowRect(taskbar, &tb);
  HDC screen = ::GetDC(nullptr);
  const int t = ::MulDiv(2, ::GetDeviceCaps(screen, LOGPIXELSY), 96);
  ::ReleaseDC(nullptr, screen);

  auto lines = [t](const RECT& a) {
    return std::vector<RECT>{{a.left, a.top, a.left + t, a.bottom},
                             {a.right - t, a.top, a.right, a.bottom},
                             {a.left, a.top, a.right, a.top + t},
                             {a.left, a.bottom - t, a.right, a.bottom}};
  };
  std::vector<RECT> expected = lines(wa);
  const std::vector<RECT> around = lines(tb);
  expected.insert(expected.end(), around.begin(), around.end());

  std::vector<RECT> found;
  for (HWND h : windows[L"TfDesktopBorder"]) {
    RECT r{};
    ::GetWindowRect(h, &r);
    found.push_back(r);
    EXPECT_FALSE(::IsWindowVisible(h));
  }
  auto key = [](const RECT& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); };
  auto order = [&](const RECT& a, const RECT& b) { return key(a) < key(b); };
  std::sort(expected.begin(), expected.end(), order);
  std::sort(found.begin(), found.end(), order);
  ASSERT_EQ(found.size(), expected.size());
  for (size_t i = 0; i < found.size(); ++i) {
    EXPECT_EQ(key(found[i]), key(expected[i])) << "line " << i;
  }
}

TEST_F(IndicatorWindows, TheDesktopIndicatorsClockRuns) {
  HWND indicator = windows[L"TfLangInfo"][0];
  // The first monitoring pass, 300 ms after the start, lays the indicator out anew (its clock
  // beside the language, its width to fit); a change of layout under the watch would pass for
  // a running clock, and a clock watched where the layout had it before the pass is gone. So
  // the watch starts once that pass has run (it makes the caret indicator topmost) and the
  // indicator looks the same for a moment.
  HWND caret = windows[L"TfLangInfoCaret"][0];
  ASSERT_TRUE(Watch([caret] {
    return (::GetWindowLongPtrW(caret, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  })) << "the first pass has run";
  const auto shown = [indicator] {
    RECT w{};
    ::GetWindowRect(indicator, &w);
    w.right = std::min<LONG>(w.right, ::GetSystemMetrics(SM_CXSCREEN));
    return ScreenPixels(w);
  };
  std::vector<COLORREF> first;
  ASSERT_TRUE(Watch([&] {
    first = shown();
    ::Sleep(100);
    return first == shown();
  })) << "the indicator settles between two ticks of its clock";
  ASSERT_NE(std::count(first.begin(), first.end(), first[0]), static_cast<long>(first.size()))
      << "the indicator shows its captions";
  EXPECT_TRUE(Watch([&] { return Differing(first, shown()) > 0; }, 5000))
      << "the time shown changes";
}

}  // namespace
