// A shown form that the system moves to a monitor of another DPI (WM_DPICHANGED, sent as the
// system sends it): the form and every control on it are scaled by new DPI / old DPI, once, before
// the form's own handler runs; a message for the DPI the form already has changes nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/fake_system.h"
#include "support/fixed_text_measurer.h"
#include "support/recording_canvas.h"
#include "support/ui_pixels.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/html_view.h"
#include "ui/image_label.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/native_calls.h"
#include "ui/number_box.h"
#include "ui/panel.h"
#include "ui/tree_list.h"

namespace {

using testing_support::CanvasOp;
using testing_support::FixedTextMeasurer;
using testing_support::RecordingCanvas;

// Laid out at 96 DPI: docked panels around a client panel that holds windowless, anchored,
// self-sizing and native controls.
class ScaledForm : public ui::Form {
 public:
  ScaledForm() {
    SetShowActivates(false);
    SetBounds(100, 80, 400, 300);
    SetConstraints(380, 290);
    SetFont({L"Tahoma", 13, false, os::clWindowText});
    Header.SetBounds(0, 0, 400, 31);
    Header.SetAlign(ui::Align::Top);
    Side.SetBounds(0, 0, 61, 100);
    Side.SetAlign(ui::Align::Left);
    Pad.SetAlign(ui::Align::Client);

    Title.SetBounds(10, 12, 70, 17);
    Title.SetFont({L"Tahoma", 13, true, os::clBlack});
    Status.SetFont({L"Tahoma", 15, false, os::clWindowText});
    Status.SetBounds(10, 40, 1, 1);
    Status.SetAutoSize(true);
    Status.SetCaption(L"Ready");
    Corner.SetBounds(230, 150, 41, 23);
    Corner.SetAnchors(ui::akRight | ui::akBottom);
    Field.SetBounds(10, 70, 121, 21);
    Field.SetFont({L"Tahoma", 13, false, os::clWindowText});
    Field.SetText(L"text");
    Count.SetBounds(10, 100, 61, 21);
    // A container that is not docked itself, with three thin bars docked in it.
    Group.SetBounds(200, 10, 100, 60);
    for (ui::Panel* bar : {&Bar1, &Bar2, &Bar3}) {
      bar->SetBounds(0, 0, 100, 3);
      bar->SetAlign(ui::Align::Top);
    }
    Hidden.SetBounds(150, 100, 25, 13);
    Hidden.SetVisible(false);
  }

  ui::Panel Header{this};
  ui::Panel Side{this};
  ui::Panel Pad{this};
  ui::Label Title{&Pad};
  ui::Label Status{&Pad};
  ui::Panel Corner{&Pad};
  ui::Edit Field{&Pad};
  ui::NumberBox Count{&Pad};
  ui::Panel Group{&Pad};
  ui::Panel Bar1{&Group};
  ui::Panel Bar2{&Group};
  ui::Panel Bar3{&Group};
  ui::Panel Hidden{&Pad};
};

// WM_DPICHANGED as the system sends it: the new DPI in both halves of wParam, the suggested
// window rectangle in lParam.
void SendDpiChanged(ui::Form& form, int dpi, RECT suggested) {
  ::SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

os::Rect Box(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// A native window's rectangle in its parent's client coordinates.
os::Rect NativeRect(HWND h) {
  RECT r{};
  ::GetWindowRect(h, &r);
  ::MapWindowPoints(nullptr, ::GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

LOGFONTW WindowFont(HWND h) {
  LOGFONTW lf{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(h, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
  return lf;
}

// Everything the scaling touches, to compare whole states.
struct ControlState {
  os::Rect Bounds;
  ui::Font Font;
  friend bool operator==(const ControlState&, const ControlState&) = default;
};

struct FormState {
  os::Rect Bounds;
  std::vector<ControlState> Controls;
  int SpinWidth;
  os::Rect FieldWindow, CountWindow;
  LONG FieldFont;
  friend bool operator==(const FormState&, const FormState&) = default;
};

FormState StateOf(ScaledForm& f) {
  FormState s{f.BoundsRect(), {}, f.Count.SpinWidth(), NativeRect(f.Field.Handle()),
              NativeRect(f.Count.EditHandle()), WindowFont(f.Field.Handle()).lfHeight};
  s.Controls.push_back({{}, f.GetFont()});
  for (const ui::Control* c :
       std::initializer_list<const ui::Control*>{&f.Header, &f.Side, &f.Pad, &f.Title, &f.Status,
                                                 &f.Corner, &f.Field, &f.Count, &f.Group, &f.Bar1,
                                                 &f.Bar2, &f.Bar3, &f.Hidden}) {
    s.Controls.push_back({c->BoundsRect(), c->GetFont()});
  }
  return s;
}

class DpiChangeTest : public ::testing::Test {
 protected:
  testing_support::ScopedFakeSystem sys;
  testing_support::ScopedFixedTextMeasurer measurer;
};

TEST_F(DpiChangeTest, AMoveTo144DpiScalesTheFormAndEveryControlBeforeTheHandlerRuns) {
  ScaledForm f;
  f.Show();
  // 13 and 7 pixels from the right and bottom edges: odd gaps show the rounding.
  f.Corner.SetBounds(f.Pad.Width() - 13 - 41, f.Pad.Height() - 7 - 23, 41, 23);
  std::vector<std::pair<int, int>> calls;
  int titleWidthInHandler = 0;
  f.OnAfterMonitorDpiChanged = [&](int oldDpi, int newDpi) {
    calls.emplace_back(oldDpi, newDpi);
    titleWidthInHandler = f.Title.Width();
  };

  SendDpiChanged(f, 144, RECT{90, 70, 90 + 600, 70 + 450});

  ASSERT_EQ(calls, (std::vector<std::pair<int, int>>{{96, 144}}));
  EXPECT_EQ(titleWidthInHandler, 105) << "the handler runs on the scaled form";
  EXPECT_EQ(f.Dpi(), 144);
  EXPECT_EQ(f.Px(10), 15);
  EXPECT_EQ(f.BoundsRect(), Box(90, 70, 600, 450)) << "the suggested rectangle, taken as it is";
  EXPECT_EQ(f.GetFont(), (ui::Font{L"Tahoma", 20, false, os::clWindowText}));  // 19.5

  const int cw = f.ClientWidth(), ch = f.ClientHeight();
  struct Case {
    const char* Name;
    const ui::Control& Control;
    os::Rect Bounds;
  } cases[] = {
      {"Header (docked top, 31 high)", f.Header, Box(0, 0, cw, 47)},
      {"Side (docked left, 61 wide)", f.Side, Box(0, 47, 92, ch - 47)},
      {"Pad (the rest)", f.Pad, Box(92, 47, cw - 92, ch - 47)},
      {"Title 10, 12, 70 x 17", f.Title, Box(15, 18, 105, 26)},
      {"Field 10, 70, 121 x 21", f.Field, Box(15, 105, 182, 32)},
      {"Count 10, 100, 61 x 21", f.Count, Box(15, 150, 92, 32)},
      {"Group 200, 10, 100 x 60", f.Group, Box(300, 15, 150, 90)},
      {"Bar1", f.Bar1, Box(0, 0, 150, 5)},
      {"Bar2", f.Bar2, Box(0, 5, 150, 5)},
      {"Bar3 (docked bars close up)", f.Bar3, Box(0, 10, 150, 5)},
      {"Hidden 150, 100, 25 x 13", f.Hidden, Box(225, 150, 38, 20)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Control.BoundsRect(), c.Bounds) << c.Name;

  EXPECT_EQ(f.Title.GetFont(), (ui::Font{L"Tahoma", 20, true, os::clBlack}));
  EXPECT_EQ(f.Header.GetFont().Height, 18);
  EXPECT_EQ(f.Bar3.GetFont().Height, 18);
  // A label that sizes itself measures its text again in the new font (23 = 22.5 rounded).
  const ui::Font status{L"Tahoma", 23, false, os::clWindowText};
  EXPECT_EQ(f.Status.GetFont(), status);
  EXPECT_EQ(f.Status.BoundsRect(), Box(15, 60, FixedTextMeasurer::SizeOf(L"Ready", status).Width,
                                       FixedTextMeasurer::SizeOf(L"Ready", status).Height));
  // Anchored to the right and the bottom: its distances to those edges scale too.
  EXPECT_EQ(f.Corner.Width(), 62);
  EXPECT_EQ(f.Corner.Height(), 35);
  EXPECT_EQ(f.Pad.Width() - f.Corner.BoundsRect().Right, 20);   // 19.5
  EXPECT_EQ(f.Pad.Height() - f.Corner.BoundsRect().Bottom, 11);  // 10.5

  // Native windows: placed over their controls, with the new font.
  EXPECT_EQ(NativeRect(f.Field.Handle()), f.Field.RectInForm());
  EXPECT_EQ(WindowFont(f.Field.Handle()).lfHeight, -20);
  EXPECT_EQ(f.Count.SpinWidth(), 30);
  const os::Rect count = f.Count.RectInForm();
  EXPECT_EQ(NativeRect(f.Count.EditHandle()), Box(count.Left, count.Top, 92 - 30, 32))
      << "the edit part leaves the spin buttons their new width";
  EXPECT_EQ(WindowFont(f.Count.EditHandle()).lfHeight, -18);
}

TEST_F(DpiChangeTest, ThereAndBackAgainRestoresEveryControl) {
  ScaledForm f;
  f.Show();
  const FormState at96 = StateOf(f);
  SendDpiChanged(f, 144, RECT{100, 80, 100 + 600, 80 + 450});
  const FormState at144 = StateOf(f);
  ASSERT_NE(at144, at96);
  SendDpiChanged(f, 96, RECT{100, 80, 100 + 400, 80 + 300});
  EXPECT_EQ(f.Dpi(), 96);
  const FormState back = StateOf(f);
  EXPECT_EQ(back.Bounds, at96.Bounds);
  EXPECT_EQ(back.SpinWidth, at96.SpinWidth);
  EXPECT_EQ(back.FieldWindow, at96.FieldWindow);
  EXPECT_EQ(back.CountWindow, at96.CountWindow);
  EXPECT_EQ(back.FieldFont, at96.FieldFont);
  ASSERT_EQ(back.Controls.size(), at96.Controls.size());
  for (size_t i = 0; i < back.Controls.size(); ++i) {
    EXPECT_EQ(back.Controls[i].Bounds, at96.Controls[i].Bounds) << "control " << i;
    EXPECT_EQ(back.Controls[i].Font, at96.Controls[i].Font) << "control " << i;
  }
}

TEST_F(DpiChangeTest, AMessageForTheDpiTheFormHasChangesNothing) {
  ScaledForm f;
  f.Show();
  int calls = 0;
  f.OnAfterMonitorDpiChanged = [&](int, int) { ++calls; };
  const FormState at96 = StateOf(f);
  ui::ResetNativeCallCount();
  SendDpiChanged(f, 96, RECT{100, 80, 100 + 400, 80 + 300});
  EXPECT_EQ(StateOf(f), at96);
  EXPECT_EQ(calls, 0);

  const RECT suggested{100, 80, 100 + 600, 80 + 450};
  SendDpiChanged(f, 144, suggested);
  ASSERT_EQ(calls, 1);
  const FormState at144 = StateOf(f);
  ui::ResetNativeCallCount();
  SendDpiChanged(f, 144, suggested);  // the same message once more: scaled once only
  EXPECT_EQ(ui::NativeCallCount(), 0);
  EXPECT_EQ(StateOf(f), at144);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(f.Dpi(), 144);
}

TEST_F(DpiChangeTest, TheMinimumSizeIsScaledBeforeTheSuggestedSizeIsTaken) {
  ScaledForm f;  // at least 380 x 290
  f.Show();
  SendDpiChanged(f, 144, RECT{100, 80, 100 + 600, 80 + 450});
  f.SetBounds(100, 80, 100, 100);
  EXPECT_EQ(f.BoundsRect(), Box(100, 80, 570, 435)) << "the minimum at 144 DPI";
  // Back at 96 DPI the suggested 400 x 300 is below the old minimum but not the new one.
  SendDpiChanged(f, 96, RECT{100, 80, 100 + 400, 80 + 300});
  EXPECT_EQ(f.BoundsRect(), Box(100, 80, 400, 300));
  RECT window{};
  ::GetWindowRect(f.Handle(), &window);
  EXPECT_EQ(window.right - window.left, 400);
  EXPECT_EQ(window.bottom - window.top, 300);
  f.SetBounds(100, 80, 100, 100);
  EXPECT_EQ(f.BoundsRect(), Box(100, 80, 380, 290));
}

class TreeForm : public ui::Form {
 public:
  TreeForm() {
    SetBorderStyle(ui::BorderStyle::None);
    SetShowActivates(false);
    SetBounds(0, 0, 400, 300);
    Tree.SetAlign(ui::Align::Client);
    Tree.SetFont({L"Tahoma", 13, false, os::clWindowText});
    Tree.SetHeaderHeight(24);
    Tree.SetDefaultNodeHeight(18);
    Tree.SetIndent(18);
    Tree.SetMargin(4);
    Tree.AddColumn(L"Name", 100);
    Tree.AddColumn(L"Value", 61);
  }
  ui::TreeList Tree{this};
};

int HeaderItemWidth(HWND header, int index) {
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return item.cxy;
}

TEST_F(DpiChangeTest, TheTreeListScalesItsRowsColumnsIndentAndHeader) {
  TreeForm f;
  ui::TreeList& t = f.Tree;
  ui::TreeNode* parent = t.AddChild(nullptr);
  ui::TreeNode* child = t.AddChild(parent);
  t.SetCheckBox(child, true);
  t.SetNodeHeight(child, 25);
  t.SetExpanded(parent, true);
  t.SetEditable(true);
  std::vector<std::wstring> typed;
  t.OnNewText = [&](ui::TreeNode*, int, const std::wstring& text) { typed.push_back(text); };
  f.Show();
  ASSERT_TRUE(t.EditNode(child, 1));
  ::SetWindowTextW(t.EditorHandle(), L"typed");
  SendDpiChanged(f, 144, RECT{0, 0, 600, 450});

  EXPECT_FALSE(t.IsEditing()) << "the edit was placed for the old sizes: it ends, keeping the text";
  EXPECT_EQ(typed, std::vector<std::wstring>{L"typed"});

  EXPECT_EQ(t.DefaultNodeHeight(), 27);
  EXPECT_EQ(t.HeaderHeight(), 36);
  EXPECT_EQ(t.ColumnWidth(0), 150);
  EXPECT_EQ(t.ColumnWidth(1), 92);  // 91.5
  EXPECT_EQ(parent->Height(), 27);
  EXPECT_EQ(child->Height(), 38);  // 37.5
  EXPECT_EQ(t.RowRect(child).Top, 36 + 27) << "below the header and the first row";
  EXPECT_EQ(t.CellRect(child, 1).Left, 150);
  // The child's check box starts one margin and one indent into its cell: 6 + 27.
  const int y = (t.RowRect(child).Top + t.RowRect(child).Bottom) / 2;
  EXPECT_FALSE(t.HitTest(32, y).OnCheckBox);
  EXPECT_TRUE(t.HitTest(33, y).OnCheckBox);

  HWND header = t.HeaderHandle();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(HeaderItemWidth(header, 0), 150);
  EXPECT_EQ(HeaderItemWidth(header, 1), 92);
  RECT hr{};
  ::GetWindowRect(header, &hr);
  EXPECT_EQ(hr.bottom - hr.top, 36);
  EXPECT_EQ(WindowFont(header).lfHeight, -20);
}

TEST_F(DpiChangeTest, TheTreeListKeepsTheSameRowsAndColumnsInSight) {
  TreeForm f;
  f.Tree.AddColumn(L"Wide", 500);  // the columns are wider than the client area at both DPIs
  for (int i = 0; i < 40; ++i) f.Tree.AddChild(nullptr);
  f.Show();
  f.Tree.SetTopOffset(41);
  f.Tree.SetLeftOffset(101);
  ASSERT_EQ(f.Tree.TopOffset(), 41);
  ASSERT_EQ(f.Tree.LeftOffset(), 101);
  SendDpiChanged(f, 144, RECT{0, 0, 600, 450});
  EXPECT_EQ(f.Tree.TopOffset(), 62);  // 61.5: the first row in sight is the same
  EXPECT_EQ(f.Tree.LeftOffset(), 152);  // 151.5: and so is the first column's part in sight
  EXPECT_EQ(f.Tree.CellRect(f.Tree.FirstNode(), 1).Left, 150 - 152);
}

TEST_F(DpiChangeTest, TheTreeListScrolledToItsEndsIsHeldToTheNewRangesNotTheOldOnes) {
  TreeForm f;
  f.Tree.AddColumn(L"Wide", 500);
  for (int i = 0; i < 40; ++i) f.Tree.AddChild(nullptr);
  f.Show();
  ui::TreeList& t = f.Tree;
  struct Ends {
    int Left, Top;
  };
  // Where the last column's end and the last row meet the edges, for the sizes the window has.
  const auto ends = [&](int header, int row) {
    RECT client{};
    ::GetClientRect(t.Handle(), &client);
    const int columns = t.ColumnWidth(0) + t.ColumnWidth(1) + t.ColumnWidth(2);
    return Ends{columns - client.right, 40 * row - (client.bottom - header)};
  };
  t.SetLeftOffset(100000);
  t.SetTopOffset(100000);
  Ends before = ends(24, 18);
  ASSERT_EQ(t.LeftOffset(), before.Left);
  ASSERT_EQ(t.TopOffset(), before.Top);
  ASSERT_GT(before.Left, 0);
  ASSERT_GT(before.Top, 0);
  // A larger scale: the scaled offsets overshoot the new ends and are held to them.
  SendDpiChanged(f, 144, RECT{0, 0, 600, 450});
  Ends now = ends(36, 27);
  EXPECT_EQ(t.LeftOffset(), std::min(::MulDiv(before.Left, 3, 2), now.Left));
  EXPECT_EQ(t.TopOffset(), std::min(::MulDiv(before.Top, 3, 2), now.Top));
  // And back. Held to the old window's size with the smaller columns and rows, they would lose
  // most of their way for good; the new size leaves room for all of it.
  before = {t.LeftOffset(), t.TopOffset()};
  SendDpiChanged(f, 96, RECT{0, 0, 400, 300});
  now = ends(24, 18);
  EXPECT_EQ(t.LeftOffset(), std::min(::MulDiv(before.Left, 2, 3), now.Left));
  EXPECT_EQ(t.TopOffset(), std::min(::MulDiv(before.Top, 2, 3), now.Top));
  EXPECT_GT(t.LeftOffset(), now.Left - 10) << "near the end still";
}

class NativeForm : public ui::Form {
 public:
  NativeForm() {
    SetBorderStyle(ui::BorderStyle::None);
    SetShowActivates(false);
    SetBounds(0, 0, 300, 200);
    SetShowHint(true);
    Page.SetBounds(0, 0, 200, 100);
    Page.SetFont({L"Tahoma", 12, false, os::clWindowText});
    Page.LoadHtml("<p>Hello</p>");
    Flag.SetBounds(0, 120, 80, 26);
    Flag.SetHint(L"flag");
    Flag.SetCaption(L"DE");
  }
  ui::HtmlView Page{this};
  ui::ImageLabel Flag{this};
};

LONG RichEditHeight(HWND h) {
  ::SendMessageW(h, EM_SETSEL, 0, -1);
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_SIZE;
  ::SendMessageW(h, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf.yHeight;
}

LONG StatusFontHeight(int dpi) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof(m);
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0, static_cast<UINT>(dpi));
  return m.lfStatusFont.lfHeight;
}

TEST_F(DpiChangeTest, TheRichEditTheTooltipAndTheImageLabelFollowTheNewDpi) {
  NativeForm f;
  ui::ImageList flags(16, 16);
  flags.Add(testing_support::SolidPng(16, 16, 0xFFFF0000));
  f.Flag.SetImages(&flags);
  f.Flag.SetImageIndex(0);
  f.Show();
  ::SendMessageW(f.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 130));  // makes the tooltip
  ASSERT_NE(f.HintWindow(), nullptr);
  ASSERT_NE(StatusFontHeight(96), StatusFontHeight(144)) << "the system's fonts differ by DPI";
  EXPECT_EQ(WindowFont(f.HintWindow()).lfHeight, StatusFontHeight(96));
  HDC screen = ::GetDC(nullptr);
  const int screenDpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(RichEditHeight(f.Page.Handle()), ::MulDiv(12, 1440, screenDpi));

  SendDpiChanged(f, 144, RECT{0, 0, 450, 300});

  EXPECT_EQ(RichEditHeight(f.Page.Handle()), ::MulDiv(18, 1440, screenDpi))
      << "the page is shown again in its 18-pixel font";
  EXPECT_EQ(NativeRect(f.Page.Handle()), Box(0, 0, 300, 150));
  EXPECT_EQ(WindowFont(f.HintWindow()).lfHeight, StatusFontHeight(144));
  TTTOOLINFOW tool{sizeof(tool)};
  tool.hwnd = f.Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(&f.Flag);
  ASSERT_TRUE(::SendMessageW(f.HintWindow(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ((os::Rect{tool.rect.left, tool.rect.top, tool.rect.right, tool.rect.bottom}),
            Box(0, 180, 120, 39))
      << "the hint's area moved with its control";
  // The image 2 * 1.5 from the edge, the caption 4 * 1.5 after it.
  RecordingCanvas canvas;
  f.Flag.Paint(canvas);
  ASSERT_EQ(canvas.OfKind(CanvasOp::Image).size(), 1u);
  EXPECT_EQ(canvas.OfKind(CanvasOp::Image)[0].R.Left, 3);
  EXPECT_EQ(canvas.OfKind(CanvasOp::Text)[0].R.Left, 3 + 16 + 6);
}

}  // namespace
