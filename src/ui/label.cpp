#include "ui/label.h"

#include "ui/text_measurer.h"

namespace ui {

void Label::SetCaption(const std::wstring& caption) {
  if (caption == Caption()) return;
  Control::SetCaption(caption);
  AdjustSize();
}

void Label::SetTransparent(bool transparent) {
  if (transparent == m_transparent) return;
  m_transparent = transparent;
  Invalidate();
}

void Label::SetAlignment(UINT dtFlags) {
  if (dtFlags == m_alignment) return;
  m_alignment = dtFlags;
  Invalidate();
}

void Label::SetWordWrap(bool wrap) {
  if (wrap == m_wordWrap) return;
  m_wordWrap = wrap;
  Invalidate();
}

void Label::SetShowAccelChar(bool show) {
  if (show == m_showAccelChar) return;
  m_showAccelChar = show;
  AdjustSize();
  Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
  if (autoSize == m_autoSize) return;
  m_autoSize = autoSize;
  AdjustSize();
}

void Label::FontChanged() { AdjustSize(); }

std::wstring Label::DisplayText() const {
  if (!m_showAccelChar) return Caption();
  std::wstring text;
  const std::wstring& c = Caption();
  for (size_t i = 0; i < c.size(); ++i) {
    if (c[i] == L'&' && i + 1 < c.size()) ++i;  // "&x" shows x, "&&" shows "&"
    text += c[i];
  }
  return text;
}

void Label::AdjustSize() {
  if (!m_autoSize) return;
  // An empty label keeps the height of a line and the width of a blank, so that it can still
  // be found and clicked.
  std::wstring text = DisplayText();
  if (text.empty()) text = L" ";
  const TextSize size = Measurer().Measure(text, GetFont());
  SetBounds(Left(), Top(), size.Width, size.Height);
}

UINT Label::TextFlags() const {
  UINT flags = m_alignment | (m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  if (!m_showAccelChar) flags |= DT_NOPREFIX;
  // Accelerator underlines are never drawn; "&&" still shows a single "&".
  return flags | DT_HIDEPREFIX;
}

void Label::Paint(Canvas& canvas) {
  const os::Rect r{0, 0, Width(), Height()};
  if (!m_transparent) canvas.FillRect(r, Color());
  canvas.DrawText(Caption(), r, GetFont(), TextFlags());
}

}  // namespace ui
