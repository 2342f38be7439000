#pragma once
// A borderless form at the desktop's corner with one tree list filling it, and helpers that
// send the tree real window messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/fake_system.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/tree_list.h"

namespace tree_test {

// The record the tests' nodes carry.
struct Entry {
  std::wstring Text;
  int Number = 0;
};

class TreeForm : public ui::Form {
 public:
  TreeForm() {
    SetBorderStyle(ui::BorderStyle::None);
    SetBounds(0, 0, 400, 300);
    Tree.SetAlign(ui::Align::Client);
  }
  ui::TreeList Tree{this};
};

class TreeListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.SetMargin(4);
    tree.SetTextMargin(4);
    tree.SetIndent(18);
    tree.SetDefaultNodeHeight(20);
    tree.OnGetText = [](ui::TreeNode* node, int, std::wstring& text) {
      text = node->Data<Entry>().Text;
    };
  }

  HWND Window() { return tree.Handle(); }
  void Show() {
    form.Show();
    Pump();
  }
  static void Pump() { ui::App().ProcessMessages(); }

  ui::TreeNode* Add(const std::wstring& text, ui::TreeNode* parent = nullptr) {
    return tree.AddChild(parent, Entry{text});
  }
  std::vector<std::wstring> Texts(const std::vector<ui::TreeNode*>& nodes) {
    std::vector<std::wstring> out;
    for (auto* n : nodes) out.push_back(n != nullptr ? n->Data<Entry>().Text : L"(none)");
    return out;
  }

  void Key(WORD key, HWND target = nullptr) {
    ::SendMessageW(target != nullptr ? target : Window(), WM_KEYDOWN, key, 1);
  }
  void Type(HWND target, const std::wstring& text) {
    for (wchar_t c : text) ::SendMessageW(target, WM_CHAR, c, 1);
  }
  void Click(int x, int y) {
    ::SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void RightClick(int x, int y) {
    ::SendMessageW(Window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(Window(), WM_RBUTTONUP, 0, MAKELPARAM(x, y));
  }

  testing_support::ScopedFakeSystem sys;
  TreeForm form;
  ui::TreeList& tree = form.Tree;
};

}  // namespace tree_test
