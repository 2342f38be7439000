#include <gtest/gtest.h>

#include "indicators/lang_info.h"

namespace {

TEST(DesktopIndicatorClock, OneBlankAroundTimeAndDate) {
  SYSTEMTIME t{};
  t.wYear = 2024, t.wMonth = 12, t.wDay = 3, t.wHour = 7, t.wMinute = 5, t.wSecond = 9;
  const std::wstring clock = indicators::ClockText(t);
  EXPECT_EQ(clock.front(), L' ');
  EXPECT_EQ(clock.back(), L' ');
  EXPECT_EQ(clock.substr(1, 2), L"07");
  EXPECT_EQ(clock.substr(clock.size() - 3, 2), L"09");
  const std::wstring date = indicators::DateText(t);
  EXPECT_EQ(date.substr(0, 3), L" 3 ") << "the day without a leading zero";
  EXPECT_EQ(date.substr(date.size() - 6), L" 2024 ");
}

}  // namespace
