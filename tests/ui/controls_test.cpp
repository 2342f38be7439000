// Labels that size themselves, the image label, alignment and dock order.
#include <gtest/gtest.h>

#include "support/fake_system.h"
#include "support/fixed_text_measurer.h"
#include "support/recording_canvas.h"
#include "ui/form.h"
#include "ui/image_label.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "support/ui_pixels.h"

namespace {

using testing_support::CanvasOp;
using testing_support::FixedTextMeasurer;
using testing_support::RecordingCanvas;

class ControlsTest : public ::testing::Test {
 protected:
  testing_support::ScopedFakeSystem sys;
  testing_support::ScopedFixedTextMeasurer measurer;
};

TEST_F(ControlsTest, AnAutoSizedLabelTakesTheSizeOfItsTextAndKeepsItsCorner) {
  ui::Panel parent(nullptr);
  ui::Label label(&parent);
  const ui::Font font{L"Segoe UI", 12, false, os::clBlack};
  label.SetFont(font);
  label.SetBounds(10, 20, 99, 99);
  label.SetCaption(L"CAPS");
  EXPECT_EQ(label.Width(), 99) << "no automatic size unless asked";

  label.SetAutoSize(true);
  EXPECT_EQ(label.BoundsRect(), (os::Rect{10, 20, 10 + 4 * 6, 20 + 15}));
  label.SetCaption(L"NUMLOCK");
  EXPECT_EQ(label.Width(), 7 * 6);
  label.SetFontBold(true);
  EXPECT_EQ(label.Width(), 7 * 7) << "a font change measures again";
  label.SetCaption(L"A&&B");
  EXPECT_EQ(label.Width(), 3 * 7) << "the text as it shows";
  label.SetCaption(L"");
  EXPECT_EQ(label.Width(), 7) << "an empty label keeps the width of a blank";
  EXPECT_EQ(label.Height(), 15);
  EXPECT_EQ(label.Left(), 10);
  EXPECT_EQ(label.Top(), 20);
}

TEST_F(ControlsTest, TheImageLabelDrawsItsImageLeftOfItsCaption) {
  ui::ImageList images(16, 16);
  images.Add(testing_support::SolidPng(16, 16, 0xFFFF0000));
  ui::Panel parent(nullptr);
  ui::ImageLabel label(&parent);
  label.SetBounds(0, 0, 60, 26);
  label.SetCaption(L"DE");
  label.SetImages(&images);

  struct Case {
    int Index;
    bool DrawsImage;
    int TextLeft;
  } cases[] = {{0, true, 2 + 16 + 4}, {-1, false, 2}, {1, false, 2}};
  for (const Case& c : cases) {
    label.SetImageIndex(c.Index);
    RecordingCanvas canvas;
    label.Paint(canvas);
    const auto drawn = canvas.OfKind(CanvasOp::Image);
    ASSERT_EQ(drawn.size(), c.DrawsImage ? 1u : 0u) << "index " << c.Index;
    if (c.DrawsImage) {
      EXPECT_EQ(drawn[0].Index, 0);
      EXPECT_EQ(drawn[0].R.Left, 2);
      EXPECT_EQ(drawn[0].R.Top, (26 - 16) / 2) << "centred vertically";
    }
    const auto text = canvas.OfKind(CanvasOp::Text);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].String, L"DE");
    EXPECT_EQ(text[0].R.Left, c.TextLeft) << "index " << c.Index;
  }
}

TEST_F(ControlsTest, OpaqueAndTransparentLabels) {
  ui::Panel parent(nullptr);
  ui::Label label(&parent);
  label.SetBounds(0, 0, 30, 10);
  label.SetColor(os::clBlack);
  RecordingCanvas transparent;
  label.Paint(transparent);
  EXPECT_TRUE(transparent.OfKind(CanvasOp::Fill).empty());
  label.SetTransparent(false);
  RecordingCanvas opaque;
  label.Paint(opaque);
  ASSERT_EQ(opaque.OfKind(CanvasOp::Fill).size(), 1u);
  EXPECT_EQ(opaque.OfKind(CanvasOp::Fill)[0].Color, os::clBlack);
}

// A frame of four panels with a content panel on the left and one on the right, as the
// indicators have it.
struct Framed {
  ui::Panel Root{nullptr};
  ui::Panel T{&Root}, B{&Root}, L{&Root}, R{&Root}, Content{&Root}, Right{&Root};
  Framed() {
    Root.SetBounds(0, 0, 200, 50);
    T.SetBounds(0, 0, 10, 2), T.SetAlign(ui::Align::Top);
    B.SetBounds(0, 0, 10, 3), B.SetAlign(ui::Align::Bottom);
    L.SetBounds(0, 0, 4, 10), L.SetAlign(ui::Align::Left);
    R.SetBounds(0, 0, 5, 10), R.SetAlign(ui::Align::Right);
    Content.SetBounds(0, 0, 30, 10), Content.SetAlign(ui::Align::Left);
    Right.SetBounds(0, 0, 40, 10), Right.SetAlign(ui::Align::Right);
  }
};

TEST_F(ControlsTest, AlignedPanelsDockInCreationOrderAndFollowChanges) {
  Framed f;
  EXPECT_EQ(f.T.BoundsRect(), (os::Rect{0, 0, 200, 2}));
  EXPECT_EQ(f.B.BoundsRect(), (os::Rect{0, 47, 200, 50}));
  EXPECT_EQ(f.L.BoundsRect(), (os::Rect{0, 2, 4, 47}));
  EXPECT_EQ(f.Content.BoundsRect(), (os::Rect{4, 2, 34, 47}));
  EXPECT_EQ(f.R.BoundsRect(), (os::Rect{195, 2, 200, 47}));
  EXPECT_EQ(f.Right.BoundsRect(), (os::Rect{155, 2, 195, 47}));

  f.T.SetHeight(6);  // a thicker frame pushes the rest
  EXPECT_EQ(f.L.BoundsRect(), (os::Rect{0, 6, 4, 47}));
  f.Root.SetWidth(300);
  EXPECT_EQ(f.R.BoundsRect(), (os::Rect{295, 6, 300, 47}));

  f.Content.SetAlign(ui::Align::None);  // keeps its place, no longer docked
  EXPECT_EQ(f.Content.BoundsRect(), (os::Rect{4, 6, 34, 47}));
  f.L.SetWidth(8);
  EXPECT_EQ(f.Content.Left(), 4);
  f.Content.SetAlign(ui::Align::Client);
  EXPECT_EQ(f.Content.BoundsRect(), (os::Rect{8, 6, 255, 47}));
}

TEST_F(ControlsTest, APanelMovedOutermostDocksBeforeItsSiblings) {
  Framed f;
  f.Content.SetDockOutermost();
  EXPECT_EQ(f.Content.BoundsRect(), (os::Rect{0, 2, 30, 47}));
  EXPECT_EQ(f.L.BoundsRect(), (os::Rect{30, 2, 34, 47}));
  f.L.SetDockOutermost();
  EXPECT_EQ(f.L.BoundsRect(), (os::Rect{0, 2, 4, 47}));
  EXPECT_EQ(f.Content.BoundsRect(), (os::Rect{4, 2, 34, 47}));
  f.R.SetDockOutermost();  // already outermost: nothing moves
  EXPECT_EQ(f.R.BoundsRect(), (os::Rect{195, 2, 200, 47}));
}

TEST_F(ControlsTest, ADockedPanelTakesOnlyItsThicknessFromItsBounds) {
  Framed f;
  f.R.SetLeft(200);  // as if to push it further out: the dock order decides that
  EXPECT_EQ(f.R.BoundsRect(), (os::Rect{195, 2, 200, 47}));
  f.R.SetBounds(0, 0, 7, 3);
  EXPECT_EQ(f.R.BoundsRect(), (os::Rect{193, 2, 200, 47}));
  f.T.SetBounds(9, 9, 9, 4);
  EXPECT_EQ(f.T.BoundsRect(), (os::Rect{0, 0, 200, 4}));
  f.L.SetTop(30);
  EXPECT_EQ(f.L.BoundsRect(), (os::Rect{0, 4, 4, 47}));
}

TEST_F(ControlsTest, HiddenAlignedPanelsGiveUpTheirPlace) {
  Framed f;
  f.L.SetVisible(false);
  EXPECT_EQ(f.Content.Left(), 0);
  f.L.SetVisible(true);
  EXPECT_EQ(f.Content.Left(), 4);
}

}  // namespace
