#pragma once
// The HTML subset of the About page as plain text with formatted runs and link ranges, ready
// for a rich edit. Paragraphs, line breaks, headings, bold, italic, underline, links, lists,
// rules, preformatted text, font colours and the common entities; script, style and the head
// are dropped, and an image shows as its alternative text. Nothing is fetched.
// No <windows.h>: the model is plain logic.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/types.h"

namespace ui {

struct HtmlFormat {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  int SizePercent = 100;            // of the view's font
  std::wstring FontName;            // empty: the view's font
  std::optional<os::TColor> Color;  // none: the view's text colour
  friend bool operator==(const HtmlFormat&, const HtmlFormat&) = default;
};

// A stretch of Text in one format; runs cover the text without gaps, in order.
struct HtmlRun {
  std::size_t Start = 0;
  std::size_t Length = 0;
  HtmlFormat Format;
};

// A stretch of Text that links to Target, the address as the page gives it.
struct HtmlLink {
  std::size_t Start = 0;
  std::size_t Length = 0;
  std::wstring Target;
  friend bool operator==(const HtmlLink&, const HtmlLink&) = default;
};

struct HtmlDocument {
  std::wstring Text;  // lines end with '\n'
  std::vector<HtmlRun> Runs;
  std::vector<HtmlLink> Links;
  // The link at a character position; null when there is none.
  const HtmlLink* LinkAt(std::size_t position) const;
};

// The font a <pre> block shows in.
inline constexpr wchar_t kPreformattedFont[] = L"Arial";

// The page's bytes as text: UTF-8 (with or without a byte-order mark) unless the page declares
// windows-1251 or windows-1252 (ISO 8859-1 and ASCII read as windows-1252) in a meta element.
// Invalid UTF-8 shows as U+FFFD.
std::wstring DecodeHtmlBytes(std::string_view bytes);

// The bounds of what a page can hand the view: whatever the page, the rich edit gets at most
// this much, and the parser's work stays linear in the page. A page beyond them shows its
// beginning, up to the first bound it reaches.
inline constexpr std::size_t kMaxHtmlText = 64'000;     // characters
inline constexpr std::size_t kMaxHtmlRuns = 2'000;      // format runs
inline constexpr std::size_t kMaxHtmlLinks = 250;
inline constexpr std::size_t kMaxHtmlLine = 2'000;      // characters; a longer line breaks
inline constexpr std::size_t kMaxHtmlListDepth = 8;     // deeper lists indent as the 8th level
inline constexpr std::size_t kMaxHtmlFormatDepth = 32;  // deeper formats are not applied

// How much the parser did: the characters it examined, counted where it scans.
struct HtmlParseStats {
  std::size_t Scanned = 0;
};

HtmlDocument ParseHtml(std::wstring_view html, HtmlParseStats* stats = nullptr);

inline HtmlDocument RenderHtml(std::string_view bytes) { return ParseHtml(DecodeHtmlBytes(bytes)); }

}  // namespace ui
