#include "core/json_reader.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "os/error.h"
#include "os/text.h"

namespace core {
namespace {

std::string FoldedName(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

class CountingEqual {
 public:
  explicit CountingEqual(std::size_t* count) : m_count(count) {}
  bool operator()(const std::string& a, const std::string& b) const {
    ++*m_count;
    return a == b;
  }

 private:
  std::size_t* m_count;
};

// The parser's events build the document bottom-up. nlohmann's own builder inserts each member
// into an ordered object by searching it first, which makes an object of n members cost n^2.
class DocumentBuilder {
 public:
  explicit DocumentBuilder(std::size_t* comparisons) : m_comparisons(comparisons) {}

  bool null() { return Add(Json()); }
  bool boolean(bool v) { return Add(Json(v)); }
  bool number_integer(Json::number_integer_t v) { return Add(Json(v)); }
  bool number_unsigned(Json::number_unsigned_t v) { return Add(Json(v)); }
  bool number_float(Json::number_float_t v, const Json::string_t&) { return Add(Json(v)); }
  bool string(Json::string_t& v) { return Add(Json(std::move(v))); }
  bool binary(Json::binary_t&) { return false; }  // never raised by the JSON text format

  bool start_object(std::size_t) { return Open(true); }
  bool key(Json::string_t& name) {
    m_stack.back().name = std::move(name);
    return true;
  }
  bool end_object() {
    Frame frame = std::move(m_stack.back());
    m_stack.pop_back();
    Json object = Json::object();
    auto& members = object.get_ref<Json::object_t&>();
    // Straight into the ordered object's storage: the names are already unique.
    members.reserve(frame.members.size());
    for (auto& [name, value] : frame.members) {
      members.emplace_back(std::move(name), std::move(value));
    }
    return Add(std::move(object));
  }
  bool start_array(std::size_t) { return Open(false); }
  bool end_array() {
    Json array = std::move(m_stack.back().array);
    m_stack.pop_back();
    return Add(std::move(array));
  }

  // The parser counts the bytes it has read, the failing one included.
  bool parse_error(std::size_t bytesRead, const std::string&, const nlohmann::json::exception&) {
    m_errorAt = bytesRead > 0 ? bytesRead - 1 : 0;
    return false;
  }

  bool TooDeep() const { return m_tooDeep; }
  // The byte at which the parser failed.
  std::size_t ErrorAt() const { return m_errorAt; }
  Json TakeRoot() { return std::move(m_root); }

 private:
  struct Frame {
    explicit Frame(std::size_t* comparisons)
        : positions(8, std::hash<std::string>(), CountingEqual(comparisons)) {}
    bool isObject = false;
    Json array;
    std::vector<std::pair<std::string, Json>> members;
    // Folded name -> index in members.
    std::unordered_map<std::string, std::size_t, std::hash<std::string>, CountingEqual> positions;
    std::string name;  // of the member whose value comes next
  };

  bool Open(bool isObject) {
    if (m_stack.size() >= JsonReader::kMaxDepth) {
      m_tooDeep = true;
      return false;
    }
    m_stack.emplace_back(m_comparisons);
    m_stack.back().isObject = isObject;
    if (!isObject) m_stack.back().array = Json::array();
    return true;
  }

  bool Add(Json&& value) {
    if (m_stack.empty()) {
      m_root = std::move(value);
      return true;
    }
    Frame& top = m_stack.back();
    if (!top.isObject) {
      top.array.get_ref<Json::array_t&>().push_back(std::move(value));
      return true;
    }
    const auto [at, isNew] = top.positions.try_emplace(FoldedName(top.name), top.members.size());
    if (isNew) {
      top.members.emplace_back(std::move(top.name), std::move(value));
    } else {
      top.members[at->second].second = std::move(value);
    }
    return true;
  }

  std::size_t* m_comparisons;
  std::vector<Frame> m_stack;
  Json m_root;
  bool m_tooDeep = false;
  std::size_t m_errorAt = 0;
};

struct Place {
  std::size_t Line = 1;
  std::size_t Column = 1;
};

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Line and column of the character that holds byte `at` of a UTF-8 text; past the end, the place
// right after the last character.
Place PlaceOf(std::string_view text, std::size_t at) {
  at = std::min(at, text.size());
  while (at > 0 && at < text.size() && IsContinuation(text[at])) --at;
  Place place;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < at; ++i) {
    if (text[i] == '\n') {
      ++place.Line;
      lineStart = i + 1;
    }
  }
  for (std::size_t i = lineStart; i < at; ++i) {
    if (!IsContinuation(text[i])) ++place.Column;
  }
  return place;
}

// The bracket that opens a value deeper than `depth` in a text that is JSON up to there.
std::size_t OpeningBeyond(std::string_view text, std::size_t depth) {
  std::size_t level = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++level > depth) return i;
    } else if ((c == ']' || c == '}') && level > 0) {
      --level;
    }
  }
  return text.size();
}

std::wstring AtPlace(const Place& p) {
  return L"at line " + std::to_wstring(p.Line) + L", column " + std::to_wstring(p.Column);
}

[[noreturn]] void Refuse(JsonTextError::Fault fault, const Place& p, const std::wstring& message) {
  throw JsonTextError(fault, p.Line, p.Column, message);
}

constexpr wchar_t kLooksUtf16[] = L": it looks like UTF-16, which some editors call \"Unicode\".";

// UTF-16 text begins with its byte-order mark: refused before anything else, since its bytes
// read as UTF-8 give the parser nothing but noise to report.
void RefuseUtf16Mark(std::string_view raw) {
  if (raw.size() >= 2 && ((raw[0] == '\xFF' && raw[1] == '\xFE') ||
                          (raw[0] == '\xFE' && raw[1] == '\xFF'))) {
    Refuse(JsonTextError::Fault::NotUtf8, Place{},
           L"The text is not UTF-8 text " + AtPlace(Place{}) + kLooksUtf16);
  }
}

// No JSON text holds a zero byte. UTF-16 without its mark has one beside each ASCII character.
void RefuseZeroByte(std::string_view text) {
  const std::size_t zero = text.find('\0');
  if (zero == std::string_view::npos) return;
  const Place p = PlaceOf(text, zero);
  const std::wstring why = zero <= 1 ? kLooksUtf16 : L": it holds a zero byte there.";
  Refuse(JsonTextError::Fault::NotUtf8, p, L"The text is not UTF-8 text " + AtPlace(p) + why);
}

}  // namespace

JsonTextError::JsonTextError(Fault fault, std::size_t line, std::size_t column,
                             const std::wstring& message)
    : os::Error(message), m_fault(fault), m_line(line), m_column(column) {}

Json JsonReader::Read(std::string_view utf8) {
  using Fault = JsonTextError::Fault;
  RefuseUtf16Mark(utf8);
  if (utf8.size() >= 3 && utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  if (utf8.find_first_not_of(" \t\r\n") == std::string_view::npos) return Json::object();
  // Each byte that is not UTF-8 becomes one character here, as it counts in the columns.
  const std::string text = os::WideToUtf8(os::Utf8ToWide(utf8));
  RefuseZeroByte(text);
  DocumentBuilder builder(&m_nameComparisons);
  if (Json::sax_parse(text.begin(), text.end(), &builder)) return builder.TakeRoot();
  if (builder.TooDeep()) {
    const Place p = PlaceOf(text, OpeningBeyond(text, kMaxDepth));
    Refuse(Fault::TooDeep, p,
           L"The text nests its values deeper than " + std::to_wstring(kMaxDepth) + L" levels " +
               AtPlace(p) + L".");
  }
  const Place p = PlaceOf(text, builder.ErrorAt());
  Refuse(Fault::NotJson, p, L"The text is not valid JSON " + AtPlace(p) + L".");
}

}  // namespace core
