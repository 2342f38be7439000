#pragma once
// A non-visual component that carries one list of text lines (the built-in UI text tables).
#include "core/string_list.h"
#include "ui/component.h"

namespace settings_window {

class TStringListComponent : public ui::Component {
 public:
  const core::TStringList& StrList() const noexcept { return m_lines; }
  // Copies the lines; the component never takes over a caller's list.
  void SetStrList(const core::TStringList& lines) { m_lines = lines; }
  // The lines of a UTF-8 text (CR LF or LF line ends).
  void SetText(std::string_view utf8);
  // The lines joined with CR LF.
  std::wstring Text() const;

 private:
  core::TStringList m_lines;
};

}  // namespace settings_window
