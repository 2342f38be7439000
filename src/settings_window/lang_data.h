#pragma once
// The record of one row of the per-language colour trees: one installed keyboard layout.
#include <string>

#include "os/types.h"

namespace settings_window {

struct TLangsData {
  std::wstring LangISO639;
  std::wstring CountryISO3166;  // the key of the row's entries in the settings lists
  std::wstring LangName;
  std::wstring LangAbbrev;
  std::wstring LangName2;
  // Each tree uses only the colours of its own columns; the others stay 0.
  os::TColor FontColor = 0;
  os::TColor BackgroundColor = 0;
  os::TColor BorderColor = 0;
  os::TColor RgbColor = 0;
};

}  // namespace settings_window
