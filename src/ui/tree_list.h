#pragma once
// The one tree-list control of the program: every list of the settings window and the window
// tree inspector is one. Nodes carry a record of the owner's type; columns sit under a native
// header whose columns the user can resize and move; rows can have check boxes, images, cells
// painted by the owner after the tree, their own heights and an in-place edit. One row is
// always selected while the tree has rows.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/canvas.h"
#include "ui/handles.h"
#include "ui/image_source.h"
#include "ui/tree_column.h"
#include "ui/tree_hit.h"
#include "ui/tree_node.h"
#include "ui/win_control.h"

namespace ui {

enum class ImageKind { Normal, Selected, State };
enum class TreeCursor { Default, Arrow, HandPoint };

class TreeList : public WinControl {
 public:
  explicit TreeList(Control* parent);
  ~TreeList() override;

  // --- Columns. With none, the tree has one column 0 as wide as its client area.
  int AddColumn(std::wstring text, int width, ColumnAlign align = ColumnAlign::Left);
  int ColumnCount() const noexcept { return static_cast<int>(m_columns.size()); }
  const TreeColumn& Column(int index) const { return m_columns.at(static_cast<size_t>(index)); }
  void SetColumnText(int column, const std::wstring& text);
  void SetColumnWidth(int column, int width);
  int ColumnWidth(int column) const;
  // Column indices in the order they stand on screen (the user reorders them on the header).
  std::vector<int> ColumnOrder() const;
  void SetColumnOrder(const std::vector<int>& order);
  // This column takes whatever width the others leave; -1: none does.
  void SetAutoSizeColumn(int column);
  bool HeaderVisible() const noexcept { return m_headerVisible; }
  void SetHeaderVisible(bool visible);
  int HeaderHeight() const noexcept { return m_headerHeight; }
  void SetHeaderHeight(int height);
  // Whether the user may drag columns to other places.
  void SetColumnsMovable(bool movable);
  HWND HeaderHandle() const noexcept { return m_header.Get(); }

  // --- Nodes. A null parent adds a top-level node.
  template <class T>
  TreeNode* AddChild(TreeNode* parent, T record) {
    TreeNode* node = NewChild(parent);
    node->m_record = std::move(record);
    NodeAdded();
    return node;
  }
  TreeNode* AddChild(TreeNode* parent);
  // Deletes the node and all below it; a selected or focused node hands over to the next row.
  void DeleteNode(TreeNode* node);
  void Clear();
  int RootCount() const noexcept { return m_root.ChildCount(); }
  TreeNode* Root(int index) const noexcept { return m_root.Child(index); }
  // All nodes in tree order (parents before their children), collapsed or not.
  TreeNode* FirstNode() const noexcept { return m_root.Child(0); }
  TreeNode* NextNode(const TreeNode* node) const noexcept;
  int TotalCount() const noexcept;
  // Between these the tree neither repaints nor selects a row of its own accord.
  void BeginUpdate() noexcept { ++m_updating; }
  void EndUpdate();

  // --- Node state.
  void SetCheckBox(TreeNode* node, bool hasCheckBox);
  // Raises OnChecked on an actual change, whether code or the user made it.
  void SetChecked(TreeNode* node, bool checked);
  // False when OnCollapsing refused.
  bool SetExpanded(TreeNode* node, bool expanded);
  void FullExpand();
  void FullCollapse();
  void SetNodeHeight(TreeNode* node, int height);
  int DefaultNodeHeight() const noexcept { return m_defaultNodeHeight; }
  void SetDefaultNodeHeight(int height) { m_defaultNodeHeight = height; }

  // --- Selection and focus. One row is selected while there are rows; the focused row is the
  // one the keyboard works on (a click or the keys focus and select it; code may select alone).
  TreeNode* Selected() const noexcept { return m_selected; }
  void SetSelected(TreeNode* node);
  TreeNode* FocusedNode() const noexcept { return m_focused; }
  void SetFocusedNode(TreeNode* node);
  int FocusedColumn() const noexcept { return m_focusedColumn; }
  void SetFocusedColumn(int column);

  // --- Geometry, in the tree window's client coordinates.
  // The cell's rectangle; empty when the node's row is not shown (collapsed away).
  os::Rect CellRect(const TreeNode* node, int column);
  os::Rect RowRect(const TreeNode* node);
  TreeHit HitTest(int x, int y);
  TreeNode* NodeAt(int x, int y) { return HitTest(x, y).Node; }
  // The cursor the tree shows at a point, after OnGetCursor.
  TreeCursor CursorAt(int x, int y);
  int TopOffset() const noexcept { return m_topOffset; }
  void SetTopOffset(int offset);
  void ScrollIntoView(const TreeNode* node);
  // How far the columns are scrolled to the left, in pixels; the header moves with the cells.
  // Columns wider together than the client area can be scrolled so far that the last one ends
  // at the right edge, no further.
  int LeftOffset() const noexcept { return m_leftOffset; }
  void SetLeftOffset(int offset);

  // --- In-place editing.
  void SetEditable(bool editable) noexcept { m_editable = editable; }
  // A click on the focused row starts editing it.
  void SetEditOnClick(bool on) noexcept { m_editOnClick = on; }
  bool EditNode(TreeNode* node, int column);
  bool IsEditing() const noexcept { return static_cast<bool>(m_editor); }
  // Ends the edit: OnNewText runs when the text is not the one the edit started with.
  void EndEditNode();
  void CancelEditNode();
  HWND EditorHandle() const noexcept { return m_editor.Get(); }

  // --- Look.
  void SetImages(const ImageSource* images);
  void SetStateImages(const ImageSource* images);
  void SetIndent(int indent);
  void SetMargin(int margin);
  void SetTextMargin(int margin);
  void SetShowButtons(bool show);
  // Buttons (and indentation) for the top-level nodes too.
  void SetShowRoot(bool show);
  // Dotted lines from each node to its parent and siblings, in the indent.
  void SetShowTreeLines(bool show);
  void SetGridLines(bool horizontal, bool vertical);
  void SetGridLineColor(os::TColor color);
  void SetSelectionColors(os::TColor focused, os::TColor unfocused);
  void SetSelectedTextColor(os::TColor color);
  void SetBorder(bool border) { m_border = border; }  // before the window is made
  void SetRightClickSelect(bool on) noexcept { m_rightClickSelect = on; }
  void SetToggleOnDoubleClick(bool on) noexcept { m_toggleOnDoubleClick = on; }

  // --- Events.
  std::function<void(TreeNode* node, int column, std::wstring& text)> OnGetText;
  std::function<void(TreeNode* node, int column, Font& font)> OnPaintText;
  std::function<void(TreeNode* node, int column, ImageKind kind, int& index)> OnGetImageIndex;
  // After the tree painted a cell; `cell` is in the canvas's (the client area's) coordinates.
  std::function<void(Canvas& canvas, TreeNode* node, int column, const os::Rect& cell)>
      OnAfterCellPaint;
  // Asked once per node, when the tree first lays it out; may change the height given.
  std::function<void(TreeNode* node, int& height)> OnMeasureItem;
  std::function<void(TreeNode* node)> OnChecked;
  // The selection changed; null when the tree lost its last row.
  std::function<void(TreeNode* node)> OnChange;
  std::function<void(TreeNode* node, bool& allowed)> OnCollapsing;
  // Keys pressed in the tree (not in its edit), after the form's key preview; setting the key
  // to 0 keeps the tree from handling it.
  std::function<void(WORD& key)> OnKeyDown;
  std::function<void()> OnDblClick;
  std::function<void(int x, int y, TreeCursor& cursor)> OnGetCursor;
  std::function<void(TreeNode* node, int column, bool& allowed)> OnEditing;
  std::function<void(TreeNode* node, int column, const std::wstring& text)> OnNewText;

  // Paints the client area (rows below the header) into a DC; the window's paint uses it.
  void PaintTo(HDC dc);

 protected:
  void CreateWindowHandle(HWND parent, const os::Rect& r) override;
  void WindowCreated() override;
  void WindowDestroyed() override;
  void FontChanged() override;
  void NativePlacementChanged() override;  // in tree_list_scale.cpp
  void ChangeScale(int m, int d) override;  // in tree_list_scale.cpp

 private:
  template <class T>
  friend LRESULT CALLBACK WindowThunk(HWND, UINT, WPARAM, LPARAM) noexcept;

  struct CellLayout {
    os::Rect Button, CheckBox, StateImage, Image, Text;
    int StateIndex = -1, ImageIndex = -1;
  };
  struct ColumnSpan {
    int Column;
    int Left, Right;
  };

  LRESULT ThunkMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  TreeNode* NewChild(TreeNode* parent);
  void NodeAdded();
  void StructureChanged();
  void EnsureRows();
  int RowIndex(const TreeNode* node);
  int RowsTop() const;
  os::Rect ClientArea() const;
  // Where each column stands, in screen order, in client coordinates: the horizontal scroll
  // is applied.
  std::vector<ColumnSpan> ColumnSpans() const;
  // The columns' widths together; 0 without columns (the one column then fits the client).
  int ContentWidth() const;
  int ColumnsShown() const { return m_columns.empty() ? 1 : ColumnCount(); }
  CellLayout LayoutCell(TreeNode* node, int column, const os::Rect& cell);
  // A size of the tree's own drawing (check box, button) for the form's DPI.
  int Px(int value);
  bool IsMainColumn(int column) const { return column == 0; }
  int ImageIndexOf(TreeNode* node, int column, ImageKind kind);
  void PaintRow(Canvas& canvas, TreeNode* node, const os::Rect& row);
  void PaintTreeLines(HDC dc, TreeNode* node, const os::Rect& cell);
  void Repaint();
  // Both scroll bars: their ranges, pages and positions, and the header's place.
  void UpdateScrollBar();
  void SetScrollBars();
  void ClampTopOffset();
  void ClampLeftOffset();
  // While the user drags a column's divider, or until the layout of a DPI change is done, the
  // scroll offsets are not held to their ranges: the header would move under the pointer, or the
  // ranges are those of the old sizes.
  bool OffsetsHeld();
  void SelectAfterRemoval(TreeNode* gone);
  void FocusAndSelect(TreeNode* node, int column);
  void MoveFocus(int rowDelta, bool toEnd = false, bool toStart = false);
  void KeyDown(WORD key);
  void MouseDownAt(MouseButton button, int x, int y, bool doubleClick);
  void MouseUpAt(int x, int y);
  void Scroll(int pixels);
  void ScrollHorizontally(int pixels);
  void ScrollColumnIntoView(int column);
  void SyncHeader();
  void InsertHeaderItem(int column);
  void UpdateAutoSizeColumn();
  void ReadHeaderWidths();
  void StartEditor(TreeNode* node, int column);
  void CloseEditor();
  static LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR data) noexcept;

  TreeNode m_root;
  std::vector<TreeColumn> m_columns;
  std::vector<int> m_order;  // the column order while there is no header window
  int m_autoSizeColumn = -1;
  bool m_headerVisible = true;
  int m_headerHeight = 24;
  bool m_columnsMovable = true;
  UniqueWindow m_header;

  std::vector<TreeNode*> m_rows;  // the nodes shown, in order
  std::vector<int> m_rowTops;     // top of each row from the first row's top; one more: the end
  bool m_rowsDirty = true;
  int m_topOffset = 0;
  int m_leftOffset = 0;
  bool m_settingScrollBars = false;  // a bar shown or hidden resizes the client area meanwhile
  bool m_headerTracking = false;      // the user drags a divider of the header
  bool m_scaledForNewLayout = false;  // the sizes are scaled, the window not yet laid out anew
  bool m_writingHeaderWidths = false; // the header's notices of our own writes are ours
  int m_updating = 0;
  int m_defaultNodeHeight = 18;

  TreeNode* m_selected = nullptr;
  TreeNode* m_focused = nullptr;
  int m_focusedColumn = 0;

  // Pointer state between a button's press and its release.
  TreeNode* m_pressedNode = nullptr;
  int m_pressedColumn = -1;
  bool m_pressedOnFocused = false;
  bool m_pressed = false;

  bool m_editable = false;
  bool m_editOnClick = false;
  UniqueWindow m_editor;
  TreeNode* m_editNode = nullptr;
  int m_editColumn = 0;
  std::wstring m_editOriginal;
  unsigned m_editSerial = 0;

  const ImageSource* m_images = nullptr;
  const ImageSource* m_stateImages = nullptr;
  int m_indent = 18;
  int m_margin = 4;
  int m_textMargin = 4;
  bool m_showButtons = true;
  bool m_showRoot = false;
  bool m_showTreeLines = false;
  bool m_horizontalGrid = false;
  bool m_verticalGrid = false;
  os::TColor m_gridColor;
  os::TColor m_selectionFocused;
  os::TColor m_selectionUnfocused;
  os::TColor m_selectedText;
  bool m_border = false;
  bool m_rightClickSelect = true;
  bool m_toggleOnDoubleClick = false;
};

}  // namespace ui
