#pragma once
// A single-line edit: the system's edit control as a child window of the form.
#include <string>

#include "ui/handles.h"
#include "ui/win_control.h"

namespace ui {

class Edit : public WinControl {
 public:
  explicit Edit(Control* parent);
  ~Edit() override;

  // The text as the window holds it (the user may have typed since it was set).
  std::wstring Text() const;
  // Sets the text; the same text again does nothing.
  void SetText(const std::wstring& text);
  bool ReadOnly() const noexcept { return m_readOnly; }
  void SetReadOnly(bool readOnly);
  bool Border() const noexcept { return m_border; }
  // Set before the window is made.
  void SetBorder(bool border) { m_border = border; }
  void SelectAll();

 protected:
  void CreateWindowHandle(HWND parent, const os::Rect& r) override;
  void WindowCreated() override;
  bool HandleParentMessage(WindowMessage& message) override;
  void FontChanged() override;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR data) noexcept;
  void ApplyFont();

  mutable std::wstring m_text;  // the text while there is no window
  bool m_readOnly = false;
  bool m_border = true;
  UniqueBrush m_brush;
  os::TColor m_brushColor = 0;
};

}  // namespace ui
