// Each node knows its place among its siblings without a search: after rows are added and deleted
// at the front, in the middle and at the end, every node still names its own place, its
// neighbours are the right ones, and a walk visits every row once in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tree_list_fixture.h"

namespace {

using tree_test::TreeListTest;

class TreeNodeIndex : public TreeListTest {
 protected:
  // Every node of the tree against its parent's list of children.
  void ExpectPlacesHold(const char* after) {
    for (ui::TreeNode* n = tree.FirstNode(); n != nullptr; n = tree.NextNode(n)) {
      const ui::TreeNode* p = n->Parent();
      // The parent's child at a place, null out of range.
      auto sibling = [&](int i) { return p != nullptr ? p->Child(i) : tree.Root(i); };
      const int i = n->Index();
      EXPECT_EQ(sibling(i), n) << Text(n) << " after " << after;
      EXPECT_EQ(n->PrevSibling(), sibling(i - 1)) << Text(n) << " after " << after;
      EXPECT_EQ(n->NextSibling(), sibling(i + 1)) << Text(n) << " after " << after;
    }
  }
  std::vector<std::wstring> Walk() {
    std::vector<std::wstring> texts;
    for (ui::TreeNode* n = tree.FirstNode(); n != nullptr; n = tree.NextNode(n)) {
      texts.push_back(Text(n));
    }
    return texts;
  }
  static std::wstring Text(const ui::TreeNode* n) { return n->Data<tree_test::Entry>().Text; }
};

TEST_F(TreeNodeIndex, PlacesHoldThroughAddsAndDeletesAnywhere) {
  std::vector<ui::TreeNode*> top;
  for (const wchar_t* t : {L"a", L"b", L"c", L"d", L"e", L"f"}) top.push_back(Add(t));
  ui::TreeNode* c1 = Add(L"c1", top[2]);
  Add(L"c2", top[2]);
  Add(L"c3", top[2]);
  ExpectPlacesHold("adding");

  tree.DeleteNode(top[0]);  // the first row
  ExpectPlacesHold("deleting the first");
  tree.DeleteNode(top[3]);  // "d", in the middle
  ExpectPlacesHold("deleting one in the middle");
  tree.DeleteNode(top[5]);  // the last row
  ExpectPlacesHold("deleting the last");
  tree.DeleteNode(c1);  // the first child
  ExpectPlacesHold("deleting a first child");
  Add(L"g");
  Add(L"c4", top[2]);
  ExpectPlacesHold("adding after the deletes");
  EXPECT_EQ(Walk(), (std::vector<std::wstring>{L"b", L"c", L"c2", L"c3", L"c4", L"e", L"g"}));

  tree.Clear();
  Add(L"x");
  Add(L"y");
  ExpectPlacesHold("clearing and adding");
  EXPECT_EQ(Walk(), (std::vector<std::wstring>{L"x", L"y"}));
}

}  // namespace
