// Which indicator windows a press may activate: the caret indicator and the border lines leave
// the activation and the focus with the user's application, the border lines let the press
// through to the window beneath, and the caret indicator is dragged without activating it.
#include <string>

#include "indicator_fixture.h"
#include "indicators/desktop_border.h"
#include "indicators/lang_info.h"
#include "indicators/lang_info_caret.h"
#include "indicators/lang_info_mouse.h"

namespace {

using testing_support::IndicatorTest;
using testing_support::ScopedDragRecorder;

LONG_PTR ExStyle(HWND h) { return ::GetWindowLongPtrW(h, GWL_EXSTYLE); }

class IndicatorActivation : public IndicatorTest {
 protected:
  ScopedDragRecorder drags;
};

TEST_F(IndicatorActivation, APressActivatesOnlyTheDesktopAndMouseIndicators) {
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  auto caret = Make<indicators::TfLangInfoCaret>();
  auto border = Make<indicators::TfDesktopBorder>();
  struct Case {
    ui::Form* Form;
    LRESULT Answer;
  } cases[] = {{desktop.get(), MA_ACTIVATE},
               {mouse.get(), MA_ACTIVATE},
               {caret.get(), MA_NOACTIVATE},
               {border.get(), MA_NOACTIVATE}};
  for (const Case& c : cases) {
    HWND h = c.Form->Handle();
    for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
      EXPECT_EQ(::SendMessageW(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(h),
                               MAKELPARAM(HTCLIENT, press)),
                c.Answer)
          << c.Form->WindowClassName() << " " << press;
    }
  }
}

TEST_F(IndicatorActivation, BorderLinesAreOpaqueLayeredWindowsThePointerPassesThrough) {
  struct Case {
    bool Creating;
    LONG_PTR ExStyle;
  } cases[] = {
      // As the main window makes them: exactly these bits, nothing of the framework's.
      {true, WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE},
      // Made at any other time the framework's own parameters stay, and the lines still let
      // every press through.
      {false, WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE},
  };
  for (const Case& c : cases) {
    core::IsCreatingIndicators = c.Creating;
    auto border = Make<indicators::TfDesktopBorder>();
    HWND h = border->Handle();
    core::IsCreatingIndicators = false;
    EXPECT_EQ(ExStyle(h), c.ExStyle) << "creating " << c.Creating;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255) << "fully opaque: the line shows its colour as it is";
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  }
}

TEST_F(IndicatorActivation, ThePointerFindsNoBorderLine) {
  // A line at the top of the topmost band, as the pass puts it. Other suites' windows may lie
  // over the point meanwhile: what counts is that the line itself is never the one found there.
  auto line = Make<indicators::TfDesktopBorder>();
  line->SetBounds(40, 40, 200, 6);
  line->Show();
  ::SetWindowPos(line->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(::IsWindowVisible(line->Handle()));
  for (POINT p : {POINT{41, 41}, POINT{140, 43}, POINT{239, 45}}) {
    EXPECT_NE(::WindowFromPoint(p), line->Handle()) << p.x << "," << p.y;
  }
  EXPECT_NE(::GetForegroundWindow(), line->Handle());
}

// Presses and pointer moves as the system delivers them to the window, in client coordinates.
void Press(HWND h, UINT msg, WPARAM keys, int x, int y) {
  ::SendMessageW(h, msg, keys, MAKELPARAM(x, y));
}

TEST_F(IndicatorActivation, TheCaretIndicatorFollowsAPointerDraggingItWithTheLeftButton) {
  auto caret = Make<indicators::TfLangInfoCaret>();
  caret->SetBounds(300, 200, S(120), S(18));
  caret->Show();
  HWND h = caret->Handle();
  const int x = caret->L_Lang.Left() + 2, y = caret->L_Lang.Top() + 2;
  Press(h, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
  // The pointer 30 right and 12 down of the pressed point, then 5 left of it; the window moves
  // so that the pressed point stays under the pointer.
  Press(h, WM_MOUSEMOVE, MK_LBUTTON, x + 30, y + 12);
  EXPECT_EQ(caret->Left(), 330);
  EXPECT_EQ(caret->Top(), 212);
  Press(h, WM_MOUSEMOVE, MK_LBUTTON, x - 5, y);
  EXPECT_EQ(caret->Left(), 325);
  EXPECT_EQ(caret->Top(), 212);
  Press(h, WM_LBUTTONUP, 0, x, y);
  Press(h, WM_MOUSEMOVE, 0, x + 50, y + 50);
  EXPECT_EQ(caret->Left(), 325) << "the drag ends with the button";
  RECT r{};
  ::GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 325);
  EXPECT_EQ(r.top, 212);
  EXPECT_TRUE(ScopedDragRecorder::Drags().empty())
      << "the system's move loop, which activates the window, is not used";
  EXPECT_NE(::GetActiveWindow(), h);
}

TEST_F(IndicatorActivation, OnlyALeftButtonDragMovesTheCaretIndicator) {
  auto caret = Make<indicators::TfLangInfoCaret>();
  caret->SetBounds(300, 200, S(120), S(18));
  caret->Show();
  HWND h = caret->Handle();
  struct Case {
    const char* Name;
    UINT Down;
    WPARAM MoveKeys;
  } cases[] = {{"right button", WM_RBUTTONDOWN, MK_RBUTTON},
               {"middle button", WM_MBUTTONDOWN, MK_MBUTTON},
               // A left press whose release went elsewhere: the next move comes without the button.
               {"left, released elsewhere", WM_LBUTTONDOWN, 0}};
  for (const Case& c : cases) {
    Press(h, c.Down, c.MoveKeys | (c.Down == WM_LBUTTONDOWN ? MK_LBUTTON : 0), 5, 5);
    Press(h, WM_MOUSEMOVE, c.MoveKeys, 40, 20);
    Press(h, WM_MOUSEMOVE, MK_LBUTTON, 60, 30);
    EXPECT_EQ(caret->Left(), 300) << c.Name;
    EXPECT_EQ(caret->Top(), 200) << c.Name;
    Press(h, WM_LBUTTONUP, 0, 5, 5);
  }
}

}  // namespace
