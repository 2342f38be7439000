#pragma once
// The About page's panel: it shows the news page.
#include "settings_window/page_layout.h"

namespace settings_window {

class AboutPage {
 public:
  ui::Panel Panel_About{nullptr};

 protected:
  void LayoutAboutPage(const PxFn& px) {
    MakePage(Panel_About, px);
    Panel_About.SetColor(os::clWhite);
  }
};

}  // namespace settings_window
