#include "window_tree/win_tree.h"

#include "core/common.h"

namespace window_tree {

TfWinTree::TfWinTree() {
  Name = L"fWinTree";
  SetCaption(core::GetLangText(121));
  SetBounds(Px(120), Px(80), Px(1000), Px(640));
}

void ShowWinTree() {
  if (!fWinTree) {
    fWinTree.reset(new TfWinTree());
    fWinTree->DoCreate();
  }
  fWinTree->Show();
}

}  // namespace window_tree
