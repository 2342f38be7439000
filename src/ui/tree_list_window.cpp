// The tree list's window: its class, header, keys, pointer, wheel and in-place edit.
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "os/system.h"
#include "ui/application.h"
#include "ui/popup_menu.h"
#include "ui/tree_list.h"
#include "ui/window_thunk.h"

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"TreeList";
// The step of the horizontal scroll bar's arrows, at 96 DPI; a wheel notch with Shift scrolls
// three of them, as a notch scrolls three rows.
constexpr int kHorizontalLine = 20;
// Posted when the edit lost the focus; WPARAM carries the edit's serial, so that an edit that
// has ended meanwhile is not ended twice.
constexpr UINT kEndEditMessage = WM_APP + 0x41;

void RegisterTreeClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &WindowThunk<TreeList>;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = nullptr;  // WM_SETCURSOR decides
  wc.lpszClassName = kClassName;
  if (::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
    registered = true;
  }
}

}  // namespace

void TreeList::CreateWindowHandle(HWND parent, const os::Rect& r) {
  RegisterTreeClass();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  ::CreateWindowExW(m_border ? WS_EX_CLIENTEDGE : 0, kClassName, L"",
                    WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, r.Left,
                    r.Top, r.Width(), r.Height(), parent, nullptr, ::GetModuleHandleW(nullptr),
                    this);
}

void TreeList::WindowCreated() {
  DWORD style = WS_CHILD | HDS_HORZ | HDS_BUTTONS | HDS_FULLDRAG;
  if (m_columnsMovable) style |= HDS_DRAGDROP;
  m_header.Reset(::CreateWindowExW(0, WC_HEADERW, L"", style, 0, 0, 0, 0, Handle(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr));
  if (m_header) {
    ::SendMessageW(m_header.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(GetFont())),
                   FALSE);
    for (int i = 0; i < ColumnCount(); ++i) InsertHeaderItem(i);
    ::SendMessageW(m_header.Get(), HDM_SETORDERARRAY, m_order.size(),
                   reinterpret_cast<LPARAM>(m_order.data()));
  }
  SyncHeader();
  UpdateAutoSizeColumn();
  UpdateScrollBar();
}

void TreeList::WindowDestroyed() {
  // The header and the edit went with the window; their handles are no longer ours to close.
  m_header.Release();
  m_editor.Release();
  m_editNode = nullptr;
}

void TreeList::FontChanged() {
  if (m_header) {
    ::SendMessageW(m_header.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(GetFont())),
                   TRUE);
  }
  Repaint();
}

void TreeList::InsertHeaderItem(int column) {
  TreeColumn& c = m_columns[static_cast<size_t>(column)];
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.pszText = c.Text.data();
  item.cxy = c.Width;
  item.fmt = HDF_STRING | (c.Align == ColumnAlign::Right    ? HDF_RIGHT
                           : c.Align == ColumnAlign::Center ? HDF_CENTER
                                                            : HDF_LEFT);
  ::SendMessageW(m_header.Get(), HDM_INSERTITEMW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
}

void TreeList::SyncHeader() {
  if (!m_header) return;
  const bool show = m_headerVisible && !m_columns.empty();
  // The header scrolls with the cells: it starts left of the client area by the scrolled
  // width and reaches at least to the client's right edge.
  ::SetWindowPos(m_header.Get(), nullptr, -m_leftOffset, 0,
                 std::max(ClientArea().Width() + m_leftOffset, ContentWidth()), m_headerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TreeList::ReadHeaderWidths() {
  if (!m_header) return;
  for (int i = 0; i < ColumnCount(); ++i) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    if (::SendMessageW(m_header.Get(), HDM_GETITEMW, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&item))) {
      m_columns[static_cast<size_t>(i)].Width = item.cxy;
    }
  }
}

LRESULT TreeList::ThunkMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PaintDc paint(hwnd);
      const os::Rect client = ClientArea();
      if (client.Width() <= 0 || client.Height() <= 0) return 0;
      UniqueMemoryDc memory(::CreateCompatibleDC(paint.Get()));
      UniqueBitmap bitmap(::CreateCompatibleBitmap(paint.Get(), client.Width(), client.Height()));
      SelectedObject selected(memory.Get(), bitmap.Get());
      PaintTo(memory.Get());
      const RECT& d = paint.Dirty();
      ::BitBlt(paint.Get(), d.left, d.top, d.right - d.left, d.bottom - d.top, memory.Get(), d.left,
               d.top, SRCCOPY);
      return 0;
    }
    case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wp)); return 0;
    case WM_DESTROY:
      // The header still exists here (children go after their parent hears of it): keep the
      // order the user gave the columns for a window made again.
      if (m_header) m_order = ColumnOrder();
      break;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
      UpdateAutoSizeColumn();
      SyncHeader();
      UpdateScrollBar();
      Repaint();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Repaint(); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: KeyDown(static_cast<WORD>(wp)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDownAt(MouseButton::Left, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
      MouseDownAt(MouseButton::Right, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), false);
      return 0;
    case WM_LBUTTONUP: MouseUpAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_CAPTURECHANGED: m_pressed = false; return 0;
    case WM_CONTEXTMENU:
      if (GetPopupMenu() != nullptr) {
        POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (lp == -1) {  // from the keyboard: under the focused row
          const os::Rect r = m_focused != nullptr ? RowRect(m_focused) : os::Rect{};
          at = {r.Left + 4, r.Bottom};
          ::ClientToScreen(hwnd, &at);
        }
        GetPopupMenu()->Popup(at.x, at.y);
        return 0;
      }
      break;
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wp);
      if ((GET_KEYSTATE_WPARAM(wp) & MK_SHIFT) != 0) {
        ScrollHorizontally(-notches * 3 * Px(kHorizontalLine) / WHEEL_DELTA);
      } else {
        Scroll(-notches * 3 * m_defaultNodeHeight / WHEEL_DELTA);
      }
      return 0;
    }
    case WM_MOUSEHWHEEL:  // tilted to the right: the columns move left
      ScrollHorizontally(GET_WHEEL_DELTA_WPARAM(wp) * 3 * Px(kHorizontalLine) / WHEEL_DELTA);
      return 0;
    case WM_HSCROLL: {
      SCROLLINFO si{sizeof(si)};
      si.fMask = SIF_ALL;
      ::GetScrollInfo(hwnd, SB_HORZ, &si);
      const int page = static_cast<int>(si.nPage);
      switch (LOWORD(wp)) {
        case SB_LINELEFT: ScrollHorizontally(-Px(kHorizontalLine)); break;
        case SB_LINERIGHT: ScrollHorizontally(Px(kHorizontalLine)); break;
        case SB_PAGELEFT: ScrollHorizontally(-page); break;
        case SB_PAGERIGHT: ScrollHorizontally(page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetLeftOffset(si.nTrackPos); break;
        case SB_LEFT: SetLeftOffset(0); break;
        case SB_RIGHT: SetLeftOffset(si.nMax); break;
        default: break;
      }
      return 0;
    }
    case WM_VSCROLL: {
      SCROLLINFO si{sizeof(si)};
      si.fMask = SIF_ALL;
      ::GetScrollInfo(hwnd, SB_VERT, &si);
      const int page = static_cast<int>(si.nPage);
      switch (LOWORD(wp)) {
        case SB_LINEUP: Scroll(-m_defaultNodeHeight); break;
        case SB_LINEDOWN: Scroll(m_defaultNodeHeight); break;
        case SB_PAGEUP: Scroll(-page); break;
        case SB_PAGEDOWN: Scroll(page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetTopOffset(si.nTrackPos); break;
        case SB_TOP: SetTopOffset(0); break;
        case SB_BOTTOM: SetTopOffset(si.nMax); break;
        default: break;
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == hwnd) {
        const os::Point at = os::Sys().CursorPos();
        POINT p{at.X, at.Y};
        ::ScreenToClient(hwnd, &p);
        const TreeCursor c = CursorAt(p.x, p.y);
        ::SetCursor(::LoadCursorW(nullptr, c == TreeCursor::HandPoint ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (!m_header || header->hwndFrom != m_header.Get()) break;
      switch (header->code) {
        case HDN_BEGINTRACKW:
          // The header measures the pointer from where it stands: it must not move under the
          // drag, so the horizontal offset stays until the drag ends.
          m_headerTracking = true;
          if (IsEditing()) EndEditNode();
          break;
        case HDN_BEGINDRAG:
          if (IsEditing()) EndEditNode();
          break;
        case HDN_ENDTRACKW:
          m_headerTracking = false;
          UpdateScrollBar();
          SyncHeader();
          Repaint();
          break;
        case HDN_ITEMCHANGEDW:
          if (m_writingHeaderWidths) break;
          ReadHeaderWidths();
          UpdateAutoSizeColumn();
          UpdateScrollBar();  // a wider or narrower column changes the horizontal range
          SyncHeader();
          Repaint();
          break;
        case HDN_ENDDRAG:
          // The header puts the column in its new place after this notification returns.
          ::PostMessageW(hwnd, WM_APP + 0x42, 0, 0);
          break;
        default: break;
      }
      return 0;
    }
    case WM_APP + 0x42: Repaint(); return 0;
    case kEndEditMessage:
      if (IsEditing() && wp == m_editSerial && ::GetFocus() != m_editor.Get()) EndEditNode();
      return 0;
    default: break;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

TreeCursor TreeList::CursorAt(int x, int y) {
  TreeCursor cursor = TreeCursor::Default;
  if (OnGetCursor) OnGetCursor(x, y, cursor);
  return cursor;
}

// --- Keys

void TreeList::KeyDown(WORD key) {
  if (PreviewKey(key)) return;
  if (OnKeyDown) OnKeyDown(key);
  if (key == 0) return;
  switch (key) {
    case VK_UP: MoveFocus(-1); break;
    case VK_DOWN: MoveFocus(1); break;
    case VK_HOME: MoveFocus(0, false, true); break;
    case VK_END: MoveFocus(0, true); break;
    case VK_PRIOR:
    case VK_NEXT: {
      EnsureRows();
      const int rows =
          std::max(1, (ClientArea().Height() - RowsTop()) / std::max(1, m_defaultNodeHeight));
      MoveFocus(key == VK_PRIOR ? -rows : rows);
      break;
    }
    case VK_LEFT:
      if (m_focused != nullptr) {
        if (m_focused->HasChildren() && m_focused->m_expanded) {
          SetExpanded(m_focused, false);
        } else if (m_focused->Parent() != nullptr) {
          SetFocusedNode(m_focused->Parent());
        }
      }
      break;
    case VK_RIGHT:
      if (m_focused != nullptr && m_focused->HasChildren()) {
        if (!m_focused->m_expanded) {
          SetExpanded(m_focused, true);
        } else {
          SetFocusedNode(m_focused->Child(0));
        }
      }
      break;
    case VK_SPACE:
      if (m_focused != nullptr && m_focused->m_checkBox)
        SetChecked(m_focused, !m_focused->m_checked);
      break;
    case VK_F2:
      if (m_editable && m_focused != nullptr) EditNode(m_focused, m_focusedColumn);
      break;
    default: break;
  }
}

void TreeList::MoveFocus(int rowDelta, bool toEnd, bool toStart) {
  EnsureRows();
  if (m_rows.empty()) return;
  const int last = static_cast<int>(m_rows.size()) - 1;
  int row = RowIndex(m_focused != nullptr ? m_focused : m_selected);
  if (toEnd) {
    row = last;
  } else if (toStart || row < 0) {
    row = 0;
  } else {
    row = std::clamp(row + rowDelta, 0, last);
  }
  SetFocusedNode(m_rows[static_cast<size_t>(row)]);
}

// --- Pointer

void TreeList::MouseDownAt(MouseButton button, int x, int y, bool doubleClick) {
  HWND h = Handle();
  if (::GetFocus() != h) ::SetFocus(h);
  const TreeHit hit = HitTest(x, y);
  if (button == MouseButton::Right) {
    if (m_rightClickSelect && hit.Node != nullptr) FocusAndSelect(hit.Node, hit.Column);
    return;
  }
  if (doubleClick) {
    // The second press of a quick pair: a button or a check box takes it as a press of its own.
    if (hit.OnButton) {
      SetExpanded(hit.Node, !hit.Node->m_expanded);
    } else if (hit.OnCheckBox) {
      SetChecked(hit.Node, !hit.Node->m_checked);
    } else {
      if (m_toggleOnDoubleClick && hit.Node != nullptr && hit.Node->HasChildren() &&
          !hit.OnCheckBox) {
        SetExpanded(hit.Node, !hit.Node->m_expanded);
      }
      if (OnDblClick) OnDblClick();
    }
    return;
  }
  m_pressed = true;
  m_pressedNode = hit.Node;
  m_pressedColumn = hit.Column;
  m_pressedOnFocused =
      hit.Node != nullptr && hit.Node == m_focused && hit.Column == m_focusedColumn;
  ::SetCapture(h);
  if (hit.Node == nullptr) return;
  if (hit.OnButton) {
    m_pressedOnFocused = false;
    SetExpanded(hit.Node, !hit.Node->m_expanded);
  } else if (hit.OnCheckBox) {
    m_pressedOnFocused = false;
    SetChecked(hit.Node, !hit.Node->m_checked);
  } else {
    FocusAndSelect(hit.Node, hit.Column);
  }
}

void TreeList::MouseUpAt(int x, int y) {
  const bool pressed = std::exchange(m_pressed, false);
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  if (!pressed) return;
  const TreeHit hit = HitTest(x, y);
  TreeNode* node = std::exchange(m_pressedNode, nullptr);
  if (m_editable && m_editOnClick && m_pressedOnFocused && hit.Node == node &&
      hit.Column == m_pressedColumn && !hit.OnButton && !hit.OnCheckBox) {
    EditNode(node, hit.Column);
  }
  Click();
}

// --- In-place edit

bool TreeList::EditNode(TreeNode* node, int column) {
  if (node == nullptr || column < 0 || column >= ColumnsShown() || !HandleAllocated()) return false;
  if (IsEditing()) {
    if (node == m_editNode && column == m_editColumn) return true;
    EndEditNode();
  }
  bool allowed = m_editable;
  if (OnEditing) OnEditing(node, column, allowed);
  if (!allowed) return false;
  for (TreeNode* p = node->Parent(); p != nullptr; p = p->Parent()) SetExpanded(p, true);
  ScrollIntoView(node);
  ScrollColumnIntoView(column);
  StartEditor(node, column);
  return IsEditing();
}

void TreeList::StartEditor(TreeNode* node, int column) {
  const os::Rect cell = CellRect(node, column);
  const CellLayout l = LayoutCell(node, column, cell);
  const os::Rect r{l.Text.Left - m_textMargin, cell.Top, cell.Right, cell.Bottom};
  std::wstring text;
  if (OnGetText) OnGetText(node, column, text);
  m_editor.Reset(::CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL,
                                   r.Left, r.Top, std::max(1, r.Width()), std::max(1, r.Height()),
                                   Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr));
  if (!m_editor) return;
  m_editNode = node;
  m_editColumn = column;
  m_editOriginal = text;
  ++m_editSerial;
  ::SetWindowSubclass(m_editor.Get(), &TreeList::EditorProc, 1, reinterpret_cast<DWORD_PTR>(this));
  ::SendMessageW(m_editor.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(GetFont())),
                 FALSE);
  ::SendMessageW(m_editor.Get(), EM_SETSEL, 0, -1);
  ::ShowWindow(m_editor.Get(), SW_SHOW);
  ::SetFocus(m_editor.Get());
  Repaint();
}

void TreeList::CloseEditor() {
  // The focus goes back to the tree before the edit goes, so that it is not left nowhere.
  if (::GetFocus() == m_editor.Get()) ::SetFocus(Handle());
  m_editor.Reset();
  m_editNode = nullptr;
  Repaint();
}

void TreeList::EndEditNode() {
  if (!IsEditing()) return;
  TreeNode* node = m_editNode;
  const int column = m_editColumn;
  HWND edit = m_editor.Get();
  const int n = ::GetWindowTextLengthW(edit);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(edit, text.data(), n + 1)));
  CloseEditor();
  // Only a changed text is news: Enter on an untouched edit is the same as Escape.
  if (text != m_editOriginal && OnNewText) OnNewText(node, column, text);
}

void TreeList::CancelEditNode() {
  if (IsEditing()) CloseEditor();
}

LRESULT CALLBACK TreeList::EditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                      DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<TreeList*>(data);
  switch (msg) {
    case WM_NCDESTROY: ::RemoveWindowSubclass(hwnd, &TreeList::EditorProc, id); break;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      // Enter and Escape belong to the edit: they end it here and go no further, so that a
      // form that previews its keys never sees this Escape as its own.
      if (wp == VK_RETURN || wp == VK_ESCAPE) {
        Guarded([&] {
          if (wp == VK_RETURN) {
            self->EndEditNode();
          } else {
            self->CancelEditNode();
          }
        });
        return 0;  // the edit window is gone
      } else {
        bool taken = false;
        Guarded([&] {
          WORD key = static_cast<WORD>(wp);
          taken = self->PreviewKey(key);
        });
        if (taken) return 0;
      }
      break;
    case WM_CHAR:
      if (wp == L'\r' || wp == 0x1B) return 0;  // no beep for the keys handled above
      break;
    case WM_KILLFOCUS:
      ::PostMessageW(::GetParent(hwnd), kEndEditMessage, self->m_editSerial, 0);
      break;
    default: break;
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace ui
