#include "core/settings_json_writer.h"

namespace core {
namespace {

void Indent(std::string& out, int n) { out.append(static_cast<std::size_t>(n), ' '); }

void WriteScalar(std::string& out, const Json& value) {
  // nlohmann escapes quotes, backslashes and control characters and keeps UTF-8 as it is.
  out += value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void WriteValue(std::string& out, const Json& value, int indent);

void WriteObject(std::string& out, const Json& obj, int indent) {
  Indent(out, indent);
  out += "{\n";
  std::size_t i = 0;
  for (const auto& [key, member] : obj.items()) {
    Indent(out, indent + 2);
    WriteScalar(out, Json(key));
    out += ":";
    if (member.is_object() || member.is_array()) {
      out += "\n";
      WriteValue(out, member, indent + 2);
    } else {
      out += " ";
      WriteScalar(out, member);
    }
    if (++i < obj.size()) out += ",";
    out += "\n";
  }
  Indent(out, indent);
  out += "}";
}

void WriteArray(std::string& out, const Json& array, int indent) {
  Indent(out, indent);
  out += "[\n";
  for (std::size_t i = 0; i < array.size(); ++i) {
    if (array[i].is_object() || array[i].is_array()) {
      WriteValue(out, array[i], indent + 2);
    } else {
      WriteScalar(out, array[i]);
    }
    if (i + 1 < array.size()) out += ",";
    out += "\n";
  }
  Indent(out, indent);
  out += "]";
}

void WriteValue(std::string& out, const Json& value, int indent) {
  if (value.is_object()) {
    WriteObject(out, value, indent);
  } else if (value.is_array()) {
    WriteArray(out, value, indent);
  } else {
    Indent(out, indent);
    WriteScalar(out, value);
  }
}

}  // namespace

std::string WriteSettingsJson(const Json& document) {
  std::string out;
  WriteValue(out, document, 0);
  return out;
}

}  // namespace core
