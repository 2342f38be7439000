// The tree list's own sizes on a move to a monitor of another DPI.
#include <algorithm>
#include <vector>

#include "ui/flag_scope.h"
#include "ui/tree_list.h"

namespace ui {

void TreeList::ChangeScale(int m, int d) {
  // The edit was placed and sized for the old rows and columns.
  if (IsEditing()) EndEditNode();
  const auto scale = [m, d](int value) { return ::MulDiv(value, m, d); };
  m_defaultNodeHeight = std::max(1, scale(m_defaultNodeHeight));
  m_headerHeight = scale(m_headerHeight);
  m_indent = scale(m_indent);
  m_margin = scale(m_margin);
  m_textMargin = scale(m_textMargin);
  // Every node, measured or not: a height given when it was added is one of the old DPI too.
  for (TreeNode* n = FirstNode(); n != nullptr; n = NextNode(n)) {
    n->m_height = std::max(1, scale(n->m_height));
  }
  // The same rows and columns stay in sight. Their ranges are known once the form has laid out
  // its controls at their new sizes: till then the offsets are not held to them (the old client
  // size with the new columns would cut a scaled offset down for good).
  m_topOffset = scale(m_topOffset);
  m_leftOffset = scale(m_leftOffset);
  m_scaledForNewLayout = HandleAllocated();
  m_rowsDirty = true;

  std::vector<int> widths;
  for (const TreeColumn& c : m_columns) widths.push_back(scale(c.Width));
  for (size_t i = 0; i < widths.size(); ++i) m_columns[i].Width = widths[i];
  if (m_header) {
    // Our own writes: the header's notice of each would read back the widths half written.
    const FlagScope writing(m_writingHeaderWidths);
    for (size_t i = 0; i < widths.size(); ++i) {
      HDITEMW item{};
      item.mask = HDI_WIDTH;
      item.cxy = widths[i];
      ::SendMessageW(m_header.Get(), HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  SyncHeader();
  UpdateScrollBar();
  Repaint();
}

void TreeList::NativePlacementChanged() {
  WinControl::NativePlacementChanged();
  if (!m_scaledForNewLayout) return;
  // The window has its place at the new DPI: the ranges are right again.
  m_scaledForNewLayout = false;
  UpdateAutoSizeColumn();
  UpdateScrollBar();
  Repaint();
}

}  // namespace ui
