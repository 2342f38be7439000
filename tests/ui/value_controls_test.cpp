// The value controls' contract: the change event runs when the value is set from code and when
// the user changes it, and only on an actual change; captions and item lists raise nothing;
// rewriting a value makes no native call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_host.h"
#include "support/recording_canvas.h"
#include "ui/check_box.h"
#include "ui/native_calls.h"
#include "ui/radio_group.h"

namespace {

using testing_support::CanvasOp;
using testing_support::ClickAt;
using testing_support::RecordingCanvas;

class ValueControlsTest : public testing_support::ControlHostTest {};

TEST_F(ValueControlsTest, ACheckBoxRaisesOnClickOnEveryChangeFromCodeOrClickAndOnNoRewrite) {
  ui::CheckBox box(&form);
  box.SetBounds(10, 20, 120, 17);
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  form.Show();

  struct Step {
    const char* What;
    bool FromCode;
    bool Value;  // FromCode: the value written
    bool Expected;
    int ClicksAfter;
  } steps[] = {
      {"unchanged from code", true, false, false, 0},
      {"checked from code", true, true, true, 1},
      {"checked again", true, true, true, 1},
      {"user clicks the box", false, false, false, 2},
      {"user clicks the caption", false, false, true, 3},
      {"unchecked from code", true, false, false, 4},
  };
  for (const Step& s : steps) {
    if (s.FromCode) {
      box.SetChecked(s.Value);
    } else {
      ClickAt(form, s.Value ? 10 + 60 : 10 + 5, 20 + 8);
    }
    EXPECT_EQ(box.Checked(), s.Expected) << s.What;
    EXPECT_EQ(clicks, s.ClicksAfter) << s.What;
  }

  box.SetCaption(L"Show Workarea Border");
  EXPECT_EQ(clicks, 4) << "a caption raises nothing";
  ui::ResetNativeCallCount();
  box.SetChecked(false);
  box.SetCaption(L"Show Workarea Border");
  EXPECT_EQ(ui::NativeCallCount(), 0) << "a rewrite repaints nothing";
}

TEST_F(ValueControlsTest, APressReleasedOutsideTheCheckBoxChangesNothing) {
  ui::CheckBox box(&form);
  box.SetBounds(10, 20, 120, 17);
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  ::SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 28));
  ::SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 0);
}

// The caret position group of the settings window: 150 x 110, a caption, four items.
struct PositionGroup {
  explicit PositionGroup(ui::Form& form) : Group(&form) {
    Group.SetBounds(20, 30, 150, 110);
    Group.SetCaption(L" Position ");
    Group.SetItems({L"Top Left", L"Top Right", L"Bottom Left", L"Bottom Right"});
    Group.OnClick = [this] { Clicks.push_back(Group.ItemIndex()); };
  }
  // The middle of an item's row in form coordinates.
  POINT ItemPoint(int index) const {
    const os::Rect r = Group.ItemRect(index);
    return {20 + r.Left + 20, 30 + (r.Top + r.Bottom) / 2};
  }
  ui::RadioGroup Group;
  std::vector<int> Clicks;
};

TEST_F(ValueControlsTest, ARadioGroupRaisesOnClickOnEveryChangeOfItemIndexOnly) {
  PositionGroup g(form);
  EXPECT_EQ(g.Group.ItemIndex(), -1);

  struct Step {
    int Set;  // from code
    int Expected;
  } steps[] = {{-1, -1}, {2, 2}, {2, 2}, {3, 3}, {9, 3}, {4, 3}, {-7, -1}, {0, 0}};
  std::vector<int> expectedClicks;
  int last = -1;
  for (const Step& s : steps) {
    g.Group.SetItemIndex(s.Set);
    EXPECT_EQ(g.Group.ItemIndex(), s.Expected) << "set " << s.Set;
    if (s.Expected != last) expectedClicks.push_back(s.Expected);
    last = s.Expected;
  }
  EXPECT_EQ(g.Clicks, expectedClicks) << "clamped to -1..count-1; raised only on a change";

  g.Clicks.clear();
  const POINT second = g.ItemPoint(1);
  ClickAt(form, second.x, second.y);
  EXPECT_EQ(g.Group.ItemIndex(), 1);
  ClickAt(form, second.x, second.y);
  const POINT fourth = g.ItemPoint(3);
  ClickAt(form, fourth.x, fourth.y);
  EXPECT_EQ(g.Clicks, (std::vector<int>{1, 3})) << "a click on the chosen item raises nothing";
  ClickAt(form, 20 + 5, 30 + 2);  // on the caption
  EXPECT_EQ(g.Group.ItemIndex(), 3);
}

TEST_F(ValueControlsTest, ReCaptioningARadioGroupKeepsItsItemRaisesNothingAndRepaintsOnce) {
  PositionGroup g(form);
  g.Group.SetItemIndex(2);
  g.Clicks.clear();
  form.Show();

  // The texts of the window's second language, set inside one update bracket.
  const std::vector<std::wstring> texts{L"Сверху слева", L"Сверху справа", L"Снизу слева",
                                        L"Снизу справа"};
  ui::ResetNativeCallCount();
  g.Group.BeginUpdate();
  for (int i = 0; i < 4; ++i) g.Group.SetItem(i, texts[static_cast<size_t>(i)]);
  g.Group.EndUpdate();
  EXPECT_EQ(g.Group.Items(), texts);
  EXPECT_EQ(g.Group.ItemIndex(), 2);
  EXPECT_TRUE(g.Clicks.empty());
  EXPECT_EQ(ui::NativeCallCount(), 1) << "one repaint for the whole bracket";

  ui::ResetNativeCallCount();
  g.Group.SetItems(texts);
  g.Group.SetCaption(L" Position ");
  g.Group.SetItem(7, L"out of range");
  EXPECT_EQ(ui::NativeCallCount(), 0) << "the same texts again change nothing";

  // The tray page's groups: "Mode 1" to "Mode 7"; a shorter list keeps the index in range,
  // quietly.
  std::vector<std::wstring> modes;
  for (int i = 1; i <= 7; ++i) modes.push_back(L"Mode " + std::to_wstring(i));
  g.Group.SetItems(modes);
  g.Group.SetItemIndex(6);
  g.Clicks.clear();
  g.Group.SetItems({L"Mode 1", L"Mode 2"});
  EXPECT_EQ(g.Group.ItemIndex(), 1);
  EXPECT_TRUE(g.Clicks.empty());
}

TEST_F(ValueControlsTest, ValueControlsPaintTheirState) {
  ui::CheckBox box(&form);
  box.SetBounds(0, 0, 100, 17);
  box.SetCaption(L"R");
  RecordingCanvas unchecked;
  box.Paint(unchecked);
  EXPECT_TRUE(unchecked.OfKind(CanvasOp::Line).empty()) << "no tick";
  box.SetChecked(true);
  RecordingCanvas checked;
  box.Paint(checked);
  EXPECT_FALSE(checked.OfKind(CanvasOp::Line).empty()) << "a tick";
  ASSERT_EQ(checked.OfKind(CanvasOp::Text).size(), 1u);
  EXPECT_EQ(checked.OfKind(CanvasOp::Text)[0].String, L"R");
  EXPECT_GE(checked.OfKind(CanvasOp::Text)[0].R.Left, ui::CheckBox::kBoxSize) << "right of the box";

  PositionGroup g(form);
  g.Group.SetItemIndex(1);
  RecordingCanvas group;
  g.Group.Paint(group);
  std::vector<std::wstring> texts;
  for (const CanvasOp& op : group.OfKind(CanvasOp::Text)) texts.push_back(op.String);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L" Position ", L"Top Left", L"Top Right",
                                              L"Bottom Left", L"Bottom Right"}));
  // Ellipses record as fills: four circles and one dot, the dot inside the second circle.
  std::vector<os::Rect> dots;
  for (const CanvasOp& op : group.OfKind(CanvasOp::Fill)) {
    if (op.Color == static_cast<os::TColor>(0xFF000008)) dots.push_back(op.R);
  }
  ASSERT_EQ(dots.size(), 1u);
  const os::Rect row = g.Group.ItemRect(1);
  EXPECT_GE(dots[0].Top, row.Top);
  EXPECT_LE(dots[0].Bottom, row.Bottom);

  // The same on a real window, double-buffered by the form.
  form.Show();
  form.Repaint();
}

}  // namespace
