// Every component's place, size, font and colour as the windows' layouts give them at 96 DPI,
// scaled at creation; checked at 96 and 144 DPI.
#include <string>
#include <vector>

#include "indicator_fixture.h"
#include "indicators/desktop_border.h"
#include "indicators/lang_info.h"
#include "indicators/lang_info_caret.h"
#include "indicators/lang_info_mouse.h"
#include "monitor/globals.h"

namespace {

using testing_support::FixedTextMeasurer;
using testing_support::IndicatorDpiTest;
using testing_support::Rgb;

struct Place {
  const char* Name;
  const ui::Control* Control;
  int Left, Top, Width, Height;  // already scaled
};

void ExpectPlaces(const std::vector<Place>& places) {
  for (const Place& p : places) {
    EXPECT_EQ(p.Control->BoundsRect(),
              (os::Rect{p.Left, p.Top, p.Left + p.Width, p.Top + p.Height}))
        << p.Name;
  }
}

// A label that sizes itself: its corner from the layout, its size that of its text.
void ExpectAutoSized(const char* name, const ui::Label& label, int left, int top) {
  EXPECT_TRUE(label.AutoSize()) << name;
  const ui::TextSize size = FixedTextMeasurer::SizeOf(
      label.Caption().empty() ? L" " : label.Caption(), label.GetFont());
  EXPECT_EQ(label.BoundsRect(), (os::Rect{left, top, left + size.Width, top + size.Height}))
      << name;
}

ui::Font SegoeUi(int height, bool bold, os::TColor color) {
  return {L"Segoe UI", height, bold, color};
}

TEST_P(IndicatorDpiTest, DesktopIndicatorLayout) {
  auto f = Make<indicators::TfLangInfo>();
  const int w = S(531), h = S(222), frame = S(2), inner = h - 2 * frame;
  EXPECT_EQ(f->BoundsRect(), (os::Rect{0, 0, w, h})) << "the design size until it is sized";
  EXPECT_EQ(f->Color(), os::clBtnFace);
  EXPECT_EQ(f->GetFont(), SegoeUi(S(12), false, os::clWindowText));
  EXPECT_EQ(f->GetBorderStyle(), ui::BorderStyle::None);
  EXPECT_TRUE(f->ShowHint());
  EXPECT_EQ(f->GetPopupMenu(), &tray::DM->PopupMenu);

  ExpectPlaces({
      {"PanelBorderT", &f->PanelBorderT, 0, 0, w, frame},
      {"PanelBorderB", &f->PanelBorderB, 0, h - frame, w, frame},
      {"PanelBorderL", &f->PanelBorderL, 0, frame, frame, inner},
      {"PanelBorderR", &f->PanelBorderR, w - frame, frame, frame, inner},
      {"Panel_Caps_Nums", &f->Panel_Caps_Nums, frame, frame, S(79), inner},
      {"PanelR", &f->PanelR, w - frame - S(50), frame, S(50), inner},
      {"Panel_CapsInd", &f->Panel_CapsInd, S(6), S(17), S(29), S(4)},
      {"Panel_NumInd", &f->Panel_NumInd, S(43), S(17), S(29), S(4)},
      {"L_Lang", &f->L_Lang, S(85), S(3), S(58), S(22)},
      {"Panel_Time", &f->Panel_Time, S(304), S(36), S(80), S(26)},
      {"Panel_Date", &f->Panel_Date, S(304), S(68), S(160), S(26)},
      {"btnSettings", &f->btnSettings, S(1), 0, S(23), S(22)},
      {"btnMenu", &f->btnMenu, S(26), 0, S(23), S(22)},
  });
  ExpectAutoSized("L_CAPS", f->L_CAPS, S(6), S(2));
  ExpectAutoSized("L_NUM", f->L_NUM, S(43), S(2));
  EXPECT_FALSE(f->L_Lang.AutoSize());

  for (const ui::Control* c : {&f->PanelBorderT, &f->PanelBorderB, &f->PanelBorderL,
                               &f->PanelBorderR}) {
    EXPECT_EQ(c->Color(), os::clBlack);
  }
  EXPECT_EQ(f->L_CAPS.Caption(), L"CAPS");
  EXPECT_EQ(f->L_NUM.Caption(), L"NUM");
  EXPECT_EQ(f->L_CAPS.GetFont(), SegoeUi(S(12), false, os::clBtnText));
  EXPECT_EQ(f->L_NUM.GetFont(), SegoeUi(S(12), false, os::clBtnText));
  EXPECT_EQ(f->Panel_CapsInd.Color(), Rgb(0x80, 0x80, 0x80));
  EXPECT_EQ(f->Panel_NumInd.Color(), Rgb(0x00, 0xFF, 0x00));
  EXPECT_EQ(f->L_Lang.GetFont(), SegoeUi(S(16), true, os::clBtnText));
  EXPECT_EQ(f->L_Lang.Images(), &tray::DM->IL_Flag25);
  EXPECT_EQ(f->Panel_Time.Color(), os::clBlack);
  EXPECT_EQ(f->Panel_Time.GetFont(), SegoeUi(S(16), true, Rgb(0x7F, 0xFF, 0xD4)));
  EXPECT_EQ(f->Panel_Date.Color(), os::clBlack);
  EXPECT_EQ(f->Panel_Date.GetFont(), SegoeUi(S(16), true, Rgb(0x87, 0xCE, 0xFA)));
  EXPECT_EQ(f->btnSettings.Images(), &tray::DM->IL_16);
  EXPECT_EQ(f->btnSettings.ImageIndex(), 3);
  EXPECT_EQ(tray::DM->IL_16.Name(3), L"041");
  EXPECT_EQ(f->btnSettings.Hint(), L"Settings");
  EXPECT_EQ(f->btnMenu.ImageIndex(), 2);
  EXPECT_EQ(tray::DM->IL_16.Name(2), L"category");
  EXPECT_EQ(f->btnMenu.Hint(), L"Tools");
  EXPECT_EQ(f->btnMenu.GetPopupMenu(), &tray::DM->PopupMenu);

  EXPECT_EQ(f->TimerTime.Interval(), 200);
  EXPECT_TRUE(f->TimerTime.Enabled());
  EXPECT_EQ(f->LedOffColor, Rgb(0x80, 0x80, 0x80));
  EXPECT_EQ(f->LedOnColor, Rgb(0x00, 0xFF, 0x00));
}

TEST_P(IndicatorDpiTest, MouseIndicatorLayout) {
  auto f = Make<indicators::TfLangInfoMouse>();
  const int w = S(316), h = S(369);
  const int top = S(4), bottom = S(10), side = S(6);
  const int innerW = w - 2 * side, innerH = h - top - bottom;
  EXPECT_EQ(f->BoundsRect(), (os::Rect{0, 0, w, h}));
  EXPECT_EQ(f->Color(), Rgb(0xFF, 0xFB, 0xF0));
  EXPECT_EQ(f->GetFont(), SegoeUi(S(11), false, os::clWindowText));
  EXPECT_FALSE(f->ShowHint());
  EXPECT_EQ(f->GetPopupMenu(), nullptr);

  ExpectPlaces({
      {"PanelBorderT", &f->PanelBorderT, 0, 0, w, top},
      {"PanelBorderB", &f->PanelBorderB, 0, h - bottom, w, bottom},
      {"PanelBorderL", &f->PanelBorderL, 0, top, side, innerH},
      {"PanelBorderR", &f->PanelBorderR, w - side, top, side, innerH},
      {"PanelMain (client area inside the frame)", &f->PanelMain, side, top, innerW, innerH},
      {"PanelMainInfo", &f->PanelMainInfo, 0, 0, innerW, innerH},
      {"Panel_Caps_Nums_Lang", &f->Panel_Caps_Nums_Lang, 0, 0, S(66), innerH},
      {"Panel_CapsInd", &f->Panel_CapsInd, S(2), S(15), S(29), S(4)},
      {"Panel_NumInd", &f->Panel_NumInd, S(34), S(15), S(29), S(4)},
      {"L_Lang", &f->L_Lang, S(5), S(20), S(54), S(17)},
  });
  ExpectAutoSized("L_CAPS", f->L_CAPS, S(2), 0);
  ExpectAutoSized("L_NUM", f->L_NUM, S(35), 0);
  ExpectAutoSized("L_WindowClass", f->L_WindowClass, S(73), S(2));
  ExpectAutoSized("L_AppName", f->L_AppName, S(73), S(15));
  ExpectAutoSized("L_Time", f->L_Time, S(73), S(31));

  EXPECT_EQ(f->L_CAPS.GetFont(), SegoeUi(S(11), false, os::clWindowText));
  EXPECT_EQ(f->L_Lang.GetFont(), SegoeUi(S(11), true, os::clBlack));
  EXPECT_EQ(f->L_Lang.Images(), &tray::DM->IL_Flag16);
  EXPECT_EQ(f->L_WindowClass.GetFont(), SegoeUi(S(11), true, os::clWindowText));
  EXPECT_TRUE(f->L_WindowClass.Transparent());
  EXPECT_EQ(f->L_WindowClass.Caption(), L"");
  EXPECT_EQ(f->L_AppName.Caption(), L"");
  EXPECT_FALSE(f->L_Time.Transparent());
  EXPECT_EQ(f->L_Time.Color(), os::clBlack);
  EXPECT_EQ(f->L_Time.GetFont(), SegoeUi(S(15), true, Rgb(0x87, 0xCE, 0xFA)));
  EXPECT_EQ(f->Panel_CapsInd.Color(), Rgb(0x80, 0x80, 0x80));
  EXPECT_EQ(f->Panel_NumInd.Color(), Rgb(0x00, 0xFF, 0x00));

  EXPECT_EQ(f->TimerTime.Interval(), 200);
  EXPECT_TRUE(f->TimerTime.Enabled());
  EXPECT_EQ(f->TimerAutoHide.Interval(), 3000);
  EXPECT_FALSE(f->TimerAutoHide.Enabled());
  EXPECT_EQ(f->LedOffColor, Rgb(0x80, 0x80, 0x80));
  EXPECT_EQ(f->LedOnColor, Rgb(0x00, 0xFF, 0x00));
}

TEST_P(IndicatorDpiTest, MouseIndicatorFirstLayoutWhenShown) {
  auto f = Make<indicators::TfLangInfoMouse>();
  f->SetBounds(0, 0, S(70), S(40));
  f->L_WindowClass.SetCaption(L"Notepad");
  f->L_AppName.SetCaption(L"notepad.exe");
  f->Show();
  for (const ui::Control* c : {&f->PanelBorderT, &f->PanelBorderB}) EXPECT_EQ(c->Height(), S(1));
  for (const ui::Control* c : {&f->PanelBorderL, &f->PanelBorderR}) EXPECT_EQ(c->Width(), S(1));
  EXPECT_EQ(f->Panel_Caps_Nums_Lang.GetAlign(), ui::Align::None);
  EXPECT_EQ(f->Panel_Caps_Nums_Lang.BoundsRect(),
            (os::Rect{S(1), S(1), S(1) + S(66), S(1) + S(40) - 2 * S(1)}));
  EXPECT_EQ(f->L_WindowClass.Top(), S(1));
  EXPECT_EQ(f->L_AppName.Top(), S(1) + f->L_WindowClass.Height());
  EXPECT_EQ(f->L_Time.Top(), f->L_AppName.Top() + f->L_AppName.Height());
  EXPECT_NE(::GetWindowLongPtrW(f->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_P(IndicatorDpiTest, CaretIndicatorLayout) {
  auto f = Make<indicators::TfLangInfoCaret>();
  EXPECT_EQ(f->Height(), S(20)) << "its own creation handler";
  EXPECT_EQ(f->Width(), S(316));
  EXPECT_EQ(f->GetFont(), SegoeUi(S(11), false, os::clWindowText));
  EXPECT_EQ(f->GetPopupMenu(), nullptr);
  ExpectAutoSized("L_Lang", f->L_Lang, S(20), S(2));
  ExpectAutoSized("L_CAPS", f->L_CAPS, S(42), S(2));
  ExpectAutoSized("L_NUM", f->L_NUM, S(75), S(2));
  EXPECT_EQ(f->L_Lang.Caption(), L"US");
  EXPECT_EQ(f->L_CAPS.Caption(), L"CAPS");
  EXPECT_EQ(f->L_NUM.Caption(), L"NUM");
  for (const ui::Label* l : {&f->L_Lang, &f->L_CAPS, &f->L_NUM}) {
    EXPECT_EQ(l->GetFont(), SegoeUi(S(11), true, os::clWindowText));
  }
}

TEST_P(IndicatorDpiTest, BorderWindowIsARedRectangle) {
  auto f = Make<indicators::TfDesktopBorder>();
  EXPECT_EQ(f->Color(), Rgb(0xFF, 0x00, 0x00));
  EXPECT_TRUE(f->Children().empty());
  EXPECT_EQ(f->GetBorderStyle(), ui::BorderStyle::None);
  EXPECT_EQ(f->BoundsRect(), (os::Rect{0, 0, S(635), S(275)}));
}

// The system moves the shown windows to a 192-DPI monitor: the class library scales each window
// and its controls to 192 DPI, then the window's handler puts its height back from Scale, which
// keeps the DPI of start-up.
TEST_P(IndicatorDpiTest, HeightsAfterAMonitorDpiChangeUseTheDpiOfStartUp) {
  const int start = GetParam(), moved = 192;
  monitor::fLangInfo = Make<indicators::TfLangInfo>();
  monitor::fLangInfoMouse = Make<indicators::TfLangInfoMouse>();
  auto caret = Make<indicators::TfLangInfoCaret>();
  // Sized as the main window and the pass size them, then shown.
  monitor::fLangInfo->SetBounds(300, 5, S(200), S(30));
  monitor::fLangInfoMouse->SetBounds(300, 100, S(70), S(40));
  caret->SetBounds(300, 200, S(60), S(18));
  struct Case {
    const char* Name;
    ui::Form& Form;
    int Height;                  // 96-DPI pixels, through Scale
    const ui::Control& Control;  // one of its controls
    int Left, FontHeight;        // that control's, in 96-DPI pixels at creation
  } cases[] = {
      {"desktop indicator", *monitor::fLangInfo, 30, monitor::fLangInfo->L_Lang, 85, 16},
      {"mouse indicator", *monitor::fLangInfoMouse, 40, monitor::fLangInfoMouse->L_Lang, 5, 11},
      {"caret indicator", *caret, 20, caret->L_Lang, 20, 11},
  };
  sys->Dpi = moved;  // the screen as the program would read it now
  for (const Case& c : cases) {
    c.Form.Show();
    const os::Rect b = c.Form.BoundsRect();
    RECT suggested{b.Left, b.Top, b.Left + ::MulDiv(b.Width(), moved, start),
                   b.Top + ::MulDiv(b.Height(), moved, start)};
    ::SendMessageW(c.Form.Handle(), WM_DPICHANGED, MAKEWPARAM(moved, moved),
                   reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(c.Form.Height(), ::MulDiv(c.Height, start, 96)) << c.Name;
    EXPECT_EQ(c.Form.Width(), suggested.right - suggested.left) << c.Name << ": as suggested";
    RECT window{};
    ::GetWindowRect(c.Form.Handle(), &window);
    EXPECT_EQ(window.bottom - window.top, c.Form.Height()) << c.Name;
    EXPECT_EQ(c.Form.Dpi(), moved) << c.Name;
    EXPECT_EQ(c.Control.Left(), ::MulDiv(S(c.Left), moved, start)) << c.Name << ": L_Lang";
    EXPECT_EQ(c.Control.GetFont().Height, ::MulDiv(S(c.FontHeight), moved, start))
        << c.Name << ": L_Lang";
  }
}

INSTANTIATE_TEST_SUITE_P(Dpi, IndicatorDpiTest, ::testing::Values(96, 144),
                         [](const auto& info) { return "dpi" + std::to_string(info.param); });

}  // namespace
