#pragma once
// Named colours of the indicator windows (0x00BBGGRR).
#include "os/types.h"

namespace indicators {

inline constexpr os::TColor clAquamarine = 0xD4FF7F;    // #7FFFD4
inline constexpr os::TColor clLightskyblue = 0xFACE87;  // #87CEFA
inline constexpr os::TColor clCream = 0xF0FBFF;         // #FFFBF0

}  // namespace indicators
