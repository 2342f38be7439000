// The colour button: its change event, its two parts, the colour dialog it opens through the
// page, and the palette of its drop-down.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control_host.h"
#include "support/recording_canvas.h"
#include "ui/color_button.h"
#include "ui/color_dialog.h"
#include "ui/popup_menu.h"

namespace {

using testing_support::ClickAt;
using testing_support::ColorDialogAnswer;

constexpr os::TColor kInfoBk = static_cast<os::TColor>(0xFF000018);  // system colour 24
constexpr os::TColor kBtnFace = static_cast<os::TColor>(0xFF00000F);  // system colour 15

// A colour button that records its drop-down instead of showing the palette's menu.
class RecordingColorButton : public ui::ColorButton {
 public:
  using ui::ColorButton::ColorButton;
  int DropDowns = 0;

 protected:
  void DropDown() override { ++DropDowns; }
};

class ColorButtonTest : public testing_support::ControlHostTest {
 protected:
  ColorButtonTest() {
    button.SetBounds(100, 50, 50, 22);  // the settings pages' size
    button.OnChange = [this] { ++changes; };
    button.OnClick = [this] { ++clicks; };
  }
  RecordingColorButton button{&form};
  int changes = 0;
  int clicks = 0;
};

TEST_F(ColorButtonTest, OnChangeRunsOnEveryActualChangeOfTheColourFromCode) {
  button.SetSelectionColor(os::clBlack);
  EXPECT_EQ(changes, 0) << "the colour it has";
  button.SetSelectionColor(0xCC6600);
  button.SetSelectionColor(0xCC6600);
  EXPECT_EQ(changes, 1);
  button.SetSelectionColor(kInfoBk);
  EXPECT_EQ(changes, 2) << "a system colour is a value of its own";
  EXPECT_EQ(button.SelectionColor(), kInfoBk);
  EXPECT_EQ(clicks, 0) << "a change is no click";
}

TEST_F(ColorButtonTest, TheMainPartRaisesOnClickAndTheArrowOpensThePalette) {
  const os::Rect arrow = button.ArrowRect();
  ClickAt(form, 100 + 10, 50 + 11);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button.DropDowns, 0);
  ClickAt(form, 100 + (arrow.Left + arrow.Right) / 2, 50 + 11);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button.DropDowns, 1);
  EXPECT_EQ(changes, 0);
  EXPECT_GT(arrow.Width(), 0);
  EXPECT_LT(arrow.Width(), 50 / 2) << "the arrow is the smaller part";
}

// The settings window's colour dialog handler: open on the button's colour, take the answer.
struct DialogHandler {
  ui::ColorDialog Dialog;
  void Run(ui::ColorButton& button) {
    Dialog.SetColor(button.SelectionColor());
    if (Dialog.Execute()) button.SetSelectionColor(Dialog.Color());
  }
};

TEST_F(ColorButtonTest, AClickOpensTheDialogOnTheResolvedColourAndOnlyAnotherColourChangesIt) {
  sys->SysColors[COLOR_INFOBK] = 0xE1FFFF;
  DialogHandler handler;
  handler.Dialog.FullOpen = true;
  button.OnClick = [&] { handler.Run(button); };

  struct Case {
    const char* What;
    os::TColor Start;
    ColorDialogAnswer Answer;
    os::TColor Shown;  // what the dialog opened on
    os::TColor After;
    int Changes;
  } cases[] = {
      {"cancel", kInfoBk, {ColorDialogAnswer::Cancel}, 0xE1FFFF, kInfoBk, 0},
      {"OK on the system colour", kInfoBk, {ColorDialogAnswer::Keep}, 0xE1FFFF, kInfoBk, 0},
      {"another colour", kInfoBk, {ColorDialogAnswer::Choose, 0x123456}, 0xE1FFFF, 0x123456, 1},
      {"the same plain colour", 0x808080, {ColorDialogAnswer::Choose, 0x808080}, 0x808080, 0x808080, 0},
      {"cancel on a plain colour", 0x00FF00, {ColorDialogAnswer::Cancel}, 0x00FF00, 0x00FF00, 0},
  };
  for (const Case& c : cases) {
    button.SetSelectionColor(c.Start);
    changes = 0;
    sys->ColorDialogAnswers.assign(sys->ColorDialogCalls.size() + 1, {});
    sys->ColorDialogAnswers.back() = c.Answer;
    ClickAt(form, 100 + 10, 50 + 11);
    ASSERT_FALSE(sys->ColorDialogCalls.empty());
    const testing_support::ColorDialogCall& call = sys->ColorDialogCalls.back();
    EXPECT_EQ(call.Initial, c.Shown) << c.What;
    EXPECT_TRUE(call.FullOpen) << c.What;
    EXPECT_EQ(button.SelectionColor(), c.After) << c.What;
    EXPECT_EQ(changes, c.Changes) << c.What;
  }
  EXPECT_EQ(sys->ColorDialogCalls.size(), std::size(cases)) << "one dialog per click";
}

TEST_F(ColorButtonTest, ThePaletteOffersTheSystemColoursAndItsChoiceRaisesOnChange) {
  ui::PopupMenu& palette = button.Palette();
  const ui::BuiltMenu built = palette.Prepare();
  auto find = [&](const std::wstring& caption) -> const ui::MenuEntry* {
    for (const ui::MenuEntry& e : built.Entries) {
      if (e.Caption == caption) return &e;
    }
    return nullptr;
  };
  for (const wchar_t* name : {L"Black", L"White", L"Red", L"Info Background", L"Button Face",
                              L"Window", L"Window Text", L"Highlight"}) {
    const ui::MenuEntry* e = find(name);
    ASSERT_NE(e, nullptr) << "missing " << std::wstring(name).size();
    EXPECT_TRUE(e->HasImage()) << "every colour shows a swatch";
  }

  const ui::MenuEntry* info = find(L"Info Background");
  EXPECT_TRUE(palette.Invoke(built, info->CommandId));
  EXPECT_EQ(button.SelectionColor(), kInfoBk) << "it stays a system colour";
  EXPECT_EQ(changes, 1);
  palette.Invoke(built, info->CommandId);
  EXPECT_EQ(changes, 1) << "the colour it has";
  palette.Invoke(built, find(L"Button Face")->CommandId);
  EXPECT_EQ(button.SelectionColor(), kBtnFace);
  palette.Invoke(built, find(L"Red")->CommandId);
  EXPECT_EQ(button.SelectionColor(), 0x0000FF);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(clicks, 0) << "a palette choice is no click";

  // The current colour is marked when the palette opens.
  const ui::BuiltMenu again = palette.Prepare();
  int marked = 0;
  for (const ui::MenuEntry& e : again.Entries) {
    if (e.Checked) {
      ++marked;
      EXPECT_EQ(e.Caption, L"Red");
    }
  }
  EXPECT_EQ(marked, 1);
}

TEST_F(ColorButtonTest, TheButtonPaintsItsColourResolvedAndTheArrow) {
  button.SetSelectionColor(0x3366CC);
  testing_support::RecordingCanvas canvas;
  button.Paint(canvas);
  const auto fills = canvas.OfKind(testing_support::CanvasOp::Fill);
  auto swatch = std::find_if(fills.begin(), fills.end(),
                             [](const auto& op) { return op.Color == 0x3366CC; });
  ASSERT_NE(swatch, fills.end());
  EXPECT_LE(swatch->R.Right, button.ArrowRect().Left) << "the colour leaves the arrow free";
  EXPECT_FALSE(canvas.OfKind(testing_support::CanvasOp::Line).empty());

  button.SetSelectionColor(kInfoBk);
  form.Show();
  form.Repaint();  // a system colour on a real DC
}

TEST_F(ColorButtonTest, TheDialogIsModalToTheFormItIsGiven) {
  ui::ColorDialog dialog;
  dialog.SetColor(0x00FF00);
  sys->ColorDialogAnswers = {{ColorDialogAnswer::Choose, 0x0000FF}};
  EXPECT_TRUE(dialog.Execute(&form));
  ASSERT_EQ(sys->ColorDialogCalls.size(), 1u);
  EXPECT_EQ(sys->ColorDialogCalls[0].Owner.Value, reinterpret_cast<std::uintptr_t>(form.Handle()));
  EXPECT_FALSE(sys->ColorDialogCalls[0].FullOpen);
  EXPECT_EQ(dialog.Color(), 0x0000FF);
  EXPECT_FALSE(dialog.Execute(&form)) << "no answer left: cancelled";
  EXPECT_EQ(dialog.Color(), 0x0000FF);
}

}  // namespace
