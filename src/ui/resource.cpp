#include "ui/resource.h"

#include <windows.h>

namespace ui {

std::string_view ResourceBytes(const wchar_t* name) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (info == nullptr) return {};
  HGLOBAL data = ::LoadResource(module, info);
  const void* bytes = data != nullptr ? ::LockResource(data) : nullptr;
  if (bytes == nullptr) return {};
  return {static_cast<const char*>(bytes), ::SizeofResource(module, info)};
}

}  // namespace ui
