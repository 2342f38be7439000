// The tree list's geometry (rows, columns, the parts of a cell) and its painting. Painting and
// hit testing share LayoutCell, so that a click lands where the eye sees the part.
#include <algorithm>

#include "ui/flag_scope.h"
#include "ui/native_calls.h"
#include "ui/tree_list.h"

namespace ui {
namespace {

// Sizes at 96 DPI; the form's DPI scales them.
constexpr int kCheckBoxSize = 13;
constexpr int kButtonSize = 9;
constexpr int kImageSpacing = 2;

bool Contains(const os::Rect& r, int x, int y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

os::Rect CentredBox(int left, int size, const os::Rect& row) {
  const int top = row.Top + (row.Height() - size) / 2;
  return {left, top, left + size, top + size};
}

}  // namespace

os::Rect TreeList::ClientArea() const {
  if (HandleAllocated()) {
    RECT r{};
    ::GetClientRect(const_cast<TreeList*>(this)->Handle(), &r);
    return {0, 0, r.right, r.bottom};
  }
  return {0, 0, Width(), Height()};
}

int TreeList::RowsTop() const { return m_headerVisible && !m_columns.empty() ? m_headerHeight : 0; }

void TreeList::EnsureRows() {
  if (!m_rowsDirty) return;
  m_rowsDirty = false;
  m_rows.clear();
  m_rowTops.assign(1, 0);
  std::vector<TreeNode*> pending;
  for (int i = m_root.ChildCount() - 1; i >= 0; --i) pending.push_back(m_root.Child(i));
  while (!pending.empty()) {
    TreeNode* n = pending.back();
    pending.pop_back();
    if (!n->m_measured) {
      n->m_measured = true;
      if (OnMeasureItem) {
        int height = n->m_height;
        OnMeasureItem(n, height);
        if (height > 0) n->m_height = height;
      }
    }
    m_rows.push_back(n);
    m_rowTops.push_back(m_rowTops.back() + n->m_height);
    if (n->m_expanded) {
      for (int i = n->ChildCount() - 1; i >= 0; --i) pending.push_back(n->Child(i));
    }
  }
}

int TreeList::RowIndex(const TreeNode* node) {
  EnsureRows();
  const auto it = std::find(m_rows.begin(), m_rows.end(), node);
  return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

std::vector<TreeList::ColumnSpan> TreeList::ColumnSpans() const {
  std::vector<ColumnSpan> spans;
  if (m_columns.empty()) {
    spans.push_back({0, 0, ClientArea().Width()});
    return spans;
  }
  int x = -m_leftOffset;
  for (int column : ColumnOrder()) {
    const int w = m_columns[static_cast<size_t>(column)].Width;
    spans.push_back({column, x, x + w});
    x += w;
  }
  return spans;
}

int TreeList::ContentWidth() const {
  int width = 0;
  for (const TreeColumn& c : m_columns) width += c.Width;
  return width;
}

os::Rect TreeList::RowRect(const TreeNode* node) {
  const int row = RowIndex(node);
  if (row < 0) return {};
  const int top = RowsTop() + m_rowTops[static_cast<size_t>(row)] - m_topOffset;
  const int bottom = RowsTop() + m_rowTops[static_cast<size_t>(row) + 1] - m_topOffset;
  const int right = std::max(ClientArea().Width(), ColumnSpans().back().Right);
  return {0, top, right, bottom};
}

os::Rect TreeList::CellRect(const TreeNode* node, int column) {
  const os::Rect row = RowRect(node);
  if (row.Width() <= 0 && row.Height() <= 0) return {};
  for (const ColumnSpan& s : ColumnSpans()) {
    if (s.Column == column) return {s.Left, row.Top, s.Right, row.Bottom};
  }
  return {};
}

int TreeList::ImageIndexOf(TreeNode* node, int column, ImageKind kind) {
  int index = -1;
  if (OnGetImageIndex) OnGetImageIndex(node, column, kind, index);
  return index;
}

int TreeList::Px(int value) {
  Form* form = OwnerForm();
  return form != nullptr ? form->Px(value) : value;
}

TreeList::CellLayout TreeList::LayoutCell(TreeNode* node, int column, const os::Rect& cell) {
  const int buttonSize = Px(kButtonSize), checkBoxSize = Px(kCheckBoxSize);
  CellLayout l;
  int x = cell.Left + m_margin;
  if (IsMainColumn(column)) {
    const int level = node->Level() + (m_showRoot ? 1 : 0);
    x += level * m_indent;
    if (m_showButtons && level > 0 && node->HasChildren()) {
      const int slot = x - m_indent;
      l.Button = CentredBox(slot + (m_indent - buttonSize) / 2, buttonSize, cell);
    }
    if (node->m_checkBox) {
      l.CheckBox = CentredBox(x, checkBoxSize, cell);
      x += checkBoxSize + kImageSpacing * 2;
    }
  }
  if (m_stateImages != nullptr) {
    l.StateIndex = ImageIndexOf(node, column, ImageKind::State);
    if (l.StateIndex >= 0) {
      l.StateImage = CentredBox(x, m_stateImages->ImageHeight(), cell);
      l.StateImage.Right = x + m_stateImages->ImageWidth();
      x = l.StateImage.Right + kImageSpacing;
    }
  }
  if (m_images != nullptr) {
    l.ImageIndex =
        ImageIndexOf(node, column, node == m_selected ? ImageKind::Selected : ImageKind::Normal);
    if (l.ImageIndex >= 0) {
      l.Image = CentredBox(x, m_images->ImageHeight(), cell);
      l.Image.Right = x + m_images->ImageWidth();
      x = l.Image.Right + kImageSpacing;
    }
  }
  l.Text = {x + m_textMargin, cell.Top, std::max(x + m_textMargin, cell.Right - m_textMargin),
            cell.Bottom};
  return l;
}

TreeHit TreeList::HitTest(int x, int y) {
  TreeHit hit;
  for (const ColumnSpan& s : ColumnSpans()) {
    if (x >= s.Left && x < s.Right) hit.Column = s.Column;
  }
  if (y < RowsTop() || y >= ClientArea().Height()) return hit;
  EnsureRows();
  const int content = y - RowsTop() + m_topOffset;
  const auto it = std::upper_bound(m_rowTops.begin(), m_rowTops.end(), content);
  const auto row = (it - m_rowTops.begin()) - 1;
  if (row < 0 || row >= static_cast<std::ptrdiff_t>(m_rows.size())) return hit;
  hit.Node = m_rows[static_cast<size_t>(row)];
  if (hit.Column < 0) return hit;
  const CellLayout l = LayoutCell(hit.Node, hit.Column, CellRect(hit.Node, hit.Column));
  hit.OnButton = Contains(l.Button, x, y);
  hit.OnCheckBox = Contains(l.CheckBox, x, y);
  hit.OnStateImage = Contains(l.StateImage, x, y);
  hit.OnImage = Contains(l.Image, x, y);
  return hit;
}

void TreeList::Repaint() {
  if (m_updating != 0 || !HandleAllocated()) return;
  native::InvalidateRect(Handle(), nullptr, FALSE);
}

void TreeList::PaintTo(HDC dc) {
  EnsureRows();
  const os::Rect client = ClientArea();
  Canvas canvas(dc);
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, 0, RowsTop(), client.Right, client.Bottom);
  canvas.FillRect({0, RowsTop(), client.Right, client.Bottom}, Color());
  const int first = RowsTop() - m_topOffset;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    const int top = first + m_rowTops[i];
    const int bottom = first + m_rowTops[i + 1];
    if (bottom <= RowsTop()) continue;
    if (top >= client.Bottom) break;
    PaintRow(canvas, m_rows[i], {0, top, client.Right, bottom});
  }
  ::RestoreDC(dc, saved);
}

void TreeList::PaintRow(Canvas& canvas, TreeNode* node, const os::Rect& row) {
  const bool selected = node == m_selected;
  const os::TColor selection = Focused() ? m_selectionFocused : m_selectionUnfocused;
  if (selected) canvas.FillRect(row, selection);
  for (const ColumnSpan& s : ColumnSpans()) {
    const os::Rect cell{s.Left, row.Top, s.Right, row.Bottom};
    // Columns scrolled out of the client area on either side cost nothing.
    if (cell.Width() <= 0 || cell.Right <= row.Left || cell.Left >= row.Right) continue;
    HDC dc = canvas.Dc();
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, cell.Left, cell.Top, cell.Right, cell.Bottom);
    const CellLayout l = LayoutCell(node, s.Column, cell);
    if (m_showTreeLines && IsMainColumn(s.Column)) PaintTreeLines(dc, node, cell);
    if (l.Button.Width() > 0) {
      canvas.FillRect(l.Button, os::clWhite);
      canvas.FrameRect(l.Button, os::clGray);
      const int cy = l.Button.Top + l.Button.Height() / 2;
      canvas.Line(l.Button.Left + 2, cy, l.Button.Right - 2, cy, os::clBlack);
      if (!node->m_expanded) {
        const int cx = l.Button.Left + l.Button.Width() / 2;
        canvas.Line(cx, l.Button.Top + 2, cx, l.Button.Bottom - 2, os::clBlack);
      }
    }
    if (l.CheckBox.Width() > 0) {
      RECT box{l.CheckBox.Left, l.CheckBox.Top, l.CheckBox.Right, l.CheckBox.Bottom};
      ::DrawFrameControl(dc, &box, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (node->m_checked ? DFCS_CHECKED : 0));
    }
    if (l.StateIndex >= 0)
      canvas.DrawImage(m_stateImages, l.StateIndex, l.StateImage.Left, l.StateImage.Top);
    if (l.ImageIndex >= 0) canvas.DrawImage(m_images, l.ImageIndex, l.Image.Left, l.Image.Top);
    std::wstring text;
    if (OnGetText) OnGetText(node, s.Column, text);
    if (!text.empty() && !(IsEditing() && node == m_editNode && s.Column == m_editColumn)) {
      Font font = GetFont();
      if (selected) font.Color = m_selectedText;
      if (OnPaintText) OnPaintText(node, s.Column, font);
      UINT align = DT_LEFT;
      if (!m_columns.empty()) {
        switch (m_columns[static_cast<size_t>(s.Column)].Align) {
          case ColumnAlign::Left: align = DT_LEFT; break;
          case ColumnAlign::Center: align = DT_CENTER; break;
          case ColumnAlign::Right: align = DT_RIGHT; break;
        }
      }
      canvas.DrawText(text, l.Text, font,
                      align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (m_verticalGrid)
      canvas.Line(cell.Right - 1, cell.Top, cell.Right - 1, cell.Bottom, m_gridColor);
    if (m_horizontalGrid)
      canvas.Line(cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom - 1, m_gridColor);
    ::RestoreDC(dc, saved);
    if (OnAfterCellPaint) {
      const int s2 = ::SaveDC(dc);
      ::IntersectClipRect(dc, cell.Left, cell.Top, cell.Right, cell.Bottom);
      OnAfterCellPaint(canvas, node, s.Column, cell);
      ::RestoreDC(dc, s2);
    }
  }
}

void TreeList::PaintTreeLines(HDC dc, TreeNode* node, const os::Rect& cell) {
  const COLORREF color = ColorRef(m_gridColor);
  auto vertical = [&](int x, int top, int bottom) {
    for (int y = top + ((top + x) & 1); y < bottom; y += 2) ::SetPixelV(dc, x, y, color);
  };
  const int base = cell.Left + m_margin;
  const int shift = m_showRoot ? 1 : 0;
  const int level = node->Level() + shift;
  if (level == 0) return;  // top-level nodes without root lines stand at the edge
  const int cy = cell.Top + cell.Height() / 2;
  const int cx = base + (level - 1) * m_indent + m_indent / 2;
  const bool firstOfAll = node->Parent() == nullptr && node->PrevSibling() == nullptr;
  vertical(cx, firstOfAll ? cy : cell.Top, node->NextSibling() != nullptr ? cell.Bottom : cy + 1);
  for (int x = cx + 2 - ((cx + cy) & 1); x < base + level * m_indent; x += 2) {
    ::SetPixelV(dc, x, cy, color);
  }
  // The lines of the ancestors that have more siblings below pass through this row.
  for (const TreeNode* a = node->Parent(); a != nullptr; a = a->Parent()) {
    const int aLevel = a->Level() + shift;
    if (aLevel == 0 || a->NextSibling() == nullptr) continue;
    vertical(base + (aLevel - 1) * m_indent + m_indent / 2, cell.Top, cell.Bottom);
  }
}

// --- Scrolling

bool TreeList::OffsetsHeld() {
  // A drag the header ended without telling (its capture taken away) holds nothing any more.
  if (m_headerTracking && (!m_header || ::GetCapture() != m_header.Get())) {
    m_headerTracking = false;
  }
  return m_headerTracking || m_scaledForNewLayout;
}

void TreeList::ClampTopOffset() {
  EnsureRows();
  if (OffsetsHeld()) {
    m_topOffset = std::max(0, m_topOffset);
    return;
  }
  const int visible = std::max(0, ClientArea().Height() - RowsTop());
  const int maxOffset = std::max(0, m_rowTops.back() - visible);
  m_topOffset = std::clamp(m_topOffset, 0, maxOffset);
}

void TreeList::ClampLeftOffset() {
  if (OffsetsHeld()) {
    m_leftOffset = std::max(0, m_leftOffset);
    return;
  }
  const int maxOffset = std::max(0, ContentWidth() - ClientArea().Width());
  m_leftOffset = std::clamp(m_leftOffset, 0, maxOffset);
}

void TreeList::UpdateScrollBar() {
  if (m_updating != 0 || !HandleAllocated() || m_settingScrollBars) return;
  const int top = m_topOffset, left = m_leftOffset;
  SetScrollBars();
  // A range that shrank under the offsets moved the cells: an edit would float over another
  // cell. It ends as when the user scrolls.
  if ((m_topOffset != top || m_leftOffset != left) && IsEditing()) EndEditNode();
}

void TreeList::SetScrollBars() {
  const FlagScope settling(m_settingScrollBars);
  // Each bar that comes or goes takes room from the other's page: set both again until the
  // client area stays as it is (it does after two rounds at most).
  for (int round = 0; round < 3; ++round) {
    const os::Rect before = ClientArea();
    EnsureRows();
    ClampTopOffset();
    SCROLLINFO si{sizeof(si)};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, m_rowTops.back() - 1);
    si.nPage = static_cast<UINT>(std::max(0, ClientArea().Height() - RowsTop()));
    si.nPos = m_topOffset;
    ::SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    ClampLeftOffset();
    si.nMax = std::max(0, ContentWidth() - 1);
    si.nPage = static_cast<UINT>(std::max(0, ClientArea().Width()));
    si.nPos = m_leftOffset;
    ::SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
    if (ClientArea() == before) break;
  }
  SyncHeader();
}

void TreeList::SetTopOffset(int offset) {
  const int old = m_topOffset;
  m_topOffset = offset;
  ClampTopOffset();
  if (m_topOffset == old) return;
  if (IsEditing()) EndEditNode();
  UpdateScrollBar();
  Repaint();
}

void TreeList::Scroll(int pixels) { SetTopOffset(m_topOffset + pixels); }

void TreeList::SetLeftOffset(int offset) {
  const int old = m_leftOffset;
  m_leftOffset = offset;
  ClampLeftOffset();
  if (m_leftOffset == old) return;
  if (IsEditing()) EndEditNode();
  UpdateScrollBar();
  Repaint();
}

void TreeList::ScrollHorizontally(int pixels) { SetLeftOffset(m_leftOffset + pixels); }

void TreeList::ScrollColumnIntoView(int column) {
  const int width = ClientArea().Width();
  for (const ColumnSpan& s : ColumnSpans()) {
    if (s.Column != column) continue;
    // A column wider than the client area shows its left part.
    if (s.Left < 0) {
      ScrollHorizontally(s.Left);
    } else if (s.Right > width) {
      ScrollHorizontally(std::min(s.Right - width, s.Left));
    }
    return;
  }
}

void TreeList::ScrollIntoView(const TreeNode* node) {
  const int row = RowIndex(node);
  if (row < 0) return;
  const int top = m_rowTops[static_cast<size_t>(row)];
  const int bottom = m_rowTops[static_cast<size_t>(row) + 1];
  const int visible = std::max(0, ClientArea().Height() - RowsTop());
  if (top < m_topOffset) {
    SetTopOffset(top);
  } else if (bottom > m_topOffset + visible) {
    SetTopOffset(bottom - visible);
  }
}

}  // namespace ui
