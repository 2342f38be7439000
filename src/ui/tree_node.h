#pragma once
// One node of a TreeList: a record of the owner's type, its children, and the state the tree
// keeps per node (check box, expansion, height). State changes go through the tree, which
// raises the events and repaints; the record is the owner's to read and change.
#include <any>
#include <memory>
#include <vector>

namespace ui {

class TreeNode {
 public:
  TreeNode() = default;
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  // Null for a top-level node.
  TreeNode* Parent() const noexcept {
    return m_parent != nullptr && !m_parent->m_isRoot ? m_parent : nullptr;
  }
  int Level() const noexcept;
  // The node's place among its siblings.
  int Index() const noexcept { return m_parent != nullptr ? m_index : 0; }
  int ChildCount() const noexcept { return static_cast<int>(m_children.size()); }
  // Null out of range.
  TreeNode* Child(int index) const noexcept;
  TreeNode* FirstChild() const noexcept { return Child(0); }
  TreeNode* NextSibling() const noexcept;
  TreeNode* PrevSibling() const noexcept;
  bool HasChildren() const noexcept { return !m_children.empty(); }

  bool Expanded() const noexcept { return m_expanded; }
  bool HasCheckBox() const noexcept { return m_checkBox; }
  bool Checked() const noexcept { return m_checked; }
  int Height() const noexcept { return m_height; }
  // Whether this node is `ancestor` or lies below it.
  bool IsWithin(const TreeNode* ancestor) const noexcept;

  // The owner's record; Data<T>() raises std::bad_any_cast for another type.
  std::any& Record() noexcept { return m_record; }
  const std::any& Record() const noexcept { return m_record; }
  template <class T>
  T& Data() {
    return std::any_cast<T&>(m_record);
  }
  template <class T>
  const T& Data() const {
    return std::any_cast<const T&>(m_record);
  }

 private:
  friend class TreeList;

  TreeNode* m_parent = nullptr;
  // The node's place in m_parent->m_children, kept by the tree on every insert and removal, so
  // that a sibling step, and with it a walk of the whole tree, costs no search.
  int m_index = 0;
  bool m_isRoot = false;  // the tree's hidden root, parent of the top-level nodes
  std::vector<std::unique_ptr<TreeNode>> m_children;
  std::any m_record;
  bool m_expanded = false;
  bool m_checkBox = false;
  bool m_checked = false;
  bool m_measured = false;  // the tree asked its owner for the height once
  int m_height = 0;
};

}  // namespace ui
