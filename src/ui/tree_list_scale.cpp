// The tree list's own sizes on a move to a monitor of another DPI.
#include <algorithm>
#include <vector>

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
  m_topOffset = scale(m_topOffset);  // the same rows and columns stay in sight
  m_leftOffset = scale(m_leftOffset);
  m_rowsDirty = true;

  // The header reads all its widths back on each change (HDN_ITEMCHANGED): the new widths are
  // worked out first, so that one written does not bring back the old width of the next.
  std::vector<int> widths;
  for (const TreeColumn& c : m_columns) widths.push_back(scale(c.Width));
  for (size_t i = 0; i < widths.size(); ++i) {
    if (m_header) {
      HDITEMW item{};
      item.mask = HDI_WIDTH;
      item.cxy = widths[i];
      ::SendMessageW(m_header.Get(), HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  for (size_t i = 0; i < widths.size(); ++i) m_columns[i].Width = widths[i];
  SyncHeader();
  UpdateScrollBar();
  Repaint();
}

}  // namespace ui
