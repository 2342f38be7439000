// The per-language colour trees: one row per installed keyboard layout in each of the five
// trees, and the flag images of those layouts.
#include "settings_window/language_lists.h"

#include <cwctype>
#include <optional>

#include "core/color_text.h"
#include "core/common.h"
#include "core/string_list.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "os/error.h"
#include "os/system.h"
#include "settings_window/page_saving.h"
#include "tray/data_module.h"
#include "ui/resource.h"

namespace settings_window {

namespace {

constexpr int kFirstColourColumn = 3;

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(::towlower(c));
  return text;
}

std::wstring Upper(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(::towupper(c));
  return text;
}

// The colour a settings list holds for the country; the fallback when the list has no entry,
// and also when its value is not colour text (only a hand-edited file holds one, and one bad
// value must not cost the user every other row).
os::TColor ListColor(const core::TStringList& list, const std::wstring& country,
                     os::TColor fallback) {
  const std::optional<std::wstring> value = core::FindEntryValue(list, country);
  if (!value) return fallback;
  try {
    return core::HexRGBToColor(*value);
  } catch (const os::Error&) {
    return fallback;
  }
}

// Both flag sizes or neither, so that an index found in one list holds in the other. A region
// without a flag of its own (a numeric code such as 029, or a failed query) gets no image.
void AddFlagImages(const std::wstring& country) {
  tray::TDM* dm = tray::DM;
  if (dm == nullptr) return;
  const std::wstring code = Lower(country);
  if (code.empty()) return;
  const std::string_view small = ui::ResourceBytes((L"png4x3_16_" + code).c_str());
  const std::string_view large = ui::ResourceBytes((L"png4x3_25_" + code).c_str());
  if (small.empty() || large.empty()) return;
  dm->IL_Flag16.Add(small, code);
  dm->IL_Flag25.Add(large, code);
}

TLangsData* RowOf(ui::TreeNode* node) {
  return node != nullptr ? std::any_cast<TLangsData>(&node->Record()) : nullptr;
}

}  // namespace

os::TColor PositionDefaultColor(int position) {
  static constexpr os::TColor kColors[] = {0x00FF00, 0x0000FF, 0xFFFF00,
                                           0xFF00FF, 0x00FFFF, 0xFF0000};
  if (position < 1 || position > 6) return 0;
  return kColors[position - 1];
}

os::Rect SwatchRect(const os::Rect& cell) {
  const int w = cell.Right - cell.Left;
  const int h = cell.Bottom - cell.Top;
  return {cell.Left + w / 2 - 12, cell.Top + h / 2 - 10, cell.Right - w / 2 + 12,
          cell.Bottom - h / 2 + 10};
}

void WireLanguageTree(ui::TreeList& tree, std::vector<LangColorField> colourColumns) {
  const int lastColourColumn = kFirstColourColumn + static_cast<int>(colourColumns.size()) - 1;
  auto fieldOf = [colourColumns](int column) -> LangColorField {
    const int i = column - kFirstColourColumn;
    if (i < 0 || i >= static_cast<int>(colourColumns.size())) return nullptr;
    return colourColumns[static_cast<size_t>(i)];
  };
  if (tray::DM != nullptr) tree.SetImages(&tray::DM->IL_Flag25);

  tree.OnGetText = [](ui::TreeNode* node, int column, std::wstring& text) {
    const TLangsData* row = RowOf(node);
    if (row == nullptr) return;
    switch (column) {
      case 0: text = row->LangName; break;
      case 1: text = row->LangISO639; break;
      case 2: text = row->CountryISO3166; break;
      default: text.clear(); break;
    }
  };
  tree.OnGetImageIndex = [](ui::TreeNode* node, int column, ui::ImageKind kind, int& index) {
    if (column != 0 || kind == ui::ImageKind::State) return;
    const TLangsData* row = RowOf(node);
    index = row != nullptr && tray::DM != nullptr
                ? tray::DM->IL_Flag25.FindIndexByName(row->CountryISO3166)
                : -1;
  };
  tree.OnAfterCellPaint = [fieldOf](ui::Canvas& canvas, ui::TreeNode* node, int column,
                                    const os::Rect& cell) {
    const LangColorField field = fieldOf(column);
    const TLangsData* row = RowOf(node);
    if (field == nullptr || row == nullptr) return;
    const os::Rect swatch = SwatchRect(cell);
    canvas.FillRect(swatch, row->*field);
    canvas.FrameRect(swatch, os::clBlack);
  };
  tree.OnGetCursor = [&tree, lastColourColumn](int x, int y, ui::TreeCursor& cursor) {
    tree.Tag = -1;
    ui::TreeNode* node = tree.NodeAt(x, y);
    if (node == nullptr) return;
    cursor = ui::TreeCursor::Arrow;
    for (int column = kFirstColourColumn; column <= lastColourColumn; ++column) {
      const os::Rect s = SwatchRect(tree.CellRect(node, column));
      if (s.Left < x && x < s.Right && s.Top < y && y < s.Bottom) {
        tree.Tag = column;
        cursor = ui::TreeCursor::HandPoint;
      }
    }
  };
  tree.OnClick = [&tree, fieldOf] {
    TLangsData* row = RowOf(tree.FocusedNode());
    const LangColorField field = fieldOf(tree.Tag);
    monitor::TfMain* main = monitor::fMain;
    if (row == nullptr || field == nullptr || main == nullptr) return;
    main->ColorDialog.FullOpen = true;
    main->ColorDialog.SetColor(row->*field);
    if (!main->ColorDialog.Execute(main)) return;
    // Saved even when the colour is the same: the user confirmed it.
    row->*field = main->ColorDialog.Color();
    RepaintTree(tree);
    SavePages();
  };
}

}  // namespace settings_window

namespace monitor {

void TfMain::FillLanguageLists() {
  using settings_window::TLangsData;
  ui::TreeList* const trees[] = {&vstLang_DesktopIndicator, &vstLang_DesktopBorder,
                                 &vstLang_MouseIndicator, &vstLang_CaretIndicator, &vstLang_RGB};
  for (ui::TreeList* tree : trees) tree->Clear();
  if (tray::DM != nullptr) {
    tray::DM->IL_Flag16.Clear();
    tray::DM->IL_Flag25.Clear();
  }
  settings_window::LanguageListsRead = false;
  settings_window::WireLanguageTree(vstLang_DesktopIndicator,
                                    {&TLangsData::FontColor, &TLangsData::BackgroundColor});
  settings_window::WireLanguageTree(vstLang_DesktopBorder, {&TLangsData::BorderColor});
  settings_window::WireLanguageTree(vstLang_MouseIndicator,
                                    {&TLangsData::FontColor, &TLangsData::BackgroundColor});
  settings_window::WireLanguageTree(vstLang_CaretIndicator,
                                    {&TLangsData::FontColor, &TLangsData::BackgroundColor});
  settings_window::WireLanguageTree(vstLang_RGB, {&TLangsData::RgbColor});

  auto& sys = os::Sys();
  std::vector<std::uint64_t> layouts;
  try {
    layouts = sys.KeyboardLayoutList();
  } catch (const os::Error&) {
    throw os::Error(L"Error loading keyboard layout list");
  }
  const core::TSettings* s = core::Settings.get();
  if (s == nullptr) return;

  // The rows are built first and added afterwards, so that the trees never hold a part of the
  // layouts.
  std::vector<TLangsData> rows;
  for (std::uint64_t layout : layouts) {
    const unsigned language = static_cast<unsigned>(layout & 0xFFFF);
    TLangsData row;
    row.LangISO639 = settings_window::Upper(sys.LocaleValue(language, os::kLocaleSIso639LangName));
    row.LangName = sys.LocaleValue(language, os::kLocaleSLanguage);
    row.CountryISO3166 = sys.LocaleValue(language, os::kLocaleSIso3166CtryName);
    row.LangAbbrev = sys.LocaleValue(language, os::kLocaleSAbbrevLangName);
    row.LangName2 = row.LangName;
    rows.push_back(std::move(row));
  }

  using settings_window::ListColor;
  int position = 0;
  for (const TLangsData& base : rows) {
    ++position;
    const std::wstring& cc = base.CountryISO3166;
    TLangsData desktop = base;
    desktop.FontColor = ListColor(s->SL_Lang_Color_Font, cc, 0xFFFFFF);
    desktop.BackgroundColor = ListColor(s->SL_Lang_Color_Background, cc, 0xCC6600);
    vstLang_DesktopIndicator.AddChild(nullptr, desktop);

    settings_window::AddFlagImages(cc);

    TLangsData border = base;
    border.BorderColor = ListColor(s->SL_Lang_DesktopBorder_Color, cc,
                                   settings_window::PositionDefaultColor(position));
    vstLang_DesktopBorder.AddChild(nullptr, border);

    TLangsData mouse = base;
    mouse.FontColor = ListColor(s->MouseIndicator_SL_Lang_Color_Font, cc, 0);
    mouse.BackgroundColor = ListColor(s->MouseIndicator_SL_Lang_Color_Background, cc, 0xE1FFFF);
    vstLang_MouseIndicator.AddChild(nullptr, mouse);

    TLangsData caret = base;
    caret.FontColor = ListColor(s->CaretIndicator_SL_Lang_Color_Font, cc, 0);
    caret.BackgroundColor = ListColor(s->CaretIndicator_SL_Lang_Color_Background, cc, 0xE1FFFF);
    vstLang_CaretIndicator.AddChild(nullptr, caret);

    TLangsData rgb = base;
    rgb.RgbColor = ListColor(s->SL_Lang_RGB_Color, cc,
                             settings_window::PositionDefaultColor(position));
    vstLang_RGB.AddChild(nullptr, rgb);
  }
  settings_window::LanguageListsRead = true;
}

}  // namespace monitor
