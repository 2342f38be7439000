#pragma once
// The About page's logic, for the main window to call: which news file the page shows, what a
// click on a link in it does, and what the link labels open.
#include <string>

namespace ui {
class HtmlView;
class LinkLabel;
}

namespace settings_window {

// True only for an absolute http or https address with a host. A page fetched from the network
// must not start programs, open files or shares, or run script through a link: "file:",
// "javascript:", a path, "\\server\share" and every other protocol are refused.
bool IsWebLink(const std::wstring& address);

// The news file the About page shows: the settings folder's, else the program folder's; empty
// when neither exists.
std::wstring NewsFileToShow();

// The loading step of the About page, each time it is picked: shows the news file in the view.
// Without a readable news file the view keeps what it showed.
void LoadAboutPage(ui::HtmlView& view);

// A click on a link of the news page (TfMain.HtmlViewerHotSpotClick): a web address opens with
// the shell's default action, anything else does nothing.
void HtmlViewerHotSpotClick(const std::wstring& src);

// A click on a link label (TfMain.L_WebSiteClick): opens the label's hint, its address.
void L_WebSiteClick(const std::wstring& hint);

// The link labels' look under the pointer, changed in place (their other style stays): the web
// site and messenger labels turn bold and underlined, the note only underlined.
void L_WebSiteMouseEnter(ui::LinkLabel& label);
void L_WebSiteMouseLeave(ui::LinkLabel& label);
void L_NoteMouseEnter(ui::LinkLabel& label);
void L_NoteMouseLeave(ui::LinkLabel& label);

}  // namespace settings_window
