// Clicks on the program's windows as a user makes them while working in another program: a
// press on a border line reaches the window beneath it, and a click on or a drag of the caret
// indicator leaves the focus in the edit where the user types.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "foreground_log.h"
#include "program_run.h"
#include "screen_pixels.h"

namespace {

using e2e::DesktopState;
using e2e::Eventually;
using e2e::ForegroundLog;
using e2e::LeftButton;
using e2e::MovePointer;
using e2e::Press;
using e2e::ProgramRun;
using e2e::ScreenPixel;
using e2e::TopLevelOf;

// The other program: a window of this process, which records the presses it gets.
std::vector<POINT> g_presses;

LRESULT CALLBACK TargetProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_LBUTTONDOWN) {
    POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    ::ClientToScreen(h, &p);
    g_presses.push_back(p);
  }
  return ::DefWindowProcW(h, msg, wp, lp);
}

void Pump() {
  MSG m;
  while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
}

// Polls while this thread's windows go on answering.
template <class Pred>
bool Until(Pred pred, int timeoutMs = 10000) {
  return Eventually(
      [&] {
        Pump();
        return pred();
      },
      timeoutMs);
}

std::wstring ClassOf(HWND h) {
  wchar_t name[64] = {};
  if (h != nullptr) ::GetClassNameW(h, name, 64);
  return name;
}

std::wstring TextOf(HWND h) {
  wchar_t text[64] = {};
  ::GetWindowTextW(h, text, 64);
  std::wstring s = text;
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));  // whatever Caps Lock says
  return s;
}

// The pointer moved there by the mouse, and there as the system sees it.
bool PointerTo(POINT at) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    MovePointer(at.x, at.y);
    if (Until([&] {
          POINT now{};
          ::GetCursorPos(&now);
          return now.x == at.x && now.y == at.y;
        }, 3000)) {
      return true;
    }
  }
  return false;
}

// A left click there, the pointer brought there first as the mouse would.
bool ClickThere(POINT at) {
  if (!PointerTo(at)) return false;
  LeftButton(at, false);
  ::Sleep(50);
  LeftButton(at, true);
  return true;
}

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// Only the indicator under test is shown, so that no other one lies where the test clicks.
constexpr char kOthersOff[] =
    R"("MainWindow":{"Top":60},"DesktopIndicator":{"IsShowDesktopIndicator":false},
       "MouseIndicator":{"MouseIndicator_IsShow":false})";

class ClickThrough : public ::testing::Test {
 protected:
  void Start(const std::string& settings) {
    run.WriteFile("Settings/settings.json", "{" + std::string(kOthersOff) + "," + settings + "}");
    foregroundLog.Note("the program starts");
    run.Start();
    const HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    foregroundLog.Note("its main window is visible");
    // The start settles first: the main window shows, and only then comes to the front. Under
    // load that second step can come after the other program has opened and taken the front,
    // which then stays with the main window.
    Until([&] { return ::GetForegroundWindow() == main; });
  }

  // The other program's window over the whole work area, in front, with an edit that has the
  // focus and its caret.
  void OpenTarget() {
    g_presses.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"ClickThroughTarget";
    ::RegisterClassW(&wc);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    target = ::CreateWindowExW(0, wc.lpszClassName, L"Target", WS_POPUP | WS_VISIBLE,
                               workArea.left, workArea.top, workArea.right - workArea.left,
                               workArea.bottom - workArea.top, nullptr, nullptr, wc.hInstance,
                               nullptr);
    ASSERT_NE(target, nullptr);
    edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                             300, 300, 300, 24, target, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(TakeTheFront()) << "the other program is in front with the focus in its edit\n"
                                << State();
  }

  // The other program brought to the front with the focus in its edit, and found still there a
  // moment later; asked again whenever something has taken the front back, as a window that
  // activates itself after the request does.
  bool TakeTheFront() {
    int held = 0;
    return Until([&] {
      if (::GetForegroundWindow() == target && ::GetFocus() == edit) return ++held >= 15;
      held = 0;
      foregroundLog.Note("the other program asks for the front");
      ::SetForegroundWindow(target);
      ::SetFocus(edit);
      return false;
    });
  }

  void TearDown() override {
    if (target != nullptr) ::DestroyWindow(target);
    Pump();
  }

  // The caret indicator, shown beside the edit's caret and settled there: a pass that ran before
  // the edit had the focus may have shown it at another caret first.
  HWND ShownCaretIndicator() {
    HWND caret = nullptr;
    RECT last{};
    int same = 0;
    Until([&] {
      caret = TopLevelOf(run.ProcessId(), L"TfLangInfoCaret");
      RECT r{};
      if (caret == nullptr || !::IsWindowVisible(caret) || !::GetWindowRect(caret, &r)) {
        return false;
      }
      same = ::EqualRect(&r, &last) ? same + 1 : 0;
      last = r;
      return same >= 25;  // half a second in one place
    });
    return same >= 25 ? caret : nullptr;
  }

  // Keys typed now reach the edit, and the other program has kept the front and the focus.
  void ExpectTypingReachesTheEdit(const char* after) {
    EXPECT_EQ(ClassOf(::GetForegroundWindow()), L"ClickThroughTarget") << after << "\n" << State();
    EXPECT_EQ(::GetFocus(), edit) << after << "\n" << State();
    ::SetWindowTextW(edit, L"");
    Press('Z');
    Press('Z');
    EXPECT_TRUE(Until([&] { return TextOf(edit) == L"zz"; }, 5000))
        << after << ": the edit holds \"" << Narrow(TextOf(edit)) << "\", the front window is "
        << Narrow(ClassOf(::GetForegroundWindow()));
  }

  // For a failure's message: the desktop as it is, and how the front came to be where it is.
  std::string State() const { return DesktopState(run.ProcessId()) + "\n" + foregroundLog.Text(); }

  ForegroundLog foregroundLog;  // from before the program starts
  ProgramRun run{true};
  RECT workArea{};
  HWND target = nullptr;
  HWND edit = nullptr;
};

TEST_F(ClickThrough, APressOnABorderLineReachesTheWindowBeneath) {
  Start(R"("CaretIndicator":{"CaretIndicator_IsShow":false},
           "DesktopBorder":{"DesktopBorderWidth":3,"IsShowWorkareaBorder":true,
                            "SL_Lang_DesktopBorder_Color":["US=FF0000","DE=FF0000"]})");
  OpenTarget();
  const RECT& wa = workArea;
  // The middle of the top line, where a maximised window has its tabs; the right line; the
  // top-right corner, where its close button is.
  const POINT points[] = {{(wa.left + wa.right) / 2, wa.top + 1},
                          {wa.right - 2, (wa.top + wa.bottom) / 2},
                          {wa.right - 2, wa.top + 1}};
  for (POINT p : points) {
    EXPECT_TRUE(Until([&] { return ScreenPixel(p) == RGB(255, 0, 0); }))
        << "the line shows its colour over the window at " << p.x << "," << p.y;
    g_presses.clear();
    ASSERT_TRUE(ClickThere(p));
    EXPECT_TRUE(Until([&] {
      return !g_presses.empty() && g_presses[0].x == p.x && g_presses[0].y == p.y;
    }, 5000)) << "the window beneath got the press at " << p.x << "," << p.y << " ("
              << g_presses.size() << " presses, the first at "
              << (g_presses.empty() ? 0 : g_presses[0].x) << ","
              << (g_presses.empty() ? 0 : g_presses[0].y) << ")";
    EXPECT_NE(ClassOf(::GetForegroundWindow()), L"TfDesktopBorder") << p.x << "," << p.y;
    EXPECT_EQ(::GetForegroundWindow(), target) << p.x << "," << p.y;
  }
}

constexpr char kCaretShown[] =
    R"("CaretIndicator":{"CaretIndicator_IsShow":true,"CaretIndicator_IsAutoHide":false})";

TEST_F(ClickThrough, AClickOnTheCaretIndicatorLeavesTheFocusInTheEdit) {
  Start(kCaretShown);
  OpenTarget();
  HWND caret = ShownCaretIndicator();
  ASSERT_NE(caret, nullptr) << "the caret indicator shows beside the edit's caret\n" << State();
  RECT r{};
  ::GetWindowRect(caret, &r);
  g_presses.clear();
  ASSERT_TRUE(ClickThere({(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
  Until([] { return false; }, 300);  // what the click would set off has happened by now
  ExpectTypingReachesTheEdit("a click on the caret indicator");
  EXPECT_TRUE(g_presses.empty()) << "the click was the indicator's, at " << r.left << "," << r.top
                                 << "-" << r.right << "," << r.bottom << "; the window beneath got "
                                 << (g_presses.empty() ? 0 : g_presses[0].x) << ","
                                 << (g_presses.empty() ? 0 : g_presses[0].y);
}

TEST_F(ClickThrough, DraggingTheCaretIndicatorMovesItAndLeavesTheFocusInTheEdit) {
  Start(kCaretShown);
  OpenTarget();
  HWND caret = ShownCaretIndicator();
  ASSERT_NE(caret, nullptr) << "the caret indicator shows beside the edit's caret\n" << State();
  RECT start{};
  ::GetWindowRect(caret, &start);
  const POINT from{start.left + 5, (start.top + start.bottom) / 2};
  ASSERT_TRUE(PointerTo(from));
  LeftButton(from, false);
  // Small steps, each waited for: the window follows the pointer as it goes.
  constexpr int kSteps = 10, kDx = 6, kDy = 3;
  for (int i = 1; i <= kSteps; ++i) {
    MovePointer(from.x + i * kDx, from.y + i * kDy);
    EXPECT_TRUE(Until([&] {
      RECT r{};
      ::GetWindowRect(caret, &r);
      return r.left == start.left + i * kDx && r.top == start.top + i * kDy;
    }, 5000)) << "step " << i;
  }
  LeftButton({from.x + kSteps * kDx, from.y + kSteps * kDy}, true);
  Until([] { return false; }, 300);
  RECT end{};
  ::GetWindowRect(caret, &end);
  EXPECT_EQ(end.left, start.left + kSteps * kDx);
  EXPECT_EQ(end.top, start.top + kSteps * kDy);
  ExpectTypingReachesTheEdit("a drag of the caret indicator");
}

}  // namespace
