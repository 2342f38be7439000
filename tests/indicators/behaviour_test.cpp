// What the four window classes do: dragging, refusing to close, the replies to the end of the
// session, creation parameters, auto-hide, and rewrites that cost nothing.
#include <windowsx.h>

#include <string>
#include <utility>
#include <vector>

#include "indicator_fixture.h"
#include "indicators/desktop_border.h"
#include "indicators/lang_info.h"
#include "indicators/lang_info_caret.h"
#include "indicators/lang_info_mouse.h"
#include "monitor/globals.h"
#include "ui/native_calls.h"

namespace {

using testing_support::IndicatorTest;
using testing_support::ScopedDragRecorder;

LPARAM CentreOf(const ui::Control& c) {
  const os::Rect r = c.RectInForm();
  return MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

struct Press {
  const char* Name;
  ui::Control* Target;
  bool Drags;
};

// Presses each control in the middle, with the left and then the right button.
void ExpectDrags(ui::Form& form, const std::vector<Press>& presses) {
  form.Show();
  HWND h = form.Handle();
  for (const Press& p : presses) {
    const LPARAM at = CentreOf(*p.Target);
    ASSERT_EQ(form.ControlAt(GET_X_LPARAM(at), GET_Y_LPARAM(at)), p.Target)
        << p.Name << " is not on top at its middle";
    ScopedDragRecorder::Drags().clear();
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(h, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(ScopedDragRecorder::Drags().size(), p.Drags ? 1u : 0u) << p.Name << ", left";
    if (p.Drags && !ScopedDragRecorder::Drags().empty()) {
      EXPECT_EQ(ScopedDragRecorder::Drags()[0], h);
    }
    ScopedDragRecorder::Drags().clear();
    ::SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, at);
    ::SendMessageW(h, WM_MBUTTONDOWN, MK_MBUTTON, at);
    EXPECT_TRUE(ScopedDragRecorder::Drags().empty()) << p.Name << ", other buttons";
  }
}

class IndicatorBehaviour : public IndicatorTest {
 protected:
  ScopedDragRecorder drags;
};

TEST_F(IndicatorBehaviour, DesktopIndicatorDragsByItsContentsNotByItsFrameOrButtons) {
  auto f = Make<indicators::TfLangInfo>();
  f->SetPopupMenu(nullptr);  // a right click here would open the real menu
  f->btnMenu.SetPopupMenu(nullptr);
  ExpectDrags(*f, {
                      {"form", f.get(), true},
                      {"Panel_Time", &f->Panel_Time, true},
                      {"Panel_Date", &f->Panel_Date, true},
                      {"L_Lang", &f->L_Lang, true},
                      {"L_CAPS", &f->L_CAPS, true},
                      {"L_NUM", &f->L_NUM, true},
                      {"Panel_CapsInd", &f->Panel_CapsInd, true},
                      {"Panel_NumInd", &f->Panel_NumInd, true},
                      {"PanelBorderT", &f->PanelBorderT, false},
                      {"PanelBorderB", &f->PanelBorderB, false},
                      {"PanelBorderL", &f->PanelBorderL, false},
                      {"PanelBorderR", &f->PanelBorderR, false},
                      {"Panel_Caps_Nums", &f->Panel_Caps_Nums, false},
                      {"PanelR", &f->PanelR, false},
                      {"btnSettings", &f->btnSettings, false},
                  });
}

TEST_F(IndicatorBehaviour, MouseIndicatorDragsByItsContentsNotByItsFrame) {
  auto f = Make<indicators::TfLangInfoMouse>();
  f->L_WindowClass.SetCaption(L"Notepad");
  f->L_AppName.SetCaption(L"notepad.exe");
  f->L_Time.SetCaption(L" 12:00:00 ");
  f->TimerTime.SetEnabled(false);
  ExpectDrags(*f, {
                      {"PanelMainInfo", &f->PanelMainInfo, true},
                      {"Panel_Caps_Nums_Lang", &f->Panel_Caps_Nums_Lang, true},
                      {"L_CAPS", &f->L_CAPS, true},
                      {"L_NUM", &f->L_NUM, true},
                      {"Panel_CapsInd", &f->Panel_CapsInd, true},
                      {"Panel_NumInd", &f->Panel_NumInd, true},
                      {"L_Lang", &f->L_Lang, true},
                      {"L_WindowClass", &f->L_WindowClass, true},
                      {"L_AppName", &f->L_AppName, true},
                      {"L_Time", &f->L_Time, true},
                      {"PanelBorderT", &f->PanelBorderT, false},
                      {"PanelBorderB", &f->PanelBorderB, false},
                      {"PanelBorderL", &f->PanelBorderL, false},
                      {"PanelBorderR", &f->PanelBorderR, false},
                  });
}

TEST_F(IndicatorBehaviour, CaretIndicatorDragsByItselfAndItsLabels) {
  auto f = Make<indicators::TfLangInfoCaret>();
  f->SetBounds(200, 100, S(120), S(18));
  f->Show();
  HWND h = f->Handle();
  struct Target {
    const char* Name;
    ui::Control* Control;
  } targets[] = {{"L_Lang", &f->L_Lang}, {"L_CAPS", &f->L_CAPS}, {"L_NUM", &f->L_NUM},
                 {"form", f.get()}};
  for (const Target& t : targets) {
    // The form itself below the labels, the labels in their middle.
    const LPARAM at =
        t.Control == f.get() ? MAKELPARAM(S(5), f->Height() - 1) : CentreOf(*t.Control);
    ASSERT_EQ(f->ControlAt(GET_X_LPARAM(at), GET_Y_LPARAM(at)), t.Control) << t.Name;
    const os::Rect before = f->BoundsRect();
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON,
                   MAKELPARAM(GET_X_LPARAM(at) + 7, GET_Y_LPARAM(at) + 3));
    ::SendMessageW(h, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(f->Left(), before.Left + 7) << t.Name;
    EXPECT_EQ(f->Top(), before.Top + 3) << t.Name;
    for (auto [down, key] : {std::pair{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_MBUTTONDOWN, MK_MBUTTON}}) {
      ::SendMessageW(h, down, key, at);
      ::SendMessageW(h, WM_MOUSEMOVE, key, MAKELPARAM(GET_X_LPARAM(at) + 9, GET_Y_LPARAM(at)));
    }
    EXPECT_EQ(f->Left(), before.Left + 7) << t.Name << ", other buttons";
  }
}

TEST_F(IndicatorBehaviour, APressOnABorderWindowDoesNothing) {
  auto f = Make<indicators::TfDesktopBorder>();
  f->SetBounds(0, 0, 40, 40);
  ExpectDrags(*f, {{"form", f.get(), false}});
}

TEST_F(IndicatorBehaviour, CloseRequestsAreRefusedExceptByTheBorderWindow) {
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  auto caret = Make<indicators::TfLangInfoCaret>();
  auto border = Make<indicators::TfDesktopBorder>();
  struct Case {
    ui::Form* Form;
    bool StaysOpen;
  } cases[] = {{desktop.get(), true}, {mouse.get(), true}, {caret.get(), true},
               {border.get(), false}};
  for (const Case& c : cases) {
    c.Form->Show();
    ::SendMessageW(c.Form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(c.Form->Visible(), c.StaysOpen) << c.Form->WindowClassName();
    EXPECT_EQ(::IsWindowVisible(c.Form->Handle()) != FALSE, c.StaysOpen)
        << c.Form->WindowClassName();
  }
}

TEST_F(IndicatorBehaviour, TheEndOfTheSessionStopsTheMonitoringUnlessItWasCancelled) {
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  auto caret = Make<indicators::TfLangInfoCaret>();
  auto border = Make<indicators::TfDesktopBorder>();
  struct Case {
    UINT Msg;
    WPARAM WParam;
    bool Stops;
  } cases[] = {{WM_QUERYENDSESSION, 0, true}, {WM_ENDSESSION, TRUE, true},
               {WM_ENDSESSION, FALSE, false}};
  for (ui::Form* f : {static_cast<ui::Form*>(desktop.get()), static_cast<ui::Form*>(mouse.get()),
                      static_cast<ui::Form*>(caret.get()), static_cast<ui::Form*>(border.get())}) {
    f->Show();
    for (const Case& c : cases) {
      ui::App().OnIdle = [] {};
      EXPECT_EQ(::SendMessageW(f->Handle(), c.Msg, c.WParam, 0), 1)
          << f->WindowClassName() << " " << c.Msg;
      EXPECT_EQ(ui::App().OnIdle == nullptr, c.Stops) << f->WindowClassName() << " " << c.Msg;
      EXPECT_TRUE(::IsWindowVisible(f->Handle())) << "no close request comes of it";
    }
  }
  ui::App().OnIdle = nullptr;
}

TEST_F(IndicatorBehaviour, UnownedToolWindowsOnlyWhileTheIndicatorsAreCreated) {
  core::IsCreatingIndicators = true;
  auto during = Make<indicators::TfLangInfo>();
  during->SetAlphaBlend(true);
  HWND h = during->Handle();
  core::IsCreatingIndicators = false;
  EXPECT_EQ(::GetWindowLongPtrW(h, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED),
            WS_EX_TOOLWINDOW)
      << "exactly the tool style, layered added after";
  EXPECT_EQ(::GetWindow(h, GW_OWNER), nullptr);

  auto after = Make<indicators::TfLangInfo>();
  EXPECT_EQ(::GetWindowLongPtrW(after->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0)
      << "the framework's own parameters otherwise";

  // The border lines' own bits come on top: see activation_test.cpp.
  auto caret = Make<indicators::TfLangInfoCaret>();
  EXPECT_EQ(::GetWindowLongPtrW(caret->Handle(), GWL_EXSTYLE), WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)
      << "the caret indicator whenever its window is made";
  EXPECT_EQ(::GetWindow(caret->Handle(), GW_OWNER), nullptr);
}

TEST_F(IndicatorBehaviour, WindowClassesCarryTheClassNames) {
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  auto caret = Make<indicators::TfLangInfoCaret>();
  auto border = Make<indicators::TfDesktopBorder>();
  struct Case {
    ui::Form* Form;
    const wchar_t* Class;
  } cases[] = {{desktop.get(), L"TfLangInfo"}, {mouse.get(), L"TfLangInfoMouse"},
               {caret.get(), L"TfLangInfoCaret"}, {border.get(), L"TfDesktopBorder"}};
  for (const Case& c : cases) {
    wchar_t name[64] = {};
    ::GetClassNameW(c.Form->Handle(), name, 64);
    EXPECT_STREQ(name, c.Class);
  }
}

TEST_F(IndicatorBehaviour, AutoHideHidesTheMouseIndicatorsWindowWithoutTakingTheFocus) {
  monitor::fLangInfoMouse = Make<indicators::TfLangInfoMouse>();
  auto& f = *monitor::fLangInfoMouse;
  f.Show();
  HWND h = f.Handle();
  f.TimerAutoHide.SetEnabled(true);
  f.TimerAutoHideTimer();
  EXPECT_FALSE(f.TimerAutoHide.Enabled());
  EXPECT_FALSE(::IsWindowVisible(h));
  EXPECT_TRUE(f.Visible()) << "the form stays visible for the rest of the program";
  EXPECT_EQ(f.Tag, 1);
  // Other test programs share the desktop and may take the foreground meanwhile; what counts is
  // that the indicator never has it.
  EXPECT_NE(::GetForegroundWindow(), h);
  EXPECT_NE(::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(IndicatorBehaviour, AutoHideOfAnotherInstanceOnlyStopsItsTimer) {
  auto other = Make<indicators::TfLangInfoMouse>();
  other->Show();
  other->TimerAutoHide.SetEnabled(true);
  other->TimerAutoHideTimer();
  EXPECT_FALSE(other->TimerAutoHide.Enabled());
  EXPECT_TRUE(::IsWindowVisible(other->Handle()));
  EXPECT_EQ(other->Tag, 0);
}

TEST_F(IndicatorBehaviour, ShowsNeverActivate) {
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  auto caret = Make<indicators::TfLangInfoCaret>();
  auto border = Make<indicators::TfDesktopBorder>();
  for (ui::Form* f : {static_cast<ui::Form*>(desktop.get()), static_cast<ui::Form*>(mouse.get()),
                      static_cast<ui::Form*>(caret.get()), static_cast<ui::Form*>(border.get())}) {
    f->Show();
    EXPECT_NE(::GetForegroundWindow(), f->Handle()) << f->WindowClassName();
    EXPECT_NE(::GetActiveWindow(), f->Handle()) << f->WindowClassName();
  }
}

// What the monitoring pass writes on every pass, written again with the same values.
TEST_F(IndicatorBehaviour, RewritingTheSameValuesCostsNoNativeCall) {
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  auto caret = Make<indicators::TfLangInfoCaret>();
  auto border = Make<indicators::TfDesktopBorder>();
  desktop->TimerTime.SetEnabled(false);
  mouse->TimerTime.SetEnabled(false);
  auto pass = [&] {
    desktop->SetBounds(100, 5, S(300), S(30));
    desktop->SetColor(0x336699);
    desktop->SetAlphaBlendValue(200);
    desktop->SetAlphaBlend(true);
    desktop->SetVisible(true);
    for (ui::Panel* p : {&desktop->PanelBorderT, &desktop->PanelBorderB}) p->SetHeight(S(3));
    for (ui::Panel* p : {&desktop->PanelBorderL, &desktop->PanelBorderR}) p->SetWidth(S(3));
    desktop->PanelBorderR.SetDockOutermost();
    desktop->L_Lang.SetCaption(L"DE");
    desktop->L_Lang.SetHint(L"DE");
    desktop->L_Lang.SetImageIndex(1);
    desktop->L_Lang.SetFontColor(os::clWhite);
    desktop->L_CAPS.SetFontBold(true);
    desktop->L_CAPS.SetFontColor(os::clWhite);
    desktop->Panel_CapsInd.SetColor(desktop->LedOnColor);
    desktop->Panel_Caps_Nums.SetColor(0x336699);
    desktop->PanelR.SetColor(0x336699);
    desktop->Panel_Time.SetBounds(S(150), S(3), S(80), S(24));
    desktop->Panel_Time.SetVisible(true);
    desktop->Panel_Date.SetVisible(false);
    desktop->btnSettings.SetTop(S(4));

    mouse->SetBounds(420, 260, S(70), S(40));
    mouse->SetVisible(true);
    mouse->L_WindowClass.SetCaption(L"Notepad");
    mouse->L_Lang.SetCaption(L"DE");
    mouse->L_Time.SetVisible(false);
    mouse->Panel_Caps_Nums_Lang.SetWidth(S(66));

    caret->SetBounds(20, 20, S(100), S(18));
    caret->SetAlphaBlendValue(220);
    caret->SetAlphaBlend(true);
    caret->L_Lang.SetCaption(L"DE");
    caret->L_Lang.SetFontColor(os::clBlack);
    caret->FlagIndex = 1;

    border->SetBounds(0, 0, 2, 600);
    border->SetColor(os::clLime);
    border->SetVisible(true);
  };
  pass();
  ui::ResetNativeCallCount();
  for (int i = 0; i < 5; ++i) pass();
  EXPECT_EQ(ui::NativeCallCount(), 0);
  desktop->L_Lang.SetCaption(L"FR");
  EXPECT_GT(ui::NativeCallCount(), 0);
}

}  // namespace
