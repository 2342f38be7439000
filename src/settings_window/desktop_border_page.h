#pragma once
// The Desktop Border page: the border lines along the work area and the taskbar, with a preview.
#include "settings_window/page_layout.h"
#include "ui/bevel.h"
#include "ui/shape.h"

namespace settings_window {

class DesktopBorderPage {
 public:
  ui::Panel Panel_DesktopBorder{nullptr};
  ui::Panel PanelPreviewWorkareaBorder{&Panel_DesktopBorder};
  ui::Panel PanelPreviewTaskbarBorder{&Panel_DesktopBorder};
  ui::Panel PanelSettings_DesktopBorder{&Panel_DesktopBorder};
  ui::Panel PanelBottom_DesktopBorder{&Panel_DesktopBorder};
  ui::TreeList vstLang_DesktopBorder{&Panel_DesktopBorder};
  ui::FlatButton btnDesktopBorderReset{&PanelBottom_DesktopBorder};

  // The preview lines; the top and bottom ones first, so that the side ones lie between them.
  ui::Shape ShapeLineT{&PanelPreviewWorkareaBorder};
  ui::Shape ShapeLineB{&PanelPreviewWorkareaBorder};
  ui::Shape ShapeLineL{&PanelPreviewWorkareaBorder};
  ui::Shape ShapeLineR{&PanelPreviewWorkareaBorder};
  ui::Shape ShapeLineT2{&PanelPreviewTaskbarBorder};
  ui::Shape ShapeLineB2{&PanelPreviewTaskbarBorder};
  ui::Shape ShapeLineL2{&PanelPreviewTaskbarBorder};
  ui::Shape ShapeLineR2{&PanelPreviewTaskbarBorder};
  ui::Bevel Bevel_Start{&PanelPreviewTaskbarBorder};
  ui::Label L_Start{&PanelPreviewTaskbarBorder};

  // The two screens the edge boxes sit on.
  ui::Shape ShapeWorkareaScreen{&PanelSettings_DesktopBorder};
  ui::Shape ShapeTaskbarScreen{&PanelSettings_DesktopBorder};

  // In the order the page is filled.
  ui::NumberBox edDesktopBorderWidth{&PanelSettings_DesktopBorder};
  ui::Switch swShowWorkareaBorder{&PanelSettings_DesktopBorder};
  ui::CheckBox cbShowWorkareaBorder_L{&PanelSettings_DesktopBorder};
  ui::CheckBox cbShowWorkareaBorder_R{&PanelSettings_DesktopBorder};
  ui::CheckBox cbShowWorkareaBorder_T{&PanelSettings_DesktopBorder};
  ui::CheckBox cbShowWorkareaBorder_B{&PanelSettings_DesktopBorder};
  ui::Switch swShowTaskbarBorder{&PanelSettings_DesktopBorder};
  ui::CheckBox cbShowTaskbarBorder_L{&PanelSettings_DesktopBorder};
  ui::CheckBox cbShowTaskbarBorder_R{&PanelSettings_DesktopBorder};
  ui::CheckBox cbShowTaskbarBorder_T{&PanelSettings_DesktopBorder};
  ui::CheckBox cbShowTaskbarBorder_B{&PanelSettings_DesktopBorder};

  ui::Label L_ShowWorkareaBorder{&PanelSettings_DesktopBorder};
  ui::Label L_ShowTaskbarBorder{&PanelSettings_DesktopBorder};
  ui::Label L_Border_Width_1_8{&PanelSettings_DesktopBorder};

  void edDesktopBorderWidthChangeValue();
  void swShowWorkareaBorderClick();
  void btnDesktopBorderResetClick();
  // Follows the page's controls and the colour rows as they are edited; a pass that changes
  // nothing costs nothing.
  void UpdateDesktopBorderPreview();

 protected:
  void LayoutDesktopBorderPage(const PxFn& px);
};

}  // namespace settings_window
