#pragma once
// What one monitoring pass found out and hands from step to step; nothing is kept between passes.
#include <cstdint>
#include <string>

namespace monitor {

struct PassValues {
  std::wstring LanguageName;  // ISO 639 name in upper case: the text every indicator shows
  std::wstring CountryCode;   // ISO 3166 name: the key of the flag and of every colour list
  int FlagIndex = -1;         // the country's flag image; -1 when there is none
  // The caret indicator's CAPS or NUM label still showed the other state of its key.
  bool LockChange = false;
};

// Seconds between two performance-counter readings.
double ElapsedSeconds(std::int64_t from, std::int64_t to);

}  // namespace monitor
