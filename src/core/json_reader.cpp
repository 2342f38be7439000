#include "core/json_reader.h"

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

  bool parse_error(std::size_t, const std::string&, const nlohmann::json::exception& e) {
    m_error = L"The text is not valid JSON (" + os::Utf8ToWide(e.what()) + L").";
    return false;
  }

  const std::wstring& Error() const { return m_error; }
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
      m_error = L"The text nests its values deeper than " +
                std::to_wstring(JsonReader::kMaxDepth) + L" levels.";
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
  std::wstring m_error;
};

}  // namespace

Json JsonReader::Read(std::string_view utf8) {
  if (utf8.size() >= 3 && utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  if (utf8.find_first_not_of(" \t\r\n") == std::string_view::npos) return Json::object();
  const std::string text = os::WideToUtf8(os::Utf8ToWide(utf8));
  DocumentBuilder builder(&m_nameComparisons);
  if (!Json::sax_parse(text.begin(), text.end(), &builder)) {
    throw os::Error(builder.Error().empty() ? L"The text is not valid JSON." : builder.Error());
  }
  return builder.TakeRoot();
}

}  // namespace core
