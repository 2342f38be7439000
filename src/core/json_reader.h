#pragma once
// Reads a JSON text into a document in one pass, in time linear in the text's length, with the
// member rules of the program's files: names that differ only in the case of ASCII letters are one
// member, and the later value replaces the earlier one in its place.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/json.h"
#include "os/error.h"

namespace core {

// A text that is no JSON document: why, and where the reading stopped. The message says both in
// plain words; the parser's own text, with its token dumps, would mean nothing to a user.
class JsonTextError : public os::Error {
 public:
  enum class Fault {
    NotJson,  // the text breaks the JSON syntax
    NotUtf8,  // UTF-16 text, or text with a zero byte: no JSON text holds either
    TooDeep,  // the values nest deeper than JsonReader::kMaxDepth
  };
  // Line and column count from 1; the column counts characters, as an editor shows them.
  JsonTextError(Fault fault, std::size_t line, std::size_t column, const std::wstring& message);
  Fault What() const noexcept { return m_fault; }
  std::size_t Line() const noexcept { return m_line; }
  std::size_t Column() const noexcept { return m_column; }

 private:
  Fault m_fault;
  std::size_t m_line;
  std::size_t m_column;
};

class JsonReader {
 public:
  // Deeper than this, a text is refused: no file of the program nests beyond four levels, and a
  // hand-made text of thousands of levels would otherwise reach code that walks values recursively.
  static constexpr std::size_t kMaxDepth = 64;

  // Bytes that are not UTF-8 (a name typed in an editor that saves in the ANSI code page) read
  // as U+FFFD each, so one stray byte costs one character, not the file. Raises JsonTextError on
  // text that is not JSON, is UTF-16 or holds a zero byte, or nests deeper than kMaxDepth.
  Json Read(std::string_view utf8);

  // How often two member names were compared while reading. The duplicate rule costs a hash
  // lookup per member, so this stays near the number of duplicates however many members there
  // are; a search through the members read so far would make it grow with their square.
  std::size_t NameComparisons() const { return m_nameComparisons; }

 private:
  std::size_t m_nameComparisons = 0;
};

}  // namespace core
