#pragma once
// Where a tree list's header shows a column, in the tree's client coordinates.
#include <windows.h>
#include <commctrl.h>

#include "ui/tree_list.h"

namespace testing_support {

inline RECT HeaderItemRect(ui::TreeList& tree, int column) {
  RECT r{};
  HWND header = tree.HeaderHandle();
  ::SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
  ::MapWindowPoints(header, tree.Handle(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace testing_support
