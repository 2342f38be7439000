#pragma once
#include <string_view>

namespace ui {

// An image resource and the name its image list gives it (the generated tables in resources/).
struct NamedResource {
  const wchar_t* Resource;
  const wchar_t* Name;
};

// The bytes of an RCDATA resource of the running executable; empty when there is none. The view
// stays valid for the life of the process.
std::string_view ResourceBytes(const wchar_t* name);

}  // namespace ui
