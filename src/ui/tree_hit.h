#pragma once
// What lies under a point of a TreeList.
namespace ui {

class TreeNode;

struct TreeHit {
  TreeNode* Node = nullptr;  // null: no row there
  int Column = -1;           // the column's index (not its place on screen); -1: none
  bool OnButton = false;     // the expand button
  bool OnCheckBox = false;
  bool OnStateImage = false;
  bool OnImage = false;
};

}  // namespace ui
