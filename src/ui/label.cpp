#include "ui/label.h"

namespace ui {

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
  Invalidate();
}

void Label::Paint(Canvas& canvas) {
  const os::Rect r{0, 0, Width(), Height()};
  if (!m_transparent) canvas.FillRect(r, Color());
  UINT flags = m_alignment | (m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  if (!m_showAccelChar) flags |= DT_NOPREFIX;
  // Accelerator underlines are never drawn; "&&" still shows a single "&".
  flags |= DT_HIDEPREFIX;
  canvas.DrawText(Caption(), r, GetFont(), flags);
}

}  // namespace ui
