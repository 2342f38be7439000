#include "core/common.h"

#include "os/system.h"
#include "os/text.h"

namespace core {

int Scale(int value) {
  if (ScreenDPI == 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(value) * ScreenDPI;
  const std::int64_t half = 48;
  const std::int64_t rounded = product >= 0 ? (product + half) / 96 : (product - half) / 96;
  return static_cast<int>(rounded);
}

std::wstring GetLangText(int number) {
  if (!LangTable) return {};
  const Json* items = FindMember(*LangTable, "Items");
  if (items == nullptr) return {};
  const Json* item = FindMember(*items, std::to_string(number));
  return item == nullptr ? std::wstring() : os::Utf8ToWide(JsonAsText(*item));
}

std::wstring GetFolderPath(int csidl) { return os::Sys().GetFolderPath(csidl); }

}  // namespace core
