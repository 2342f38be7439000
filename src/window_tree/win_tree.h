#pragma once
// The window tree inspector: every window of the session with its class, title, process, thread
// and keyboard layout. Created on first use, kept until the main window is destroyed.
#include "ui/component.h"
#include "ui/form.h"

namespace window_tree {

class TfWinTree : public ui::Form {
 public:
  TfWinTree();
};

inline ui::Owned<TfWinTree> fWinTree;

// Creates the inspector when there is none yet, then shows it.
void ShowWinTree();

}  // namespace window_tree
