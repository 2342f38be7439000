// Actions shared by flat buttons.
#include <gtest/gtest.h>

#include <memory>

#include "control_host.h"
#include "support/recording_canvas.h"
#include "support/ui_pixels.h"
#include "ui/action.h"
#include "ui/flat_button.h"
#include "ui/image_list.h"

namespace {

using testing_support::CanvasOp;
using testing_support::ClickAt;
using testing_support::RecordingCanvas;

class ActionTest : public testing_support::ControlHostTest {
 protected:
  ActionTest() {
    images.Add(testing_support::SolidPng(20, 20, 0xFF00AA00));
    images.Add(testing_support::SolidPng(20, 20, 0xFF0000AA));
    // Two add buttons of 28 x 25 side by side, as in the exclusion lists' header bars.
    first.SetBounds(10, 10, 28, 25);
    second.SetBounds(40, 10, 28, 25);
    for (ui::FlatButton* b : {&first, &second}) b->SetImages(&images);
    add.SetHint(L"Add");
    add.SetImageIndex(0);
    add.OnExecute = [this] { ++executed; };
    first.SetAction(&add);
    second.SetAction(&add);
  }
  ui::ImageList images{20, 20};
  ui::Action add;
  ui::FlatButton first{&form};
  ui::FlatButton second{&form};
  int executed = 0;
};

TEST_F(ActionTest, ButtonsShowWhatTheirActionHasAndFollowItsChanges) {
  for (ui::FlatButton* b : {&first, &second}) {
    EXPECT_EQ(b->Hint(), L"Add");
    EXPECT_EQ(b->ImageIndex(), 0);
    EXPECT_TRUE(b->Enabled());
  }
  add.SetCaption(L"Reset");
  add.SetHint(L"Add via Open Dialog");
  add.SetImageIndex(1);
  add.SetEnabled(false);
  for (ui::FlatButton* b : {&first, &second}) {
    EXPECT_EQ(b->Caption(), L"Reset");
    EXPECT_EQ(b->Hint(), L"Add via Open Dialog");
    EXPECT_EQ(b->ImageIndex(), 1);
    EXPECT_FALSE(b->Enabled());
  }
  add.SetVisible(false);
  EXPECT_FALSE(second.Visible());
}

TEST_F(ActionTest, AClickOnEitherButtonRunsTheActionOnlyWhileItIsEnabled) {
  int buttonClicks = 0;
  first.OnClick = [&] { ++buttonClicks; };
  ClickAt(form, 10 + 14, 10 + 12);
  ClickAt(form, 40 + 14, 10 + 12);
  EXPECT_EQ(executed, 2);
  EXPECT_EQ(buttonClicks, 0) << "a linked button runs its action";

  add.SetEnabled(false);
  ClickAt(form, 10 + 14, 10 + 12);
  ClickAt(form, 40 + 14, 10 + 12);
  EXPECT_EQ(executed, 2);
  EXPECT_FALSE(add.Execute());

  add.SetEnabled(true);
  ClickAt(form, 40 + 14, 10 + 12);
  EXPECT_EQ(executed, 3);
}

TEST_F(ActionTest, AnUnlinkedButtonKeepsWhatItShowsAndRaisesItsOwnClick) {
  add.SetCaption(L"Add");
  int clicks = 0;
  first.OnClick = [&] { ++clicks; };
  first.SetAction(nullptr);
  add.SetCaption(L"Other");
  EXPECT_EQ(first.Caption(), L"Add");
  EXPECT_EQ(second.Caption(), L"Other");
  ClickAt(form, 10 + 14, 10 + 12);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(executed, 0);
  EXPECT_EQ(add.Clients().size(), 1u);

  // An action that goes first leaves its buttons standing, unlinked.
  auto shortLived = std::make_unique<ui::Action>();
  shortLived->SetCaption(L"Hide");
  first.SetAction(shortLived.get());
  shortLived.reset();
  EXPECT_EQ(first.GetAction(), nullptr);
  EXPECT_EQ(first.Caption(), L"Hide");
}

TEST_F(ActionTest, AFlatButtonPaintsItsImageBesideItsCaptionGreyWhenDisabled) {
  ui::FlatButton reset(&form);
  reset.SetBounds(4, 2, 90, 27);
  reset.SetCaption(L"Reset");
  reset.SetImages(&images);
  reset.SetImageIndex(1);
  RecordingCanvas canvas;
  reset.Paint(canvas);
  const auto image = canvas.OfKind(CanvasOp::Image);
  const auto text = canvas.OfKind(CanvasOp::Text);
  ASSERT_EQ(image.size(), 1u);
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(image[0].Index, 1);
  EXPECT_LT(image[0].R.Left, text[0].R.Left);
  const int textWidth = 5 * testing_support::FixedTextMeasurer::CharWidth(reset.GetFont());
  EXPECT_EQ(image[0].R.Left, (90 - (20 + 4 + textWidth)) / 2) << "image and caption centred";
  EXPECT_EQ(text[0].Color, reset.GetFont().Color);

  reset.SetEnabled(false);
  RecordingCanvas disabled;
  reset.Paint(disabled);
  EXPECT_EQ(disabled.OfKind(CanvasOp::Text)[0].Color, static_cast<os::TColor>(0xFF000011));
  form.Show();
  form.Repaint();
}

}  // namespace
