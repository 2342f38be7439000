#include "settings_window/exclusion_lists.h"

#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "os/system.h"
#include "settings_window/string_data.h"

namespace settings_window {

namespace {

bool IsBlank(wchar_t c) { return c <= L' '; }

void SaveStep(FilterRebuild rebuild) { SavePages(rebuild); }

}  // namespace

std::wstring TrimEntryText(const std::wstring& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

void WireExclusionTree(ui::TreeList& tree, FilterRebuild rebuild, const bool& guard) {
  tree.SetEditable(true);
  tree.SetEditOnClick(true);
  tree.SetRightClickSelect(true);
  tree.OnChecked = [rebuild, &guard](ui::TreeNode*) {
    if (core::IsStarting || guard) return;
    SaveStep(rebuild);
  };
  tree.OnKeyDown = [&tree, rebuild](WORD& key) {
    if (tree.IsEditing()) return;
    ui::TreeNode* focused = tree.FocusedNode();
    if (key == VK_F2 || key == VK_RETURN) {
      if (focused != nullptr) tree.EditNode(focused, 0);
      key = 0;
    } else if (key == VK_DELETE) {
      if (focused == nullptr) return;
      tree.DeleteNode(focused);
      key = 0;
      SaveStep(rebuild);
    }
  };
  tree.OnNewText = [rebuild](ui::TreeNode* node, int column, const std::wstring& text) {
    if (column != 0) return;
    auto* row = std::any_cast<TStringData>(&node->Record());
    if (row == nullptr) return;
    row->EntryText = TrimEntryText(text);
    SaveStep(rebuild);
  };
}

ui::TreeNode* AppendExclusion(ui::TreeList& tree, const std::wstring& name) {
  ui::TreeNode* node = tree.AddChild(nullptr, TStringData{name});
  tree.SetCheckBox(node, true);
  tree.SetChecked(node, true);
  return node;
}

void AddPlaceholder(ui::TreeList& tree, const std::wstring& prefix, const std::wstring& suffix,
                    FilterRebuild rebuild) {
  const std::wstring name = prefix + std::to_wstring(tree.RootCount()) + suffix;
  ui::TreeNode* node = AppendExclusion(tree, name);
  tree.SetFocusedNode(node);
  tree.SetSelected(node);
  SaveStep(rebuild);
}

void AddFromOpenDialog(ui::TreeList& tree, FilterRebuild rebuild) {
  monitor::TfMain* main = monitor::fMain;
  const os::WindowId owner{main != nullptr && main->HandleAllocated()
                               ? reinterpret_cast<std::uintptr_t>(main->Handle())
                               : 0};
  const std::optional<std::wstring> path = os::Sys().ShowOpenFileDialog(owner);
  if (!path) return;
  const size_t slash = path->find_last_of(L"\\/");
  AppendExclusion(tree, slash == std::wstring::npos ? *path : path->substr(slash + 1));
  SaveStep(rebuild);
}

}  // namespace settings_window
