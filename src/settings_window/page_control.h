#pragma once
// The page control of the settings window. It is never shown: its tab sheets give the
// navigation tree its items, and the page panels themselves are shown on PanelTabs.
#include <array>

#include "settings_window/tab_sheet.h"

namespace settings_window {

class TPageControl : public ui::Component {
 public:
  static constexpr int kPageCount = 10;

  TTabSheet tsCommon{L"tsCommon", 1};
  TTabSheet tsDesktopIndicator{L"tsDesktopIndicator", 1};
  TTabSheet tsDesktopBorder{L"tsDesktopBorder", 1};
  TTabSheet tsMouseIndicator{L"tsMouseIndicator", 1};
  TTabSheet tsExcludeList{L"tsExcludeList", 2};
  TTabSheet ts_TrayIndicator{L"ts_TrayIndicator", 1};
  TTabSheet tsCaretIndicator{L"tsCaretIndicator", 1};
  TTabSheet tsExcludeList2{L"tsExcludeList2", 2};
  TTabSheet tsRGBLighting{L"tsRGBLighting", 1};
  TTabSheet tsAbout{L"tsAbout", 1};

  int PageCount() const noexcept { return kPageCount; }
  TTabSheet& Pages(int index) { return *Sheets().at(static_cast<size_t>(index)); }

  bool Visible = true;
  bool AlignClient = false;
  int ActivePageIndex = 0;

 private:
  std::array<TTabSheet*, kPageCount> Sheets() {
    return {&tsCommon, &tsDesktopIndicator, &tsDesktopBorder, &tsMouseIndicator,
            &tsExcludeList, &ts_TrayIndicator, &tsCaretIndicator, &tsExcludeList2,
            &tsRGBLighting, &tsAbout};
  }
};

}  // namespace settings_window
