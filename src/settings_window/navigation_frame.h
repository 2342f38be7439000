#pragma once
// The window's frame around the pages: the link panel and title panel in the top panel, the
// navigation tree with the Windows Tree button on the left, the Hide button at the bottom, and
// the hidden page control whose tab sheets name the navigation items.
#include "settings_window/page_control.h"
#include "settings_window/page_layout.h"
#include "ui/bevel.h"

namespace settings_window {

class NavigationFrame {
 public:
  // Placed into the main window's PanelTop, PanelLeft and PanelBottom by LayoutFrame.
  ui::Bevel BevelTop{nullptr};
  ui::Panel PanelWeb{nullptr};
  ui::Panel PanelTitle{nullptr};
  ui::Bevel BevelLeft{nullptr};
  ui::Panel Panel5{nullptr};
  ui::Bevel Bevel5{&Panel5};
  ui::FlatButton btnWinTree{&Panel5};
  ui::TreeList vstActions{nullptr};
  ui::Bevel BevelBottom{nullptr};
  ui::FlatButton btnHide{nullptr};
  TPageControl PC;

 protected:
  void LayoutFrame(ui::Panel& top, ui::Panel& left, ui::Panel& bottom, const PxFn& px);
};

}  // namespace settings_window
