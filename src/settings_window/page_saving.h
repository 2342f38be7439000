#pragma once
// What every saving handler of the pages does after its guard test.
#include "ui/color_button.h"
#include "ui/tree_list.h"

namespace settings_window {

enum class FilterRebuild { None, Lists1, List2 };

// Reads every page back into Settings, rebuilds the named filter lists from the settings lists,
// and writes the settings file. Before the pages' first fill it does nothing: the pages still
// hold their layout values, which must not overwrite the loaded settings.
// True when it saved.
bool SavePages(FilterRebuild rebuild = FilterRebuild::None);

// Opens the colour dialog on the button's colour; a chosen colour goes into the button (whose
// change handler saves when the colour differs), then the pages are saved once more. Cancelling
// changes and saves nothing.
void ChooseColorAndSave(ui::ColorButton& button);

// Repaints a tree whose records were changed directly.
void RepaintTree(ui::TreeList& tree);

}  // namespace settings_window
