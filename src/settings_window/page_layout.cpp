#include "settings_window/page_layout.h"

#include <algorithm>
#include <initializer_list>

#include "settings_window/string_data.h"
#include "ui/text_measurer.h"

namespace settings_window {

namespace {
// The header control's text margins, both sides together (three edge widths each side), with
// a pixel for the divider.
constexpr int kHeaderMargins = 13;
}  // namespace

ui::Font PageFont(const PxFn& px, bool bold) { return {L"Tahoma", px(13), bold, os::clWindowText}; }

void MakePage(ui::Panel& page, const PxFn& px) {
  page.SetFont(PageFont(px));
  page.SetAlign(ui::Align::Client);
  page.SetVisible(false);
}

void MakeSettingsPanel(ui::Panel& panel, int height, const PxFn& px) {
  panel.SetFont(PageFont(px));
  panel.SetBounds(0, 0, px(935), px(height));
  panel.SetAlign(ui::Align::Top);
}

void MakeResetBar(ui::Panel& bar, ui::FlatButton& reset, const PxFn& px) {
  bar.SetFont(PageFont(px));
  bar.SetBounds(0, 0, px(935), px(30));
  bar.SetAlign(ui::Align::Bottom);
  reset.SetFont(PageFont(px));
  reset.SetBounds(px(4), px(2), px(90), px(27));
  reset.SetCaption(L"Reset");
}

void PlaceSwitch(ui::Switch& sw, ui::Label* label, int left, int top, const PxFn& px,
                 int labelWidth) {
  sw.SetBounds(px(left), px(top), px(40), px(18));
  if (label == nullptr) return;
  PlaceLabel(*label, left + 46, top, labelWidth, px);
  label->SetAlignment(DT_LEFT | DT_VCENTER);
  label->OnClick = [&sw] { sw.Click(); };
}

void PlaceColorButton(ui::ColorButton& button, ui::Label* label, int left, int top,
                      const PxFn& px, int labelWidth) {
  button.SetBounds(px(left), px(top), px(50), px(22));
  if (label == nullptr) return;
  PlaceLabel(*label, left - 6 - labelWidth, top + 2, labelWidth, px);
  label->SetAlignment(DT_RIGHT | DT_VCENTER);
}

void PlaceCheckBox(ui::CheckBox& box, int left, int top, const PxFn& px) {
  box.SetBounds(px(left), px(top), px(17), px(17));
}

void PlaceNumberBox(ui::NumberBox& box, int left, int top, int width, int minValue,
                    int maxValue, const PxFn& px) {
  box.SetFont(PageFont(px));
  box.SetBounds(px(left), px(top), px(width), px(21));
  box.SetSpinWidth(px(20));
  box.SetRange(minValue, maxValue);
}

void PlaceLabel(ui::Label& label, int left, int top, int width, const PxFn& px, int height,
                bool bold) {
  label.SetFont(PageFont(px, bold));
  label.SetBounds(px(left), px(top), px(width), px(height));
}

void MakeLanguageTree(ui::TreeList& tree, int firstWidth, const wchar_t* colour1,
                      const wchar_t* colour2, const PxFn& px) {
  tree.SetFont(PageFont(px));
  tree.SetAlign(ui::Align::Client);
  tree.SetHeaderVisible(true);
  tree.SetHeaderHeight(px(30));
  tree.SetColumnsMovable(true);
  tree.SetGridLines(false, true);
  tree.SetGridLineColor(clSilver);
  tree.SetDefaultNodeHeight(px(30));
  tree.AddColumn(L"", px(firstWidth));
  for (const wchar_t* caption : {L"Language ISO 639", L"Country ISO 3166", colour1, colour2}) {
    if (caption == nullptr) continue;
    // 80 wide, or as wide as the caption with the header's margins where it needs more.
    const int needed = ui::Measurer().Measure(caption, tree.GetFont()).Width + px(kHeaderMargins);
    tree.AddColumn(caption, std::max(px(80), needed), ui::ColumnAlign::Center);
  }
}

void MakeExclusionTree(ui::TreeList& tree, const PxFn& px) {
  tree.SetFont(PageFont(px));
  tree.SetAlign(ui::Align::Client);
  tree.SetHeaderVisible(false);
  tree.SetDefaultNodeHeight(px(24));
  tree.SetGridLines(true, false);
  tree.SetGridLineColor(clSilver);
  tree.OnGetText = [](ui::TreeNode* node, int, std::wstring& text) {
    if (const auto* row = std::any_cast<TStringData>(&node->Record())) text = row->EntryText;
  };
}

}  // namespace settings_window
