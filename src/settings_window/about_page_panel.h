#pragma once
// The About page's panel with the news page's view, and the link labels of the window's top
// panel: the page and the labels share their handlers (about_page.h).
#include "settings_window/page_layout.h"
#include "ui/html_view.h"
#include "ui/link_label.h"

namespace settings_window {

class AboutPage {
 public:
  ui::Panel Panel_About{nullptr};
  ui::HtmlView HtmlViewer{&Panel_About};
  // Placed into the top panel's link panel by LayoutAboutPage.
  ui::LinkLabel L_WebSite{nullptr};
  ui::LinkLabel L_Telegram{nullptr};

 protected:
  // `web` is the link panel of the window's top panel; `note` the Common page's link label,
  // which opens its address and changes its look as the other two do.
  void LayoutAboutPage(const PxFn& px, ui::Panel& web, ui::LinkLabel& note);
  // Once the link labels hold their addresses: the link panel grows where a label, in the bold
  // it takes under the pointer, would run past its right edge.
  void FitLinkPanel(ui::Panel& web);
};

}  // namespace settings_window
