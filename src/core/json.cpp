#include "core/json.h"

#include "os/error.h"
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

Json ParseJsonText(std::string_view utf8) {
  if (utf8.size() >= 3 && utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  if (utf8.find_first_not_of(" \t\r\n") == std::string_view::npos) return Json::object();
  try {
    return Json::parse(utf8.begin(), utf8.end());
  } catch (const nlohmann::json::exception& e) {
    throw os::Error(L"The text is not valid JSON (" + os::Utf8ToWide(e.what()) + L").");
  }
}

std::string JsonAsText(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_null()) return {};
  return value.dump();
}

}  // namespace core
