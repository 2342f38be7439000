#pragma once
// The five per-language colour trees: their defaults, the colour swatches and the swatch click.
#include <vector>

#include "os/types.h"
#include "settings_window/lang_data.h"
#include "ui/tree_list.h"

namespace settings_window {

// False while the trees do not hold the installed layouts (the layout list could not be read):
// a save then keeps the per-language settings lists as they are instead of emptying them.
inline bool LanguageListsRead = false;

// The colour field each colour column (3, then 4) of a language tree shows.
using LangColorField = os::TColor TLangsData::*;

// The default of the border and keyboard colours by the row's 1-based place in its tree.
os::TColor PositionDefaultColor(int position);

// The 24 x 20 swatch centred in a colour cell (one more pixel when the cell's size is odd).
os::Rect SwatchRect(const os::Rect& cell);

// Gives a language tree its text, image, swatch painting, hand cursor and swatch click.
void WireLanguageTree(ui::TreeList& tree, std::vector<LangColorField> colourColumns);

}  // namespace settings_window
