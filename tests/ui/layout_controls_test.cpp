// Anchors, the splitter, shapes, bevels and pictures.
#include <gtest/gtest.h>

#include "control_host.h"
#include "os/error.h"
#include "support/recording_canvas.h"
#include "support/ui_pixels.h"
#include "ui/bevel.h"
#include "ui/image.h"
#include "ui/native_calls.h"
#include "ui/panel.h"
#include "ui/shape.h"
#include "ui/splitter.h"

namespace {

using testing_support::CanvasOp;
using testing_support::RecordingCanvas;

class LayoutControlsTest : public testing_support::ControlHostTest {};

TEST_F(LayoutControlsTest, AnchoredControlsKeepTheirDistancesWhenTheParentResizes) {
  ui::Panel page(nullptr);
  page.SetBounds(0, 0, 935, 490);
  struct Case {
    const char* What;
    unsigned Anchors;
    os::Rect Before;
    os::Rect After;  // once the page is 1035 x 540
  } cases[] = {
      {"left and top (the default)", ui::akLeft | ui::akTop, {10, 10, 100, 40}, {10, 10, 100, 40}},
      {"top right: moves", ui::akTop | ui::akRight, {821, 9, 883, 30}, {921, 9, 983, 30}},
      {"left, top and right: stretches", ui::akLeft | ui::akTop | ui::akRight,
       {407, 1, 931, 67}, {407, 1, 1031, 67}},
      {"bottom: moves down", ui::akLeft | ui::akBottom, {158, 400, 435, 475}, {158, 450, 435, 525}},
      {"all four: grows both ways", ui::akLeft | ui::akTop | ui::akRight | ui::akBottom,
       {5, 5, 930, 485}, {5, 5, 1030, 535}},
  };
  std::vector<std::unique_ptr<ui::Panel>> children;
  for (const Case& c : cases) {
    auto child = std::make_unique<ui::Panel>(&page);
    child->SetBounds(c.Before.Left, c.Before.Top, c.Before.Width(), c.Before.Height());
    child->SetAnchors(c.Anchors);
    children.push_back(std::move(child));
  }
  page.SetBounds(0, 0, 1035, 540);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(children[i]->BoundsRect(), cases[i].After) << cases[i].What;
  }
  page.SetBounds(0, 0, 935, 490);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(children[i]->BoundsRect(), cases[i].Before) << cases[i].What << ", back";
  }

  // Moved by code, the control keeps its new distance from then on.
  ui::Panel& topRight = *children[1];
  topRight.SetLeft(800);
  page.SetWidth(1035);
  EXPECT_EQ(topRight.Left(), 900);
}

TEST_F(LayoutControlsTest, AButtonAnchoredTopRightFollowsTheWindowsRightEdgeWhenTheUserResizes) {
  // The bottom bar's Hide button: 90 x 30, top 1, 6 pixels from the right edge.
  ui::Panel bar(&form);
  bar.SetBounds(0, 0, 0, 34);
  bar.SetAlign(ui::Align::Bottom);
  ui::Panel hide(&bar);
  const int width = form.ClientWidth();
  hide.SetBounds(width - 6 - 90, 1, 90, 30);
  hide.SetAnchors(ui::akTop | ui::akRight);
  form.Show();

  // The window resized natively, as the user's drag of the frame does.
  ::SetWindowPos(form.Handle(), nullptr, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(form.ClientWidth(), 600);
  EXPECT_EQ(hide.BoundsRect(), (os::Rect{600 - 6 - 90, 1, 600 - 6, 31}));
  ::SetWindowPos(form.Handle(), nullptr, 0, 0, 350, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(hide.Left(), 350 - 6 - 90);
}

// The first exclusion page's columns: the window-class column 300 wide, a splitter, the
// application column filling the rest.
struct Columns {
  explicit Columns(ui::Control* parent) {
    Page.SetParent(parent);
    Page.SetBounds(0, 0, 400, 200);
    Left.SetBounds(0, 0, 300, 0);
    Left.SetAlign(ui::Align::Left);
    Bar.SetBounds(0, 0, 4, 0);
    Bar.SetAlign(ui::Align::Left);
    Rest.SetAlign(ui::Align::Client);
    Bar.OnMoved = [this] { ++Moves; };
  }
  ui::Panel Page{nullptr};
  ui::Panel Left{&Page};
  ui::Splitter Bar{&Page};
  ui::Panel Rest{&Page};
  int Moves = 0;
};

TEST_F(LayoutControlsTest, DraggingTheSplitterResizesTheColumnBeforeItWithinMinSize) {
  Columns c(&form);
  ASSERT_EQ(c.Bar.ResizedControl(), &c.Left);
  EXPECT_EQ(c.Bar.Left(), 300);
  EXPECT_EQ(c.Rest.Width(), 96);

  struct Drag {
    int By;
    int LeftWidth;
  } drags[] = {{-100, 200}, {+30, 230}, {+500, 400 - 4 - 30}, {-900, 30}, {0, 30}};
  int expectedMoves = 0;
  int width = 300;
  for (const Drag& d : drags) {
    const int x = c.Bar.Left() + 2;
    testing_support::DragFromTo(form, x, 50, x + d.By, 60);
    EXPECT_EQ(c.Left.Width(), d.LeftWidth) << "by " << d.By;
    EXPECT_EQ(c.Bar.Left(), d.LeftWidth) << "the bar follows";
    EXPECT_EQ(c.Rest.Left(), d.LeftWidth + 4);
    if (d.LeftWidth != width) ++expectedMoves;
    width = d.LeftWidth;
    EXPECT_EQ(c.Moves, expectedMoves) << "OnMoved once per drag that moved";
  }
  EXPECT_NE(c.Bar.CursorName(), nullptr);
}

TEST_F(LayoutControlsTest, APressOutsideTheSplitterDragsNothing) {
  Columns c(&form);
  testing_support::DragFromTo(form, 100, 50, 150, 50);
  EXPECT_EQ(c.Left.Width(), 300);
  EXPECT_EQ(c.Moves, 0);
}

TEST_F(LayoutControlsTest, AShapeIsFilledInItsBrushAndFramedInItsPen) {
  ui::Shape line(&form);
  line.SetBounds(0, 0, 8, 150);
  line.SetBrushColor(0x808080);
  line.SetPenColor(0x808080);
  RecordingCanvas canvas;
  line.Paint(canvas);
  ASSERT_EQ(canvas.Ops.size(), 2u);
  EXPECT_EQ(canvas.Ops[0].What, CanvasOp::Fill);
  EXPECT_EQ(canvas.Ops[0].R, (os::Rect{0, 0, 8, 150}));
  EXPECT_EQ(canvas.Ops[1].What, CanvasOp::Frame);

  // On pixels: brush inside, pen on the outermost ring.
  line.SetBounds(0, 0, 6, 5);
  line.SetBrushColor(os::clLime);
  line.SetPenColor(os::clRed);
  testing_support::Surface s(6, 5);
  ui::Canvas real(s.Dc());
  line.Paint(real);
  EXPECT_EQ(s.CountOf(RECT{1, 1, 5, 4}, RGB(0, 255, 0)), 4 * 3);
  EXPECT_EQ(s.CountOf(RECT{0, 0, 6, 5}, RGB(255, 0, 0)), 6 * 5 - 4 * 3);

  form.Show();
  ui::ResetNativeCallCount();
  line.SetBrushColor(os::clLime);
  line.SetPenColor(os::clRed);
  line.SetPenWidth(1);
  EXPECT_EQ(ui::NativeCallCount(), 0);
}

TEST_F(LayoutControlsTest, ABevelDrawsItsEtchedLinesOnly) {
  ui::Bevel bevel(&form);
  bevel.SetBounds(0, 148, 400, 2);
  bevel.SetShape(ui::BevelShape::TopLine);
  RecordingCanvas line;
  bevel.Paint(line);
  EXPECT_TRUE(line.OfKind(CanvasOp::Fill).empty()) << "the background shows through";
  const auto lines = line.OfKind(CanvasOp::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Color, ui::Bevel::kShadow) << "lowered: dark above";
  EXPECT_EQ(lines[1].Color, ui::Bevel::kHighlight);
  EXPECT_EQ(lines[0].R, (os::Rect{0, 0, 400, 0}));

  bevel.SetShape(ui::BevelShape::Box);
  bevel.SetBounds(9, 9, 82, 30);
  bevel.SetStyle(ui::BevelStyle::Raised);
  RecordingCanvas box;
  bevel.Paint(box);
  ASSERT_EQ(box.OfKind(CanvasOp::Line).size(), 4u);
  EXPECT_EQ(box.OfKind(CanvasOp::Line)[0].Color, ui::Bevel::kHighlight) << "raised: light above";
}

TEST_F(LayoutControlsTest, APictureShowsAtItsCornerOrCentred) {
  ui::Image picture(&form);
  picture.SetBounds(158, -2, 277, 75);
  RecordingCanvas empty;
  picture.Paint(empty);
  EXPECT_TRUE(empty.Ops.empty());

  picture.LoadPng(testing_support::SolidPng(40, 20, 0xFF336699));
  EXPECT_EQ(picture.PictureWidth(), 40);
  EXPECT_EQ(picture.PictureHeight(), 20);
  RecordingCanvas corner;
  picture.Paint(corner);
  ASSERT_EQ(corner.OfKind(CanvasOp::Image).size(), 1u);
  EXPECT_EQ(corner.OfKind(CanvasOp::Image)[0].R.Left, 0);
  picture.SetCenter(true);
  RecordingCanvas centred;
  picture.Paint(centred);
  EXPECT_EQ(centred.OfKind(CanvasOp::Image)[0].R.Left, (277 - 40) / 2);
  EXPECT_EQ(centred.OfKind(CanvasOp::Image)[0].R.Top, (75 - 20) / 2);

  EXPECT_THROW(picture.LoadPng("not a picture"), os::Error);
  EXPECT_EQ(picture.PictureWidth(), 40) << "the old picture stays";
  EXPECT_THROW(picture.LoadFromResource(L"NO_SUCH_PICTURE"), os::Error);
  EXPECT_THROW(picture.LoadFromResource(L"UITEXT_ENGLISH"), os::Error) << "no PNG";
  EXPECT_EQ(picture.PictureWidth(), 40);
  picture.LoadFromResource(L"PNG4X3_16_AD");  // a flag of the program's own resources
  EXPECT_EQ(picture.PictureHeight(), 16);
  EXPECT_FALSE(picture.Empty());
  picture.Clear();
  EXPECT_TRUE(picture.Empty());
  form.Show();
  form.Repaint();
}

}  // namespace
