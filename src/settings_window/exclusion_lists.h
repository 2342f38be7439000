#pragma once
// The three exclusion trees: check, edit, delete and add, each change saved at once with the
// tree's filter list rebuilt.
#include <string>

#include "settings_window/page_saving.h"
#include "ui/tree_list.h"

namespace settings_window {

// Editing, keys and check handling of an exclusion tree. `guard` is its page's fill flag.
void WireExclusionTree(ui::TreeList& tree, FilterRebuild rebuild, const bool& guard);

// Appends a checked row. The name is in the record before the row is checked, so that the save
// the check raises never writes an enabled entry without its name.
ui::TreeNode* AppendExclusion(ui::TreeList& tree, const std::wstring& name);

// A checked placeholder row named prefix + its 0-based place + suffix, focused and selected;
// then the save.
void AddPlaceholder(ui::TreeList& tree, const std::wstring& prefix, const std::wstring& suffix,
                    FilterRebuild rebuild);

// A checked row with the file name (without its folder) of a file the user picks; then the save.
// Cancelling the dialog changes nothing.
void AddFromOpenDialog(ui::TreeList& tree, FilterRebuild rebuild);

// The text without leading and trailing spaces and control characters.
std::wstring TrimEntryText(const std::wstring& text);

}  // namespace settings_window
