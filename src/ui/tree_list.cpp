// The tree list's nodes, their state, the selection and the columns. The window, the keys and
// the pointer are in tree_list_window.cpp, layout and painting in tree_list_paint.cpp.
#include "ui/tree_list.h"

#include <algorithm>

#include "ui/system_colors.h"

namespace ui {

TreeList::TreeList(Control* parent)
    : WinControl(parent),
      m_gridColor(syscolor::kBtnShadow),
      m_selectionFocused(syscolor::kHighlight),
      m_selectionUnfocused(syscolor::kHighlight),
      m_selectedText(syscolor::kHighlightText) {
  m_root.m_isRoot = true;
  m_root.m_expanded = true;
  SetColor(syscolor::kWindow);
  NativePlacementChanged();  // a tree added to a form that has its window gets its own now
}

TreeList::~TreeList() {
  // The edit and the header are children of the tree's window and go with it.
  DestroyHandle();
}

// --- Nodes

TreeNode* TreeList::NewChild(TreeNode* parent) {
  TreeNode* owner = parent != nullptr ? parent : &m_root;
  auto node = std::make_unique<TreeNode>();
  node->m_parent = owner;
  node->m_index = owner->ChildCount();
  node->m_height = m_defaultNodeHeight;
  TreeNode* raw = node.get();
  owner->m_children.push_back(std::move(node));
  return raw;
}

TreeNode* TreeList::AddChild(TreeNode* parent) {
  TreeNode* node = NewChild(parent);
  NodeAdded();
  return node;
}

void TreeList::NodeAdded() {
  StructureChanged();
  if (m_updating == 0 && m_selected == nullptr) SetSelected(FirstNode());
}

void TreeList::StructureChanged() {
  m_rowsDirty = true;
  if (m_updating == 0) {
    UpdateScrollBar();
    Repaint();
  }
}

void TreeList::EndUpdate() {
  if (m_updating == 0) return;
  if (--m_updating != 0) return;
  StructureChanged();
  if (m_selected == nullptr && FirstNode() != nullptr) SetSelected(FirstNode());
}

TreeNode* TreeList::NextNode(const TreeNode* node) const noexcept {
  if (node == nullptr) return nullptr;
  if (node->HasChildren()) return node->Child(0);
  for (const TreeNode* n = node; n != nullptr && !n->m_isRoot; n = n->m_parent) {
    if (TreeNode* next = n->NextSibling()) return next;
  }
  return nullptr;
}

int TreeList::TotalCount() const noexcept {
  int count = 0;
  for (const TreeNode* n = FirstNode(); n != nullptr; n = NextNode(n)) ++count;
  return count;
}

void TreeList::SelectAfterRemoval(TreeNode* gone) {
  // The row after the deleted one takes over, else the one before, else the parent.
  TreeNode* next = gone->NextSibling();
  if (next == nullptr) next = gone->PrevSibling();
  if (next == nullptr) next = gone->Parent();
  const bool selectedGoes = m_selected != nullptr && m_selected->IsWithin(gone);
  const bool focusedGoes = m_focused != nullptr && m_focused->IsWithin(gone);
  if (m_editNode != nullptr && m_editNode->IsWithin(gone)) CancelEditNode();
  if (m_pressedNode != nullptr && m_pressedNode->IsWithin(gone)) m_pressedNode = nullptr;
  if (focusedGoes) m_focused = nullptr;
  if (selectedGoes) m_selected = nullptr;
  auto& siblings = gone->m_parent->m_children;
  const auto at = static_cast<size_t>(gone->m_index);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(at));  // frees gone
  for (size_t i = at; i < siblings.size(); ++i) siblings[i]->m_index = static_cast<int>(i);
  StructureChanged();
  if (focusedGoes) m_focused = next;
  if (selectedGoes) {
    SetSelected(next);
    if (next == nullptr && OnChange) OnChange(nullptr);
  }
}

void TreeList::DeleteNode(TreeNode* node) {
  if (node == nullptr || node->m_isRoot) return;
  SelectAfterRemoval(node);
}

void TreeList::Clear() {
  if (m_root.m_children.empty()) return;
  CancelEditNode();
  const bool hadSelection = m_selected != nullptr;
  m_selected = m_focused = m_pressedNode = nullptr;
  m_root.m_children.clear();
  m_topOffset = 0;
  StructureChanged();
  if (hadSelection && OnChange) OnChange(nullptr);
}

// --- Node state

void TreeList::SetCheckBox(TreeNode* node, bool hasCheckBox) {
  if (node == nullptr || node->m_checkBox == hasCheckBox) return;
  node->m_checkBox = hasCheckBox;
  Repaint();
}

void TreeList::SetChecked(TreeNode* node, bool checked) {
  if (node == nullptr || node->m_checked == checked) return;
  node->m_checked = checked;
  Repaint();
  if (OnChecked) OnChecked(node);
}

bool TreeList::SetExpanded(TreeNode* node, bool expanded) {
  if (node == nullptr || node->m_expanded == expanded) return true;
  if (!expanded && OnCollapsing) {
    bool allowed = true;
    OnCollapsing(node, allowed);
    if (!allowed) return false;
  }
  if (!expanded && IsEditing() && m_editNode != node && m_editNode->IsWithin(node)) EndEditNode();
  node->m_expanded = expanded;
  StructureChanged();
  if (!expanded) {
    // A row that the collapse hides hands its selection and focus to the collapsed node.
    if (m_focused != nullptr && m_focused != node && m_focused->IsWithin(node)) m_focused = node;
    if (m_selected != nullptr && m_selected != node && m_selected->IsWithin(node)) {
      SetSelected(node);
    }
  }
  return true;
}

void TreeList::FullExpand() {
  BeginUpdate();
  for (TreeNode* n = FirstNode(); n != nullptr; n = NextNode(n)) {
    if (n->HasChildren()) SetExpanded(n, true);
  }
  EndUpdate();
}

void TreeList::FullCollapse() {
  BeginUpdate();
  for (TreeNode* n = FirstNode(); n != nullptr; n = NextNode(n)) {
    if (n->HasChildren()) SetExpanded(n, false);
  }
  EndUpdate();
}

void TreeList::SetNodeHeight(TreeNode* node, int height) {
  if (node == nullptr || height < 1 || node->m_height == height) return;
  node->m_height = height;
  StructureChanged();
}

// --- Selection and focus

void TreeList::SetSelected(TreeNode* node) {
  if (node == m_selected) return;
  if (node == nullptr && FirstNode() != nullptr && m_updating == 0) return;  // one row stays
  m_selected = node;
  Repaint();
  if (node != nullptr && OnChange) OnChange(node);
}

void TreeList::SetFocusedNode(TreeNode* node) {
  if (node != m_focused) {
    if (IsEditing()) EndEditNode();
    m_focused = node;
    Repaint();
  }
  if (node != nullptr) {
    for (TreeNode* p = node->Parent(); p != nullptr; p = p->Parent()) SetExpanded(p, true);
    SetSelected(node);
    ScrollIntoView(node);
  }
}

void TreeList::SetFocusedColumn(int column) {
  if (column < 0 || column >= ColumnsShown() || column == m_focusedColumn) return;
  m_focusedColumn = column;
  Repaint();
}

void TreeList::FocusAndSelect(TreeNode* node, int column) {
  if (column >= 0) SetFocusedColumn(column);
  SetFocusedNode(node);
}

// --- Columns

int TreeList::AddColumn(std::wstring text, int width, ColumnAlign align) {
  m_columns.push_back({std::move(text), width, align});
  const int index = ColumnCount() - 1;
  m_order.push_back(index);
  if (m_header) InsertHeaderItem(index);
  UpdateAutoSizeColumn();
  UpdateScrollBar();
  SyncHeader();
  Repaint();
  return index;
}

void TreeList::SetColumnText(int column, const std::wstring& text) {
  if (column < 0 || column >= ColumnCount()) return;
  TreeColumn& c = m_columns[static_cast<size_t>(column)];
  if (c.Text == text) return;
  c.Text = text;
  if (m_header) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = c.Text.data();
    ::SendMessageW(m_header.Get(), HDM_SETITEMW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&item));
  }
}

void TreeList::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount() || width < 0) return;
  TreeColumn& c = m_columns[static_cast<size_t>(column)];
  if (c.Width == width) return;
  c.Width = width;
  if (m_header) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    ::SendMessageW(m_header.Get(), HDM_SETITEMW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&item));
  }
  UpdateAutoSizeColumn();
  if (IsEditing()) EndEditNode();
  UpdateScrollBar();
  SyncHeader();
  Repaint();
}

int TreeList::ColumnWidth(int column) const {
  if (m_columns.empty() && column == 0) return ClientArea().Width();
  if (column < 0 || column >= ColumnCount()) return 0;
  return m_columns[static_cast<size_t>(column)].Width;
}

std::vector<int> TreeList::ColumnOrder() const {
  if (m_columns.empty()) return {0};
  if (!m_header) return m_order;
  // The header is the truth: the user may have dragged a column since.
  std::vector<int> order(m_columns.size());
  ::SendMessageW(m_header.Get(), HDM_GETORDERARRAY, order.size(),
                 reinterpret_cast<LPARAM>(order.data()));
  return order;
}

void TreeList::SetColumnOrder(const std::vector<int>& order) {
  std::vector<int> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size(); ++i) {
    if (sorted[i] != static_cast<int>(i)) return;  // not a permutation of the columns
  }
  if (sorted.size() != m_columns.size() || order == ColumnOrder()) return;
  m_order = order;
  if (m_header) {
    ::SendMessageW(m_header.Get(), HDM_SETORDERARRAY, m_order.size(),
                   reinterpret_cast<LPARAM>(m_order.data()));
  }
  if (IsEditing()) EndEditNode();
  Repaint();
}

void TreeList::SetAutoSizeColumn(int column) {
  if (column == m_autoSizeColumn) return;
  m_autoSizeColumn = column;
  UpdateAutoSizeColumn();
  Repaint();
}

void TreeList::UpdateAutoSizeColumn() {
  if (m_autoSizeColumn < 0 || m_autoSizeColumn >= ColumnCount()) return;
  int others = 0;
  for (int i = 0; i < ColumnCount(); ++i) {
    if (i != m_autoSizeColumn) others += m_columns[static_cast<size_t>(i)].Width;
  }
  const int width = std::max(0, ClientArea().Width() - others);
  const int column = m_autoSizeColumn;
  m_autoSizeColumn = -1;  // SetColumnWidth comes back here
  SetColumnWidth(column, width);
  m_autoSizeColumn = column;
}

void TreeList::SetHeaderVisible(bool visible) {
  if (visible == m_headerVisible) return;
  m_headerVisible = visible;
  SyncHeader();
  UpdateScrollBar();
  Repaint();
}

void TreeList::SetHeaderHeight(int height) {
  if (height == m_headerHeight || height < 0) return;
  m_headerHeight = height;
  SyncHeader();
  UpdateScrollBar();
  Repaint();
}

void TreeList::SetColumnsMovable(bool movable) {
  if (movable == m_columnsMovable) return;
  m_columnsMovable = movable;
  if (m_header) {
    const LONG_PTR style = ::GetWindowLongPtrW(m_header.Get(), GWL_STYLE);
    ::SetWindowLongPtrW(
        m_header.Get(), GWL_STYLE,
        movable ? style | HDS_DRAGDROP : style & ~static_cast<LONG_PTR>(HDS_DRAGDROP));
  }
}

// --- Look

void TreeList::SetImages(const ImageSource* images) {
  if (images == m_images) return;
  m_images = images;
  Repaint();
}

void TreeList::SetStateImages(const ImageSource* images) {
  if (images == m_stateImages) return;
  m_stateImages = images;
  Repaint();
}

void TreeList::SetIndent(int indent) {
  if (indent == m_indent) return;
  m_indent = indent;
  Repaint();
}

void TreeList::SetMargin(int margin) {
  if (margin == m_margin) return;
  m_margin = margin;
  Repaint();
}

void TreeList::SetTextMargin(int margin) {
  if (margin == m_textMargin) return;
  m_textMargin = margin;
  Repaint();
}

void TreeList::SetShowButtons(bool show) {
  if (show == m_showButtons) return;
  m_showButtons = show;
  Repaint();
}

void TreeList::SetShowRoot(bool show) {
  if (show == m_showRoot) return;
  m_showRoot = show;
  Repaint();
}

void TreeList::SetShowTreeLines(bool show) {
  if (show == m_showTreeLines) return;
  m_showTreeLines = show;
  Repaint();
}

void TreeList::SetGridLines(bool horizontal, bool vertical) {
  if (horizontal == m_horizontalGrid && vertical == m_verticalGrid) return;
  m_horizontalGrid = horizontal;
  m_verticalGrid = vertical;
  Repaint();
}

void TreeList::SetGridLineColor(os::TColor color) {
  if (color == m_gridColor) return;
  m_gridColor = color;
  Repaint();
}

void TreeList::SetSelectionColors(os::TColor focused, os::TColor unfocused) {
  if (focused == m_selectionFocused && unfocused == m_selectionUnfocused) return;
  m_selectionFocused = focused;
  m_selectionUnfocused = unfocused;
  Repaint();
}

void TreeList::SetSelectedTextColor(os::TColor color) {
  if (color == m_selectedText) return;
  m_selectedText = color;
  Repaint();
}

}  // namespace ui
