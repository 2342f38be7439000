#pragma once
// Colour text of the settings file: six upper-case hex digits, red first (RRGGBB).
#include <string>

#include "os/types.h"

namespace core {

using os::TColor;

// A system colour is written as its current RGB value; the high byte of any other value is dropped.
std::wstring ColorToHexRGB(TColor color);

// An empty or blank text gives clInfoBk. Otherwise the digits are taken as RRGGBB from the text as
// it stands (characters after the sixth ignored); anything that is not hexadecimal raises os::Error.
TColor HexRGBToColor(const std::wstring& text);

}  // namespace core
