#pragma once
// Text helpers without <windows.h>: UTF-8 <-> wide text and ASCII-only case rules.
#include <string>
#include <string_view>

namespace os {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

wchar_t ToUpperAscii(wchar_t c);
std::wstring ToUpperAscii(std::wstring_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b);

}  // namespace os
