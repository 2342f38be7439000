#pragma once
// The settings side of the main window: the frame's navigation, the ten pages with every
// control, and the colour dialog the pages share. The main window inherits it, so the controls
// are the main window's members (fMain->swShowTime ...).
#include <array>

#include "settings_window/about_page_panel.h"
#include "settings_window/caret_indicator_page.h"
#include "settings_window/common_page.h"
#include "settings_window/desktop_border_page.h"
#include "settings_window/desktop_indicator_page.h"
#include "settings_window/exclude_list2_page.h"
#include "settings_window/exclude_list_page.h"
#include "settings_window/mouse_indicator_page.h"
#include "settings_window/navigation_frame.h"
#include "settings_window/rgb_lighting_page.h"
#include "settings_window/system_tray_page.h"
#include "ui/color_dialog.h"

namespace settings_window {

class SettingsPages : public NavigationFrame,
                      public CommonPage,
                      public DesktopIndicatorPage,
                      public DesktopBorderPage,
                      public MouseIndicatorPage,
                      public ExcludeListPage,
                      public SystemTrayPage,
                      public CaretIndicatorPage,
                      public ExcludeList2Page,
                      public RgbLightingPage,
                      public AboutPage {
 public:
  ui::ColorDialog ColorDialog;

  // The page panels in the order of the page control (PageIndex 0 to 9).
  std::array<ui::Panel*, TPageControl::kPageCount> PagePanels();
  // The index of the page panel shown; -1 when none is.
  int ShownPageIndex();

  // Rebuilds the navigation items from the tab sheets and shows the first page.
  void BuildNavigationTree();
  // Selects and focuses the first item that shows the page; an index no item has changes nothing.
  void SelectPage(int pageIndex);

  void vstActionsChange(ui::TreeNode* node);
  void vstActionsCollapsing(ui::TreeNode* node, bool& allowed);
  void vstActionsGetText(ui::TreeNode* node, int column, std::wstring& text);
  void vstActionsPaintText(ui::TreeNode* node, int column, ui::Font& font);
  void vstActionsMeasureItem(ui::TreeNode* node, int& height);

 protected:
  void LayoutPages(ui::Panel& top, ui::Panel& left, ui::Panel& bottom, const PxFn& px,
                   const ui::ImageSource& capsImages, const ui::ImageSource& numLockImages);
  // The pages go into the tab panel, hidden; the page control stays hidden.
  void MovePagesIntoPlace(ui::Panel& tabs);
};

}  // namespace settings_window
