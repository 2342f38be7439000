#include "ui/tree_node.h"

namespace ui {

int TreeNode::Level() const noexcept {
  int level = 0;
  for (const TreeNode* p = Parent(); p != nullptr; p = p->Parent()) ++level;
  return level;
}

TreeNode* TreeNode::Child(int index) const noexcept {
  if (index < 0 || index >= ChildCount()) return nullptr;
  return m_children[static_cast<size_t>(index)].get();
}

TreeNode* TreeNode::NextSibling() const noexcept {
  return m_parent != nullptr ? m_parent->Child(m_index + 1) : nullptr;
}

TreeNode* TreeNode::PrevSibling() const noexcept {
  return m_parent != nullptr ? m_parent->Child(m_index - 1) : nullptr;
}

bool TreeNode::IsWithin(const TreeNode* ancestor) const noexcept {
  for (const TreeNode* n = this; n != nullptr; n = n->m_parent) {
    if (n == ancestor) return true;
  }
  return false;
}

}  // namespace ui
