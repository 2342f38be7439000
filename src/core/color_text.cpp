#include "core/color_text.h"

#include <cstdio>

#include "os/error.h"
#include "os/system.h"

namespace core {

std::wstring ColorToHexRGB(TColor color) {
  const std::uint32_t c = static_cast<std::uint32_t>(
      os::IsSystemColor(color) ? os::Sys().GetSysColor(os::SystemColorIndex(color)) : color);
  wchar_t text[8];
  std::swprintf(text, 8, L"%.2X%.2X%.2X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return text;
}

TColor HexRGBToColor(const std::wstring& text) {
  bool blank = true;
  for (wchar_t ch : text) {
    if (ch > L' ') blank = false;
  }
  if (blank) return os::clInfoBk;

  // Pieces of the text itself, not of a trimmed copy: a text shorter than six characters gives
  // shorter pieces, and a blank inside the first six is no digit.
  auto piece = [&](std::size_t from) {
    return from < text.size() ? text.substr(from, 2) : std::wstring();
  };
  const std::wstring digits = piece(4) + piece(2) + piece(0);
  if (digits.empty()) {
    throw os::Error(L"\"" + text + L"\" is not a valid colour text.");
  }
  std::uint32_t value = 0;
  for (wchar_t ch : digits) {
    int d;
    if (ch >= L'0' && ch <= L'9') {
      d = ch - L'0';
    } else if (ch >= L'A' && ch <= L'F') {
      d = ch - L'A' + 10;
    } else if (ch >= L'a' && ch <= L'f') {
      d = ch - L'a' + 10;
    } else {
      throw os::Error(L"\"" + text + L"\" is not a valid colour text.");
    }
    value = value * 16 + static_cast<std::uint32_t>(d);
  }
  return static_cast<TColor>(value);
}

}  // namespace core
