#include "ui/html_text.h"

#include <algorithm>
#include <cstdint>

#include "os/text.h"

namespace ui {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Windows-1251 from 0x80 on (0xC0-0xFF are the Cyrillic capitals and small letters in order).
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
// Windows-1252 from 0x80 to 0x9F; the rest is ISO 8859-1.
constexpr char16_t kCp1252Controls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

enum class Charset { Utf8, Cp1251, Cp1252 };

void AppendCodePoint(std::wstring& out, std::uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp >= 0x10000 && sizeof(wchar_t) == 2) {
    cp -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (cp >> 10));
    out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
  } else {
    out += static_cast<wchar_t>(cp);
  }
}

std::wstring DecodeUtf8(std::string_view s) {
  if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
  std::wstring out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    std::uint32_t cp = 0, min = 0;
    if (b < 0x80) {
      out += static_cast<wchar_t>(b);
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    for (; j < s.size() && j <= i + static_cast<std::size_t>(extra); ++j) {
      const auto c = static_cast<unsigned char>(s[j]);
      if ((c & 0xC0) != 0x80) break;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (j != i + 1 + static_cast<std::size_t>(extra) || cp < min) {
      out += kReplacement;  // cut or overlong: the bytes read so far stand for one bad character
      i = j;
      continue;
    }
    AppendCodePoint(out, cp);
    i = j;
  }
  return out;
}

std::wstring DecodeSingleByte(std::string_view s, Charset charset) {
  std::wstring out;
  out.reserve(s.size());
  for (char ch : s) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += static_cast<wchar_t>(b);
    } else if (charset == Charset::Cp1251) {
      out += b >= 0xC0 ? static_cast<wchar_t>(0x0410 + (b - 0xC0))
                       : static_cast<wchar_t>(kCp1251High[b - 0x80]);
    } else {
      out += b < 0xA0 ? static_cast<wchar_t>(kCp1252Controls[b - 0x80]) : static_cast<wchar_t>(b);
    }
  }
  return out;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// The charset a meta element of the page's start declares ("charset=..." anywhere in it).
Charset DeclaredCharset(std::string_view bytes) {
  std::string head(bytes.substr(0, 4096));
  std::transform(head.begin(), head.end(), head.begin(), [](char c) { return LowerAscii(c); });
  for (std::size_t at = head.find("<meta"); at != std::string::npos; at = head.find("<meta", at + 5)) {
    const std::size_t end = head.find('>', at);
    const std::string meta = head.substr(at, end == std::string::npos ? std::string::npos : end - at);
    const std::size_t key = meta.find("charset");
    if (key == std::string::npos) continue;
    std::size_t v = meta.find('=', key);
    if (v == std::string::npos) continue;
    ++v;
    while (v < meta.size() && (meta[v] == ' ' || meta[v] == '"' || meta[v] == '\'')) ++v;
    std::size_t e = v;
    while (e < meta.size() && meta[e] != '"' && meta[e] != '\'' && meta[e] != ';' &&
           meta[e] != ' ' && meta[e] != '/' && meta[e] != '>') {
      ++e;
    }
    const std::string name = meta.substr(v, e - v);
    if (name == "windows-1251" || name == "cp1251" || name == "x-cp1251") return Charset::Cp1251;
    if (name == "windows-1252" || name == "cp1252" || name == "iso-8859-1" || name == "latin1" ||
        name == "us-ascii") {
      return Charset::Cp1252;
    }
    return Charset::Utf8;
  }
  return Charset::Utf8;
}

struct NamedEntity {
  std::wstring_view Name;
  char16_t Value;
};
constexpr NamedEntity kEntities[] = {
    {L"amp", L'&'},       {L"lt", L'<'},        {L"gt", L'>'},        {L"quot", L'"'},
    {L"apos", L'\''},     {L"nbsp", 0x00A0},    {L"copy", 0x00A9},    {L"reg", 0x00AE},
    {L"trade", 0x2122},   {L"mdash", 0x2014},   {L"ndash", 0x2013},   {L"hellip", 0x2026},
    {L"laquo", 0x00AB},   {L"raquo", 0x00BB},   {L"bull", 0x2022},    {L"middot", 0x00B7},
    {L"euro", 0x20AC},    {L"deg", 0x00B0},     {L"times", 0x00D7},   {L"lsquo", 0x2018},
    {L"rsquo", 0x2019},   {L"ldquo", 0x201C},   {L"rdquo", 0x201D},   {L"sect", 0x00A7},
    {L"para", 0x00B6},    {L"plusmn", 0x00B1},  {L"larr", 0x2190},    {L"rarr", 0x2192},
};

// Decodes the entities of a text; an unknown or unfinished one stays as it is written.
// `scanned` counts the characters looked at in search of an entity's end.
std::wstring DecodeEntities(std::wstring_view s, std::size_t& scanned) {
  std::wstring out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != L'&') {
      out += s[i];
      continue;
    }
    // An entity's name is short: look no further for its end, or a page of '&' costs its square.
    const std::size_t limit = std::min(s.size(), i + 13);
    std::size_t semi = i + 1;
    while (semi < limit && s[semi] != L';' && s[semi] != L'&') ++semi;  // no name holds an '&'
    scanned += semi - i;
    if (semi >= s.size() || s[semi] != L';' || semi - i > 12) {
      out += s[i];
      continue;
    }
    const std::wstring_view name = s.substr(i + 1, semi - i - 1);
    bool done = false;
    if (name.size() >= 2 && name[0] == L'#') {
      const bool hex = name[1] == L'x' || name[1] == L'X';
      const std::wstring_view digits = name.substr(hex ? 2 : 1);
      std::uint32_t cp = 0;
      bool ok = !digits.empty() && digits.size() <= 8;
      for (wchar_t c : digits) {
        int d = -1;
        if (c >= L'0' && c <= L'9') d = c - L'0';
        else if (hex && c >= L'a' && c <= L'f') d = c - L'a' + 10;
        else if (hex && c >= L'A' && c <= L'F') d = c - L'A' + 10;
        if (d < 0) {
          ok = false;
          break;
        }
        cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
      }
      if (ok) {
        AppendCodePoint(out, cp);
        done = true;
      }
    } else {
      for (const NamedEntity& e : kEntities) {
        if (e.Name == name) {
          out += static_cast<wchar_t>(e.Value);
          done = true;
          break;
        }
      }
    }
    if (done) {
      i = semi;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::optional<os::TColor> ParseColor(std::wstring value) {
  std::transform(value.begin(), value.end(), value.begin(), [](wchar_t c) { return LowerAscii(c); });
  struct Named {
    std::wstring_view Name;
    std::uint32_t Rgb;
  };
  static constexpr Named kNames[] = {
      {L"black", 0x000000}, {L"white", 0xFFFFFF},  {L"red", 0xFF0000},    {L"green", 0x008000},
      {L"blue", 0x0000FF},  {L"gray", 0x808080},   {L"grey", 0x808080},   {L"silver", 0xC0C0C0},
      {L"maroon", 0x800000}, {L"purple", 0x800080}, {L"fuchsia", 0xFF00FF}, {L"lime", 0x00FF00},
      {L"olive", 0x808000}, {L"yellow", 0xFFFF00}, {L"navy", 0x000080},   {L"teal", 0x008080},
      {L"aqua", 0x00FFFF},  {L"orange", 0xFFA500},
  };
  std::uint32_t rgb = 0;
  bool found = false;
  for (const Named& n : kNames) {
    if (n.Name == value) rgb = n.Rgb, found = true;
  }
  if (!found) {
    if (!value.empty() && value[0] == L'#') value.erase(0, 1);
    if (value.size() == 3) value = {value[0], value[0], value[1], value[1], value[2], value[2]};
    if (value.size() != 6) return std::nullopt;
    for (wchar_t c : value) {
      int d = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
      if (d < 0) return std::nullopt;
      rgb = rgb * 16 + static_cast<std::uint32_t>(d);
    }
  }
  // 0x00BBGGRR in memory.
  return static_cast<os::TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

struct Tag {
  std::wstring Name;  // lower case
  bool Closing = false;
  std::vector<std::pair<std::wstring, std::wstring>> Attributes;  // names in lower case
  std::wstring Attribute(std::wstring_view name) const {
    for (const auto& [n, v] : Attributes) {
      if (n == name) return v;
    }
    return {};
  }
  bool Has(std::wstring_view name) const {
    return std::any_of(Attributes.begin(), Attributes.end(), [&](const auto& a) { return a.first == name; });
  }
};

class Builder {
 public:
  explicit Builder(HtmlParseStats& stats) : m_stats(stats) {}
  bool Full() const noexcept { return m_full; }

  HtmlDocument Finish() {
    CloseLink();
    while (!m_doc.Text.empty() && m_doc.Text.back() == L'\n') m_doc.Text.pop_back();
    const std::size_t size = m_doc.Text.size();
    auto clip = [size](auto& items) {
      for (auto& item : items) {
        if (item.Start >= size) item.Length = 0;
        else item.Length = std::min(item.Length, size - item.Start);
      }
      items.erase(std::remove_if(items.begin(), items.end(), [](const auto& x) { return x.Length == 0; }),
                  items.end());
    };
    clip(m_doc.Runs);
    clip(m_doc.Links);
    return std::move(m_doc);
  }

  void Text(std::wstring_view raw) {
    const std::wstring text = DecodeEntities(raw, m_stats.Scanned);
    if (m_pre > 0) {
      Append(text);
      return;
    }
    std::wstring out;
    std::size_t line = m_doc.Text.size() - m_lineStart;
    for (wchar_t c : text) {
      if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f') {
        m_pendingSpace = true;
        continue;
      }
      // A blank never starts a line; a long line breaks at a blank.
      if (m_pendingSpace && !(out.empty() && AtLineStart())) {
        const bool wrap = line >= kWrapLine;
        out += wrap ? L'\n' : L' ';
        line = wrap ? 0 : line + 1;
      }
      m_pendingSpace = false;
      out += c;
      ++line;
    }
    Append(out);
  }

  void Element(const Tag& tag) {
    const std::wstring& n = tag.Name;
    if (n == L"br") return LineBreak();
    if (n == L"img") {
      if (!tag.Closing) Text(tag.Attribute(L"alt"));
      return;
    }
    if (n == L"hr") {
      if (tag.Closing) return;
      Block(false);
      Append(std::wstring(40, static_cast<wchar_t>(0x2500)));
      LineBreak();
      return;
    }
    if (n == L"p") return Block(true);
    if (n.size() == 2 && n[0] == L'h' && n[1] >= L'1' && n[1] <= L'6') {
      Block(true);
      static constexpr int kSizes[] = {200, 150, 117, 100, 83, 67};
      if (!tag.Closing) {
        HtmlFormat f = Current();
        f.Bold = true;
        f.SizePercent = kSizes[n[1] - L'1'];
        Push(n, f);
      } else {
        Pop(n);
      }
      return;
    }
    if (n == L"ul" || n == L"ol") {
      Block(false);
      // Deeper lists count, and indent as the deepest kept level: a page of nested lists
      // would otherwise cost the square of its depth in blanks.
      if (!tag.Closing) {
        if (m_lists.size() < kMaxHtmlListDepth) m_lists.push_back({n == L"ol", 1});
        else ++m_listsBeyond;
      } else if (m_listsBeyond > 0) {
        --m_listsBeyond;
      } else if (!m_lists.empty()) {
        m_lists.pop_back();
      }
      return;
    }
    if (n == L"li") {
      if (tag.Closing) return;
      Block(false);
      const std::size_t depth = std::max<std::size_t>(m_lists.size(), 1);
      std::wstring marker(depth * 4 - 2, L' ');
      if (!m_lists.empty() && m_lists.back().Ordered) {
        marker += std::to_wstring(m_lists.back().Next++) + L". ";
      } else {
        marker += L"\x2022 ";
      }
      Append(marker);
      m_pendingSpace = false;
      return;
    }
    if (n == L"pre") {
      Block(true);
      if (!tag.Closing) {
        HtmlFormat f = Current();
        f.FontName = kPreformattedFont;
        Push(n, f);
        ++m_pre;
        m_skipNewline = true;
      } else if (Pop(n)) {
        --m_pre;
      }
      return;
    }
    if (n == L"div" || n == L"blockquote" || n == L"center" || n == L"table" || n == L"tr" ||
        n == L"section" || n == L"article" || n == L"header" || n == L"footer" || n == L"nav" ||
        n == L"body") {
      return Block(false);
    }
    if (n == L"td" || n == L"th") {
      m_pendingSpace = true;
      return;
    }
    if (n == L"a") {
      if (tag.Closing) return CloseLink();
      CloseLink();  // links do not nest
      if (tag.Has(L"href")) {
        if (m_doc.Links.size() >= kMaxHtmlLinks) {
          m_full = true;  // the page shows up to its last link the view takes
          return;
        }
        m_linkStart = m_doc.Text.size();
        m_linkTarget = tag.Attribute(L"href");
        // A blank before the link belongs outside it.
        if (m_pendingSpace && !AtLineStart()) {
          Blank();
          m_linkStart = m_doc.Text.size();
        }
      }
      return;
    }
    HtmlFormat f = Current();
    if (n == L"b" || n == L"strong") f.Bold = true;
    else if (n == L"i" || n == L"em" || n == L"cite") f.Italic = true;
    else if (n == L"u" || n == L"ins") f.Underline = true;
    else if (n == L"code" || n == L"tt" || n == L"kbd" || n == L"samp") f.FontName = L"Courier New";
    else if (n == L"font") {
      if (auto color = ParseColor(tag.Attribute(L"color"))) f.Color = color;
    } else {
      return;  // any other element shows its content only
    }
    if (tag.Closing) {
      Pop(n);
      return;
    }
    // A blank before the element belongs outside it: " <u>x</u>" underlines only the x.
    if (m_pendingSpace && !AtLineStart()) Blank();
    Push(n, f);
  }

 private:
  struct List {
    bool Ordered;
    int Next;
  };

  HtmlFormat Current() const { return m_stack.empty() ? HtmlFormat{} : m_stack.back().second; }
  // Formats nested deeper than any page needs are not applied, which keeps each Pop's search short.
  void Push(const std::wstring& name, const HtmlFormat& f) {
    if (m_stack.size() < kMaxHtmlFormatDepth) m_stack.emplace_back(name, f);
  }
  // Pops the latest entry of that element with everything opened after it; false when none.
  bool Pop(const std::wstring& name) {
    for (std::size_t i = m_stack.size(); i-- > 0;) {
      ++m_stats.Scanned;
      if (m_stack[i].first == name) {
        m_stack.resize(i);
        return true;
      }
    }
    return false;
  }

  // A line this long breaks at its next blank, well before kMaxHtmlLine breaks it anywhere.
  static constexpr std::size_t kWrapLine = kMaxHtmlLine * 3 / 4;

  // The pending blank, or a line break for it on a long line.
  void Blank() {
    m_pendingSpace = false;
    Append(m_doc.Text.size() - m_lineStart >= kWrapLine ? L"\n" : L" ");
  }

  bool AtLineStart() const { return m_doc.Text.empty() || m_doc.Text.back() == L'\n'; }

  void Append(std::wstring_view text) {
    if (m_skipNewline) {
      m_skipNewline = false;
      if (text.substr(0, 2) == L"\r\n") text.remove_prefix(2);
      else if (!text.empty() && text[0] == L'\n') text.remove_prefix(1);
    }
    // The rich edit slows with the square of a paragraph's length: a longer line breaks.
    while (!text.empty() && !m_full) {
      const std::size_t size = m_doc.Text.size();
      if (size >= kMaxHtmlText) {
        m_full = true;
        break;
      }
      const std::size_t line = size - m_lineStart;
      if (line >= kMaxHtmlLine && text[0] != L'\n') {
        AppendPiece(L"\n");
        continue;
      }
      std::size_t n = std::min({text.size(), line >= kMaxHtmlLine ? 1 : kMaxHtmlLine - line,
                                kMaxHtmlText - size});
      const std::size_t newline = text.substr(0, n).find(L'\n');
      if (newline != std::wstring_view::npos) n = newline + 1;
      AppendPiece(text.substr(0, n));
      text.remove_prefix(n);
    }
  }

  // Text within one line and the text bound, in the current format.
  void AppendPiece(std::wstring_view text) {
    const HtmlFormat f = Current();
    if (!m_doc.Runs.empty() && m_doc.Runs.back().Format == f) {
      m_doc.Runs.back().Length += text.size();
    } else if (m_doc.Runs.size() < kMaxHtmlRuns) {
      m_doc.Runs.push_back({m_doc.Text.size(), text.size(), f});
    } else {
      m_full = true;
      return;
    }
    m_doc.Text.append(text);
    if (text.back() == L'\n') m_lineStart = m_doc.Text.size();
  }

  void LineBreak() {
    m_pendingSpace = false;
    Append(L"\n");
  }

  // Starts a new line, and with `blankLine` leaves an empty line between blocks.
  void Block(bool blankLine) {
    m_pendingSpace = false;
    m_skipNewline = false;
    if (m_doc.Text.empty()) return;
    if (m_doc.Text.back() != L'\n') Append(L"\n");
    if (blankLine && (m_doc.Text.size() < 2 || m_doc.Text[m_doc.Text.size() - 2] != L'\n')) {
      Append(L"\n");
    }
  }

  void CloseLink() {
    if (!m_linkStart) return;
    const std::size_t start = *m_linkStart;
    m_linkStart.reset();
    if (m_doc.Text.size() > start) {
      m_doc.Links.push_back({start, m_doc.Text.size() - start, m_linkTarget});
    }
  }

  HtmlParseStats& m_stats;
  HtmlDocument m_doc;
  std::vector<std::pair<std::wstring, HtmlFormat>> m_stack;
  std::vector<List> m_lists;
  std::size_t m_listsBeyond = 0;  // open lists deeper than kMaxHtmlListDepth
  std::size_t m_lineStart = 0;    // where the text's last line starts
  bool m_full = false;            // a bound is reached: the rest of the page is dropped
  int m_pre = 0;
  bool m_pendingSpace = false;
  bool m_skipNewline = false;
  std::optional<std::size_t> m_linkStart;
  std::wstring m_linkTarget;
};

bool IsNameChar(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
         c == L'-' || c == L'_' || c == L':';
}
bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; }

std::wstring Lower(std::wstring_view s) {
  std::wstring out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](wchar_t c) { return LowerAscii(c); });
  return out;
}

// Parses the tag that starts at html[i] == '<'; i moves past its '>'. False when no tag starts
// there (a lone "<" is text).
bool ReadTag(std::wstring_view html, std::size_t& i, Tag& tag, HtmlParseStats& stats) {
  std::size_t p = i + 1;
  if (p < html.size() && html[p] == L'/') {
    tag.Closing = true;
    ++p;
  }
  const std::size_t nameStart = p;
  if (p >= html.size() || !((html[p] >= L'a' && html[p] <= L'z') || (html[p] >= L'A' && html[p] <= L'Z'))) {
    return false;
  }
  while (p < html.size() && IsNameChar(html[p])) ++p;
  tag.Name = Lower(html.substr(nameStart, p - nameStart));
  while (p < html.size() && html[p] != L'>') {
    if (IsSpace(html[p]) || html[p] == L'/') {
      ++p;
      continue;
    }
    const std::size_t a = p;
    while (p < html.size() && !IsSpace(html[p]) && html[p] != L'=' && html[p] != L'>' && html[p] != L'/') ++p;
    std::wstring name = Lower(html.substr(a, p - a));
    while (p < html.size() && IsSpace(html[p])) ++p;
    std::wstring value;
    if (p < html.size() && html[p] == L'=') {
      ++p;
      while (p < html.size() && IsSpace(html[p])) ++p;
      if (p < html.size() && (html[p] == L'"' || html[p] == L'\'')) {
        const wchar_t quote = html[p++];
        const std::size_t end = html.find(quote, p);
        const std::size_t stop = end == std::wstring_view::npos ? html.size() : end;
        value = DecodeEntities(html.substr(p, stop - p), stats.Scanned);
        p = end == std::wstring_view::npos ? html.size() : end + 1;
      } else {
        const std::size_t v = p;
        while (p < html.size() && !IsSpace(html[p]) && html[p] != L'>') ++p;
        value = DecodeEntities(html.substr(v, p - v), stats.Scanned);
      }
    }
    if (p == a) ++p;  // a stray character; never loop on it
    if (!name.empty()) tag.Attributes.emplace_back(std::move(name), std::move(value));
  }
  i = p < html.size() ? p + 1 : html.size();
  return true;
}

// Whether text equals a lower-case name in any case.
bool EqualsLower(std::wstring_view text, std::wstring_view name) {
  return text.size() == name.size() &&
         std::equal(text.begin(), text.end(), name.begin(), [](wchar_t a, wchar_t b) { return LowerAscii(a) == b; });
}

// Past the end of the element whose raw content starts at i ("</name" in any case, then '>').
// One pass from i, comparing in place: a page of many such elements costs its length once.
std::size_t SkipRawText(std::wstring_view html, std::size_t i, std::wstring_view name, HtmlParseStats& stats) {
  for (std::size_t p = i; p + 1 < html.size(); ++p) {
    ++stats.Scanned;
    if (html[p] != L'<' || html[p + 1] != L'/' || !EqualsLower(html.substr(p + 2, name.size()), name)) continue;
    const std::size_t close = html.find(L'>', p + 2 + name.size());
    stats.Scanned += (close == std::wstring_view::npos ? html.size() : close) - p;
    return close == std::wstring_view::npos ? html.size() : close + 1;
  }
  return html.size();
}

}  // namespace

const HtmlLink* HtmlDocument::LinkAt(std::size_t position) const {
  for (const HtmlLink& link : Links) {
    if (position >= link.Start && position < link.Start + link.Length) return &link;
  }
  return nullptr;
}

std::wstring DecodeHtmlBytes(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return DecodeUtf8(bytes);
  const Charset charset = DeclaredCharset(bytes);
  return charset == Charset::Utf8 ? DecodeUtf8(bytes) : DecodeSingleByte(bytes, charset);
}

HtmlDocument ParseHtml(std::wstring_view html, HtmlParseStats* stats) {
  HtmlParseStats ownStats;
  HtmlParseStats& st = stats != nullptr ? *stats : ownStats;
  Builder b(st);
  std::size_t i = 0;
  std::size_t textStart = 0;
  auto flush = [&](std::size_t end) {
    if (end <= textStart || b.Full()) return;
    st.Scanned += end - textStart;
    b.Text(html.substr(textStart, end - textStart));
  };
  while (i < html.size() && !b.Full()) {
    ++st.Scanned;
    if (html[i] != L'<') {
      ++i;
      continue;
    }
    if (html.substr(i, 4) == L"<!--") {
      flush(i);
      const std::size_t end = html.find(L"-->", i + 4);
      const std::size_t past = end == std::wstring_view::npos ? html.size() : end + 3;
      st.Scanned += past - i;
      i = textStart = past;
      continue;
    }
    if (i + 1 < html.size() && (html[i + 1] == L'!' || html[i + 1] == L'?')) {
      flush(i);
      const std::size_t end = html.find(L'>', i);
      const std::size_t past = end == std::wstring_view::npos ? html.size() : end + 1;
      st.Scanned += past - i;
      i = textStart = past;
      continue;
    }
    Tag tag;
    std::size_t next = i;
    if (!ReadTag(html, next, tag, st)) {
      ++i;  // a "<" that starts no tag is text
      continue;
    }
    flush(i);
    st.Scanned += next - i;
    i = textStart = next;
    if (!tag.Closing && (tag.Name == L"script" || tag.Name == L"style" || tag.Name == L"title")) {
      i = textStart = SkipRawText(html, i, tag.Name, st);
      continue;
    }
    b.Element(tag);
  }
  flush(html.size());
  return b.Finish();
}

}  // namespace ui
