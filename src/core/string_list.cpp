#include "core/string_list.h"

#include "os/text.h"

namespace core {

std::optional<std::wstring> FindEntryValue(const TStringList& list, std::wstring_view name) {
  for (const auto& line : list) {
    const auto eq = line.find(L'=');
    if (eq == std::wstring::npos) continue;
    if (os::EqualsIgnoreAsciiCase(std::wstring_view(line).substr(0, eq), name)) {
      return line.substr(eq + 1);
    }
  }
  return std::nullopt;
}

bool IsExclusionEnabled(std::wstring_view entry) { return !entry.empty() && entry[0] == L'1'; }

std::wstring ExclusionName(std::wstring_view entry) {
  if (entry.size() <= 2) return {};
  return std::wstring(entry.substr(2, 256));
}

}  // namespace core
