#pragma once
// System colours as TColor values (high byte 0xFF, low byte the COLOR_ index).
#include <windows.h>

#include "os/types.h"

namespace ui::syscolor {

constexpr os::TColor Of(int index) {
  return static_cast<os::TColor>(0xFF000000u | static_cast<unsigned>(index));
}

inline constexpr os::TColor kWindow = Of(COLOR_WINDOW);
inline constexpr os::TColor kHighlight = Of(COLOR_HIGHLIGHT);
inline constexpr os::TColor kHighlightText = Of(COLOR_HIGHLIGHTTEXT);
inline constexpr os::TColor kBtnShadow = Of(COLOR_BTNSHADOW);

}  // namespace ui::syscolor
