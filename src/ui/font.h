#pragma once
#include <windows.h>

#include <string>

#include "os/types.h"

namespace ui {

// A font as controls describe it: face, character height in pixels (already scaled for the
// screen), weight and colour.
struct Font {
  std::wstring Name = L"Segoe UI";
  int Height = 12;
  bool Bold = false;
  os::TColor Color = os::clWindowText;
  friend bool operator==(const Font&, const Font&) = default;
};

// A shared GDI font for the description (colour aside); lives as long as the program.
HFONT FontHandle(const Font& font);

}  // namespace ui
