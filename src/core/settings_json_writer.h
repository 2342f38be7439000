#pragma once
// The settings file's own layout: one member per line, two blanks per level, the value of an
// object or array opened on the line after its name, array elements one per line at the margin.
#include <string>

#include "core/json.h"

namespace core {

// The document as lines (without line ends).
std::string WriteSettingsJson(const Json& document);

}  // namespace core
