#pragma once
// The texts of the indicators' clocks, from the user's locale as read once at start.
#include <windows.h>

#include <array>
#include <string>

namespace indicators {

struct FormatSettings {
  std::wstring TimeSeparator = L":";
  std::array<std::wstring, 12> LongMonthNames{L"January", L"February", L"March",     L"April",
                                              L"May",     L"June",     L"July",      L"August",
                                              L"September", L"October", L"November", L"December"};
};

// The time separator and month names of the user's locale; a value the system does not give
// keeps the default above.
FormatSettings ReadUserFormatSettings();

// " hh:nn:ss ": hours 00-23, minutes and seconds, two digits each, with the time separator.
std::wstring ClockText(const SYSTEMTIME& t, const FormatSettings& format);
// " d mmmm yyyy ": the day without a leading zero, the full month name, the four-digit year.
std::wstring DateText(const SYSTEMTIME& t, const FormatSettings& format);

}  // namespace indicators
