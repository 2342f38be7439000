#pragma once
// JSON documents of the settings file and the UI text tables. Members keep the order in which
// they were added; lookups ignore the case of ASCII letters and take the later of two members
// whose names match so.
#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace core {

using Json = nlohmann::ordered_json;

// The member of an object whose name matches without regard to ASCII case (the last such
// member); null when there is none or when obj is no object.
const Json* FindMember(const Json& obj, std::string_view name);

// Parses text (UTF-8, a leading byte-order mark skipped); an empty text gives an empty object.
// Bytes that are not UTF-8 read as U+FFFD; names that match without regard to ASCII case are
// one member holding the later value. Raises os::Error on text that is not JSON or that nests
// deeper than JsonReader::kMaxDepth.
Json ParseJsonText(std::string_view utf8);

// A value read as text: a string as it is, other values in their JSON form.
std::string JsonAsText(const Json& value);

}  // namespace core
