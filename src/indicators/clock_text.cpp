#include "indicators/clock_text.h"

#include <cstdio>

#include "os/system.h"

namespace indicators {
namespace {
constexpr unsigned kUserDefaultLanguage = 0x0400;  // LOCALE_USER_DEFAULT
constexpr unsigned kLocaleSTime = 0x1E;            // LOCALE_STIME
constexpr unsigned kLocaleSMonthName1 = 0x38;      // LOCALE_SMONTHNAME1, the others follow

std::wstring TwoDigits(unsigned v) {
  wchar_t buffer[8];
  std::swprintf(buffer, 8, L"%02u", v % 100);
  return buffer;
}
}  // namespace

FormatSettings ReadUserFormatSettings() {
  FormatSettings format;
  auto& sys = os::Sys();
  if (std::wstring sep = sys.LocaleValue(kUserDefaultLanguage, kLocaleSTime); !sep.empty()) {
    format.TimeSeparator = sep;
  }
  for (unsigned i = 0; i < 12; ++i) {
    std::wstring name = sys.LocaleValue(kUserDefaultLanguage, kLocaleSMonthName1 + i);
    if (!name.empty()) format.LongMonthNames[i] = std::move(name);
  }
  return format;
}

std::wstring ClockText(const SYSTEMTIME& t, const FormatSettings& format) {
  return L" " + TwoDigits(t.wHour) + format.TimeSeparator + TwoDigits(t.wMinute) +
         format.TimeSeparator + TwoDigits(t.wSecond) + L" ";
}

std::wstring DateText(const SYSTEMTIME& t, const FormatSettings& format) {
  const std::wstring& month =
      t.wMonth >= 1 && t.wMonth <= 12 ? format.LongMonthNames[t.wMonth - 1] : std::wstring();
  wchar_t year[8];
  std::swprintf(year, 8, L"%04u", static_cast<unsigned>(t.wYear));
  return L" " + std::to_wstring(t.wDay) + L" " + month + L" " + year + L" ";
}

}  // namespace indicators
