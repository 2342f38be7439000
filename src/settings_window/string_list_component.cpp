#include "settings_window/string_list_component.h"

#include "os/text.h"

namespace settings_window {

void TStringListComponent::SetText(std::string_view utf8) {
  m_lines.clear();
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  std::size_t start = 0;
  while (start < utf8.size()) {
    auto end = utf8.find('\n', start);
    if (end == std::string_view::npos) end = utf8.size();
    std::string_view line = utf8.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    m_lines.push_back(os::Utf8ToWide(line));
    start = end + 1;
  }
}

std::wstring TStringListComponent::Text() const {
  std::wstring text;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (i != 0) text += L"\r\n";
    text += m_lines[i];
  }
  return text;
}

}  // namespace settings_window
