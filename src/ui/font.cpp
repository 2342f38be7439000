#include "ui/font.h"

#include <map>
#include <tuple>

#include "ui/handles.h"

namespace ui {

HFONT FontHandle(const Font& font) {
  static std::map<std::tuple<std::wstring, int, bool>, UniqueFont> cache;
  auto key = std::make_tuple(font.Name, font.Height, font.Bold);
  auto it = cache.find(key);
  if (it == cache.end()) {
    HFONT h = ::CreateFontW(-font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                            FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str());
    it = cache.emplace(std::move(key), UniqueFont(h)).first;
  }
  return it->second.Get();
}

}  // namespace ui
