#pragma once
// Plain lists of text lines, and the two line formats the settings lists hold.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

using TStringList = std::vector<std::wstring>;

// Per-language entry "CC=RRGGBB": the value of the first entry whose name (the text before the
// first "=") matches without regard to case; null when there is none. An empty value counts.
std::optional<std::wstring> FindEntryValue(const TStringList& list, std::wstring_view name);

// Exclusion entry: flag character, separator, name. "1" in the first place enables it; the name is
// at most 256 characters from the third on. An empty entry is disabled with an empty name.
bool IsExclusionEnabled(std::wstring_view entry);
std::wstring ExclusionName(std::wstring_view entry);

}  // namespace core
