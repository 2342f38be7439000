// The caret indicator paints its background by language, a grey frame when asked, the flag of
// the size its height allows, and a separator after the language code.
#include <memory>
#include <vector>

#include "core/common.h"
#include "indicator_fixture.h"
#include "indicators/lang_info_caret.h"
#include "support/recording_canvas.h"

namespace {

using testing_support::CanvasOp;
using testing_support::FixedTextMeasurer;
using testing_support::IndicatorTest;
using testing_support::OfKind;
using testing_support::RecordingCanvas;
using testing_support::Rgb;

class CaretPaint : public IndicatorTest {
 protected:
  void SetUp() override {
    IndicatorTest::SetUp();
    core::Settings = std::make_unique<core::TSettings>();
    caret = Make<indicators::TfLangInfoCaret>();
    caret->SetBounds(20, 20, S(107), S(18));
  }
  std::vector<CanvasOp> Paint() {
    RecordingCanvas canvas;
    caret->FormPaint(canvas);
    return canvas.Ops;
  }
  os::TColor Background() {
    const std::vector<CanvasOp> ops = Paint();
    EXPECT_FALSE(ops.empty());
    if (ops.empty()) return -1;
    EXPECT_EQ(ops[0].What, CanvasOp::Fill) << "the background comes first";
    EXPECT_EQ(ops[0].R, (os::Rect{0, 0, caret->Width(), caret->Height()}));
    return ops[0].Color;
  }
  ui::Owned<indicators::TfLangInfoCaret> caret;
};

TEST_F(CaretPaint, BackgroundByLanguageThenUsThenTheTooltipColour) {
  core::TSettings& s = *core::Settings;
  s.CaretIndicator_IsColorsByLang = true;
  s.CaretIndicator_Color_Main_Background = Rgb(0x12, 0x34, 0x56);
  struct Case {
    const wchar_t* Lang;
    core::TStringList List;
    os::TColor Expected;
  } cases[] = {
      {L"DE", {L"US=FF0000", L"DE=00FF00"}, Rgb(0x00, 0xFF, 0x00)},
      {L"de", {L"US=FF0000", L"De=0000FF", L"DE=00FF00"}, Rgb(0x00, 0x00, 0xFF)},
      {L"FR", {L"US=FF0000", L"DE=00FF00"}, Rgb(0xFF, 0x00, 0x00)},
      {L"FR", {L"DE=00FF00"}, os::clInfoBk},
      {L"FR", {}, os::clInfoBk},
      {L"DE", {L"DE=not a colour", L"US=FF0000"}, Rgb(0xFF, 0x00, 0x00)},
      {L"DE", {L"DE=xyz", L"US=#zz"}, os::clInfoBk},
  };
  for (const Case& c : cases) {
    caret->L_Lang.SetHint(c.Lang);
    s.CaretIndicator_SL_Lang_Color_Background = c.List;
    EXPECT_EQ(Background(), c.Expected) << "case " << (&c - cases);
  }
}

TEST_F(CaretPaint, WithColoursByLanguageOffTheMainBackgroundWhateverTheListHolds) {
  core::TSettings& s = *core::Settings;
  s.CaretIndicator_IsColorsByLang = false;
  s.CaretIndicator_Color_Main_Background = Rgb(0x12, 0x34, 0x56);
  s.CaretIndicator_SL_Lang_Color_Background = {L"US=FF0000", L"DE=00FF00"};
  caret->L_Lang.SetHint(L"DE");
  EXPECT_EQ(Background(), Rgb(0x12, 0x34, 0x56));
}

TEST_F(CaretPaint, BeforeTheSettingsExistItPaintsTheDefaults) {
  core::Settings.reset();
  const core::TSettings defaults;
  const std::vector<CanvasOp> ops = Paint();
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops[0].What, CanvasOp::Fill);
  EXPECT_EQ(OfKind(ops, CanvasOp::Frame).size(),
            defaults.CaretIndicator_IsDrawBlackBorder ? 1u : 0u);
}

TEST_F(CaretPaint, AGreyOnePixelFrameOnTheOutermostPixelsOnlyWhenAskedFor) {
  for (bool on : {true, false}) {
    core::Settings->CaretIndicator_IsDrawBlackBorder = on;
    const auto frames = OfKind(Paint(), CanvasOp::Frame);
    ASSERT_EQ(frames.size(), on ? 1u : 0u);
    if (!on) continue;
    EXPECT_EQ(frames[0].R, (os::Rect{0, 0, caret->Width(), caret->Height()}));
    EXPECT_EQ(frames[0].Color, Rgb(0x80, 0x80, 0x80));
    EXPECT_EQ(frames[0].Thickness, 1);
  }
}

TEST_F(CaretPaint, TheFlagListFollowsTheWindowHeight) {
  caret->FlagIndex = 1;
  struct Case {
    int Height;
    const ui::ImageList* List;
  } cases[] = {{18, &tray::DM->IL_Flag16}, {25, &tray::DM->IL_Flag16}, {26, &tray::DM->IL_Flag25},
               {27, &tray::DM->IL_Flag25}};
  for (const Case& c : cases) {
    caret->SetHeight(c.Height);
    const auto images = OfKind(Paint(), CanvasOp::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Images, c.List) << "height " << c.Height;
    EXPECT_EQ(images[0].Index, 1);
    EXPECT_EQ(images[0].R.Left, S(2));
    EXPECT_EQ(images[0].R.Top, S(1));
  }
}

TEST_F(CaretPaint, TheSeparatorFollowsTheLanguageCode) {
  const ui::Font font = caret->L_Lang.GetFont();
  for (const wchar_t* code : {L"US", L"ENG", L"X"}) {
    caret->L_Lang.SetCaption(code);
    const auto lines = OfKind(Paint(), CanvasOp::Line);
    ASSERT_EQ(lines.size(), 1u);
    const int x = S(20) + FixedTextMeasurer::SizeOf(code, font).Width + S(4);
    EXPECT_EQ(lines[0].R, (os::Rect{x, 0, x, caret->Height()})) << "code length " << wcslen(code);
    EXPECT_EQ(lines[0].Color, Rgb(0x80, 0x80, 0x80));
  }
}

TEST_F(CaretPaint, TheOrderIsBackgroundFrameFlagSeparator) {
  core::Settings->CaretIndicator_IsDrawBlackBorder = true;
  caret->FlagIndex = 0;
  const std::vector<CanvasOp> ops = Paint();
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[0].What, CanvasOp::Fill);
  EXPECT_EQ(ops[1].What, CanvasOp::Frame);
  EXPECT_EQ(ops[2].What, CanvasOp::Image);
  EXPECT_EQ(ops[3].What, CanvasOp::Line);
}

}  // namespace
