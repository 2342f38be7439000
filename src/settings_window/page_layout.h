#pragma once
// The pieces every settings page is made of, placed at their 96-DPI places and scaled.
#include <functional>
#include <string>

#include "ui/check_box.h"
#include "ui/color_button.h"
#include "ui/flat_button.h"
#include "ui/label.h"
#include "ui/number_box.h"
#include "ui/panel.h"
#include "ui/switch.h"
#include "ui/tree_list.h"

namespace settings_window {

// A 96-DPI pixel size for the window's DPI.
using PxFn = std::function<int(int)>;

inline constexpr os::TColor clHotLight = static_cast<os::TColor>(0xFF00001A);
inline constexpr os::TColor clSilver = 0xC0C0C0;

// The pages' text: Tahoma with 13-pixel characters.
ui::Font PageFont(const PxFn& px, bool bold = false);

// A page: a panel that fills PanelTabs, hidden until the navigation shows it.
void MakePage(ui::Panel& page, const PxFn& px);
// A panel docked to the top of its page that holds the page's settings.
void MakeSettingsPanel(ui::Panel& panel, int height, const PxFn& px);
// The bar along the bottom of a page with the page's Reset button at 4, 2.
void MakeResetBar(ui::Panel& bar, ui::FlatButton& reset, const PxFn& px);

// A switch (40 x 18) at its place; its label, when it has one, beside it to the right. A click
// on the label works the switch.
void PlaceSwitch(ui::Switch& sw, ui::Label* label, int left, int top, const PxFn& px,
                 int labelWidth = 360);
// A colour button (50 x 22); its label right-aligned to its left.
void PlaceColorButton(ui::ColorButton& button, ui::Label* label, int left, int top,
                      const PxFn& px, int labelWidth = 120);
// A check box (17 x 17) without caption.
void PlaceCheckBox(ui::CheckBox& box, int left, int top, const PxFn& px);
// A number box, 21 high, with its range and 20-pixel spin buttons.
void PlaceNumberBox(ui::NumberBox& box, int left, int top, int width, int minValue,
                    int maxValue, const PxFn& px);
// A label at a place, one line high unless given.
void PlaceLabel(ui::Label& label, int left, int top, int width, const PxFn& px, int height = 18,
                bool bold = false);

// A per-language colour tree under the settings panel: the layout's columns and look.
// `firstWidth` is column 0's width; `colour2` may be null. The captioned columns are 80 wide,
// wider where their caption needs it.
void MakeLanguageTree(ui::TreeList& tree, int firstWidth, const wchar_t* colour1,
                      const wchar_t* colour2, const PxFn& px);
// An exclusion tree: one column of names with check boxes.
void MakeExclusionTree(ui::TreeList& tree, const PxFn& px);

}  // namespace settings_window
