#include "core/lang_colors.h"

#include "core/color_text.h"
#include "os/error.h"

namespace core {

std::optional<os::TColor> LangColor(const TStringList& list, std::wstring_view code) {
  const std::optional<std::wstring> text = FindEntryValue(list, code);
  if (!text) return std::nullopt;
  try {
    return HexRGBToColor(*text);
  } catch (const os::Error&) {
    return std::nullopt;
  }
}

os::TColor LangColorOrUS(const TStringList& list, std::wstring_view code) {
  if (auto c = LangColor(list, code)) return *c;
  if (auto c = LangColor(list, L"US")) return *c;
  return os::clInfoBk;
}

}  // namespace core
