#pragma once
// The Common Settings page: autorun, the four Minimize switches and the run-time enable switches.
#include "settings_window/page_layout.h"
#include "ui/bevel.h"
#include "ui/link_label.h"

namespace settings_window {

class CommonPage {
 public:
  ui::Panel Panel_Common{nullptr};
  ui::LinkLabel L_Note{&Panel_Common};  // docked to the bottom of the page
  ui::Switch swAutorun{&Panel_Common};
  ui::Label L_Autorun{&Panel_Common};
  ui::Switch swMinimizedOnStart{&Panel_Common};
  ui::Label L_MinimizedOnStart{&Panel_Common};
  ui::Switch swMinimizedOnClose{&Panel_Common};
  ui::Label L_MinimizedOnClose{&Panel_Common};
  ui::Switch swMinimizedToTray{&Panel_Common};
  ui::Label L_MinimizedToTray{&Panel_Common};
  ui::Switch swMinimizedOnEsc{&Panel_Common};
  ui::Label L_MinimizedOnEsc{&Panel_Common};
  ui::Bevel Bevel_Common{&Panel_Common};
  ui::Label L_TemporaryHide{&Panel_Common};
  ui::Switch swEnabled_MouseIndicator{&Panel_Common};
  ui::Label L_Enabled_MouseIndicator{&Panel_Common};
  ui::Switch swEnabled_AllIndicator{&Panel_Common};
  ui::Label L_Enabled_AllIndicators{&Panel_Common};
  ui::FlatButton btnExit{&Panel_Common};  // never shown

  void swEnabled_AllIndicatorClick();
  void swEnabled_MouseIndicatorClick();
  // Writes or deletes the autorun value; the switch then shows what the registry holds.
  void swAutorunClick();
  // Sets the switch to whether the autorun value exists, without running its handler.
  void ShowAutorunState();

 protected:
  void LayoutCommonPage(const PxFn& px);

 private:
  bool m_showingAutorun = false;
};

}  // namespace settings_window
