// The indicators' texts measured with the fonts the test desktop really draws (Wine's Tahoma for
// Segoe UI, as a Windows machine without Segoe UI would): the clock and date fit their panels in
// every month, the lock labels stay apart when they turn bold, the language code fits beside its
// flag. At 96 and 144 DPI.
#include <algorithm>
#include <string>

#include "indicator_fixture.h"
#include "indicators/clock_text.h"
#include "indicators/lang_info.h"
#include "indicators/lang_info_caret.h"
#include "indicators/lang_info_mouse.h"
#include "support/realised_font.h"
#include "ui/image_source.h"
#include "ui/text_measurer.h"

namespace {

using testing_support::IndicatorDpiTest;
using testing_support::RealisedFont;

int TextWidth(const std::wstring& text, const ui::Font& font) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, ui::FontHandle(font));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return size.cx;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

SYSTEMTIME At(int month, int day, int hour) {
  SYSTEMTIME t{};
  t.wYear = 2026, t.wMonth = static_cast<WORD>(month), t.wDay = static_cast<WORD>(day);
  t.wHour = static_cast<WORD>(hour), t.wMinute = 58, t.wSecond = 48;
  return t;
}

// The indicators' own labels that size themselves measure with the screen's fonts here too.
class IndicatorCaptionFit : public IndicatorDpiTest {
 protected:
  void SetUp() override {
    IndicatorDpiTest::SetUp();
    m_fixed = ui::SetTextMeasurer(nullptr);
    ASSERT_EQ(RealisedFont(L"Segoe UI", 16, true).Family, L"Tahoma")
        << "the test desktop does not draw Segoe UI with Wine's Tahoma";
  }
  void TearDown() override {
    ui::SetTextMeasurer(m_fixed);
    IndicatorDpiTest::TearDown();
  }

 private:
  ui::TextMeasurer* m_fixed = nullptr;
};

TEST_P(IndicatorCaptionFit, DesktopClockAndDateFitTheirPanelsInEveryMonth) {
  auto f = Make<indicators::TfLangInfo>();
  struct Panel {
    const ui::Panel& It;
    int LayoutWidth;
  };
  const Panel panels[] = {{f->Panel_Time, S(80)}, {f->Panel_Date, S(160)}};
  for (int month = 1; month <= 12; ++month) {
    f->ShowClock(At(month, 28, 23));
    for (const Panel& p : panels) {
      // The blanks around the text are its margins: they fit too. A panel is as wide as the
      // layout makes it, or as its text when that is wider.
      const int text = TextWidth(p.It.Caption(), p.It.GetFont());
      EXPECT_EQ(p.It.Width(), std::max(p.LayoutWidth, text)) << "\"" << Narrow(p.It.Caption()) << "\"";
    }
  }
  // A date that fits the layout's width gets it back.
  f->ShowClock(At(5, 1, 0));
  EXPECT_EQ(f->Panel_Date.Caption(), L" 1 May 2026 ");
  EXPECT_EQ(f->Panel_Date.Width(), S(160));
}

// The clock ticks five times a second: a tick that changes no text measures nothing.
TEST_P(IndicatorCaptionFit, ATickThatChangesNoTextMeasuresNothing) {
  struct CountingMeasurer : testing_support::FixedTextMeasurer {
    int Calls = 0;
    ui::TextSize Measure(const std::wstring& text, const ui::Font& font) override {
      ++Calls;
      return FixedTextMeasurer::Measure(text, font);
    }
  } counting;
  auto f = Make<indicators::TfLangInfo>();
  ui::TextMeasurer* before = ui::SetTextMeasurer(&counting);
  f->ShowClock(At(9, 28, 23));
  const int first = counting.Calls;
  f->ShowClock(At(9, 28, 23));
  ui::SetTextMeasurer(before);
  EXPECT_EQ(first, 2) << "the new clock and the new date";
  EXPECT_EQ(counting.Calls, first);
}

// Turned on, the lock labels are bold (the monitoring pass's lock-key step): they still keep a
// gap of at least two pixels and stay inside their panel.
TEST_P(IndicatorCaptionFit, LockLabelsStayApartWhenBold) {
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  auto caret = Make<indicators::TfLangInfoCaret>();
  struct Row {
    const char* Name;
    ui::Label& Caps;
    ui::Label& Num;
    const ui::Control& Panel;
  };
  const Row rows[] = {
      {"desktop", desktop->L_CAPS, desktop->L_NUM, desktop->Panel_Caps_Nums},
      {"mouse", mouse->L_CAPS, mouse->L_NUM, mouse->Panel_Caps_Nums_Lang},
  };
  for (const Row& r : rows) {
    r.Caps.SetFontBold(true);
    r.Num.SetFontBold(true);
    EXPECT_EQ(r.Caps.Width(), TextWidth(L"CAPS", r.Caps.GetFont())) << r.Name;
    EXPECT_GE(r.Num.Left() - (r.Caps.Left() + r.Caps.Width()), 2) << r.Name;
    EXPECT_LE(r.Num.Left() + r.Num.Width(), r.Panel.Width()) << r.Name;
  }
  // The caret indicator: language, separator line, CAPS and NUM in a row.
  for (ui::Label* l : {&caret->L_CAPS, &caret->L_NUM}) l->SetFontBold(true);
  const int separator = caret->L_Lang.Left() + caret->L_Lang.Width() + S(4);
  EXPECT_LT(separator, caret->L_CAPS.Left());
  EXPECT_GE(caret->L_NUM.Left() - (caret->L_CAPS.Left() + caret->L_CAPS.Width()), 2);
}

TEST_P(IndicatorCaptionFit, LanguageCodesFitBesideTheirFlags) {
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  for (const ui::ImageLabel* l : {&desktop->L_Lang, &mouse->L_Lang}) {
    ASSERT_NE(l->Images(), nullptr);
    const int room = l->Width() - 2 * ui::ImageLabel::kMargin - l->Images()->ImageWidth() -
                     ui::ImageLabel::kGap;
    for (const wchar_t* code : {L"EN", L"DE", L"RU", L"UK"}) {
      EXPECT_LE(TextWidth(code, l->GetFont()), room) << Narrow(code);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Dpi, IndicatorCaptionFit, ::testing::Values(96, 144),
                         [](const auto& info) { return "dpi" + std::to_string(info.param); });

}  // namespace
