#pragma once
// Reads a JSON text into a document in one pass, in time linear in the text's length, with the
// member rules of the program's files: names that differ only in the case of ASCII letters are one
// member, and the later value replaces the earlier one in its place.
#include <cstddef>
#include <string_view>

#include "core/json.h"

namespace core {

class JsonReader {
 public:
  // Deeper than this, a text is refused: no file of the program nests beyond four levels, and a
  // hand-made text of thousands of levels would otherwise reach code that walks values recursively.
  static constexpr std::size_t kMaxDepth = 64;

  // Bytes that are not UTF-8 (a name typed in an editor that saves in the ANSI code page) read
  // as U+FFFD each, so one stray byte costs one character, not the file. Raises os::Error on
  // text that is not JSON or nests deeper than kMaxDepth.
  Json Read(std::string_view utf8);

  // How often two member names were compared while reading. The duplicate rule costs a hash
  // lookup per member, so this stays near the number of duplicates however many members there
  // are; a search through the members read so far would make it grow with their square.
  std::size_t NameComparisons() const { return m_nameComparisons; }

 private:
  std::size_t m_nameComparisons = 0;
};

}  // namespace core
