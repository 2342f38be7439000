#pragma once
#include <windows.h>

#include "ui/control.h"

namespace ui {

// Text on its parent's background (transparent) or on its own colour (opaque). "&&" shows as
// "&" unless ShowAccelChar is off. With AutoSize on, the label takes the size of its text on
// one line whenever the caption or the font changes; its top-left corner stays.
class Label : public Control {
 public:
  using Control::Control;
  void SetCaption(const std::wstring& caption) override;
  void SetTransparent(bool transparent);
  bool Transparent() const noexcept { return m_transparent; }
  void SetAlignment(UINT dtFlags);  // DT_LEFT, DT_CENTER or DT_RIGHT
  void SetWordWrap(bool wrap);
  void SetShowAccelChar(bool show);
  void SetAutoSize(bool autoSize);
  bool AutoSize() const noexcept { return m_autoSize; }
  void Paint(Canvas& canvas) override;
  // The DrawText flags its caption is painted with (alignment, wrapping, prefixes).
  UINT TextFlags() const;

 protected:
  void FontChanged() override;
  // The caption as it shows: accelerator marks taken out.
  std::wstring DisplayText() const;

 private:
  void AdjustSize();

  bool m_transparent = true;
  UINT m_alignment = DT_LEFT;
  bool m_wordWrap = false;
  bool m_showAccelChar = true;
  bool m_autoSize = false;
};

}  // namespace ui
