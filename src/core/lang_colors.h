#pragma once
// Colours of the per-language lists ("CC=RRGGBB"), looked up by the layout's country code: the
// indicators, the border lines and the keyboard backlight take theirs from here.
#include <optional>
#include <string_view>

#include "core/string_list.h"
#include "os/types.h"

namespace core {

// The colour of the first entry named `code` (any letter case); none when there is no such entry
// or its text is not a colour: a hand-edited settings file must not stop the monitoring.
std::optional<os::TColor> LangColor(const TStringList& list, std::wstring_view code);

// The language's colour, else the "US" entry's, else the system tooltip background.
os::TColor LangColorOrUS(const TStringList& list, std::wstring_view code);

}  // namespace core
