// The clock and date texts of the desktop and mouse indicators.
#include <gtest/gtest.h>

#include "indicator_fixture.h"
#include "indicators/clock_text.h"
#include "indicators/lang_info.h"
#include "indicators/lang_info_mouse.h"

namespace {

using testing_support::IndicatorTest;

SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(year), t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day), t.wHour = static_cast<WORD>(hour);
  t.wMinute = static_cast<WORD>(minute), t.wSecond = static_cast<WORD>(second);
  return t;
}

TEST(ClockText, TwoDigitsEachWithTheLocalesSeparatorAndOneBlankAround) {
  indicators::FormatSettings format;
  struct Case {
    SYSTEMTIME Time;
    const wchar_t* Separator;
    const wchar_t* Clock;
  } cases[] = {
      {At(2024, 12, 3, 7, 5, 9), L":", L" 07:05:09 "},
      {At(2024, 12, 3, 23, 59, 0), L":", L" 23:59:00 "},
      {At(2024, 12, 3, 0, 0, 0), L".", L" 00.00.00 "},
      {At(2024, 12, 3, 13, 4, 30), L"h", L" 13h04h30 "},
  };
  for (const Case& c : cases) {
    format.TimeSeparator = c.Separator;
    EXPECT_EQ(indicators::ClockText(c.Time, format), c.Clock);
  }
}

TEST(DateText, DayWithoutLeadingZeroFullMonthNameAndYear) {
  indicators::FormatSettings format;
  format.LongMonthNames[2] = L"März";
  struct Case {
    SYSTEMTIME Time;
    const wchar_t* Date;
  } cases[] = {
      {At(2024, 12, 3, 7, 5, 9), L" 3 December 2024 "},
      {At(2024, 12, 30, 20, 55, 59), L" 30 December 2024 "},
      {At(2025, 3, 1, 0, 0, 0), L" 1 März 2025 "},
      {At(987, 1, 9, 0, 0, 0), L" 9 January 0987 "},
  };
  for (const Case& c : cases) EXPECT_EQ(indicators::DateText(c.Time, format), c.Date);
}

TEST_F(IndicatorTest, FormatSettingsComeFromTheUsersLocale) {
  sys->Locales[{0x0400, 0x1E}] = L".";
  sys->Locales[{0x0400, 0x38 + 2}] = L"März";
  const indicators::FormatSettings format = indicators::ReadUserFormatSettings();
  EXPECT_EQ(format.TimeSeparator, L".");
  EXPECT_EQ(format.LongMonthNames[2], L"März");
  EXPECT_EQ(format.LongMonthNames[0], L"January") << "a value the system does not give";
}

TEST_F(IndicatorTest, TheClocksTickAlsoWhileHidden) {
  sys->Locales[{0x0400, 0x1E}] = L"#";  // no real clock text has it
  auto desktop = Make<indicators::TfLangInfo>();
  auto mouse = Make<indicators::TfLangInfoMouse>();
  desktop->Panel_Time.SetVisible(false);
  desktop->Panel_Date.SetVisible(false);
  mouse->L_Time.SetVisible(false);
  // The windows themselves are hidden too; the timers started with their creation.
  auto ticked = [&] {
    return desktop->Panel_Time.Caption().find(L'#') != std::wstring::npos &&
           desktop->Panel_Date.Caption() != L"30 December 2024" &&
           mouse->L_Time.Caption().find(L'#') != std::wstring::npos;
  };
  const DWORD start = ::GetTickCount();
  while (!ticked() && ::GetTickCount() - start < 5000) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_TRUE(ticked());
  EXPECT_EQ(desktop->Panel_Time.Caption().size(), 10u);
  EXPECT_EQ(desktop->Panel_Date.Caption().front(), L' ');
  EXPECT_EQ(desktop->Panel_Date.Caption().back(), L' ');
}

}  // namespace
