#include "core/json.h"

#include "core/json_reader.h"
#include "os/text.h"

namespace core {

const Json* FindMember(const Json& obj, std::string_view name) {
  if (!obj.is_object()) return nullptr;
  const Json* found = nullptr;
  for (const auto& [key, value] : obj.items()) {
    if (os::EqualsIgnoreAsciiCase(key, name)) found = &value;
  }
  return found;
}

Json ParseJsonText(std::string_view utf8) { return JsonReader().Read(utf8); }

std::string JsonAsText(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_null()) return {};
  return value.dump();
}

}  // namespace core
