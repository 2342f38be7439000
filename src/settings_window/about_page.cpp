#include "settings_window/about_page.h"

#include <algorithm>
#include <cwctype>

#include "core/common.h"
#include "os/shell.h"
#include "os/system.h"
#include "os/text.h"
#include "settings_window/about_page_panel.h"
#include "settings_window/news_download.h"
#include "ui/html_view.h"
#include "ui/link_label.h"
#include "ui/text_measurer.h"

namespace settings_window {
namespace {

// Opens an address as the shell's web links are opened: owned by the desktop's program window.
void OpenAddress(const std::wstring& address, const std::wstring& verb) {
  os::ShellCommand command;
  command.Owner = os::Shl().FindTopWindow(L"ProgMan");
  command.Verb = verb;
  command.File = address;
  os::Shl().Execute(command);  // a failure shows nothing further
}

}  // namespace

bool IsWebLink(const std::wstring& address) {
  std::wstring_view rest;
  for (std::wstring_view scheme : {std::wstring_view(L"http://"), std::wstring_view(L"https://")}) {
    if (address.size() > scheme.size() &&
        os::EqualsIgnoreAsciiCase(std::wstring_view(address).substr(0, scheme.size()), scheme)) {
      rest = std::wstring_view(address).substr(scheme.size());
      break;
    }
  }
  if (rest.empty() || rest.front() == L'/' || rest.front() == L'\\') return false;  // no host
  // Blanks and control characters would let the shell read the address as something else.
  for (wchar_t c : address) {
    if (c <= L' ' || c == 0x7F || c == L'"') return false;
  }
  return true;
}

std::wstring NewsFileToShow() {
  for (const std::wstring* folder : {&core::PathSettings, &core::PathProgram}) {
    if (folder->empty()) continue;
    const std::wstring path = *folder + kNewsFileName;
    if (os::Sys().FileExists(path)) return path;
  }
  return {};
}

void LoadAboutPage(ui::HtmlView& view) {
  const std::wstring path = NewsFileToShow();
  if (path.empty()) return;
  std::string bytes;
  try {
    bytes = os::Sys().ReadFile(path);
  } catch (...) {
    return;  // held by another program this moment: the page keeps what it showed
  }
  view.LoadHtml(bytes);
}

void HtmlViewerHotSpotClick(const std::wstring& src) {
  if (IsWebLink(src)) OpenAddress(src, {});
}

void L_WebSiteClick(const std::wstring& hint) { OpenAddress(hint, L"open"); }

void L_WebSiteMouseEnter(ui::LinkLabel& label) {
  label.SetFontBold(true);
  label.SetUnderline(true);
}

void L_WebSiteMouseLeave(ui::LinkLabel& label) {
  label.SetFontBold(false);
  label.SetUnderline(false);
}

void L_NoteMouseEnter(ui::LinkLabel& label) { label.SetUnderline(true); }

void L_NoteMouseLeave(ui::LinkLabel& label) { label.SetUnderline(false); }

void AboutPage::LayoutAboutPage(const PxFn& px, ui::Panel& web, ui::LinkLabel& note) {
  MakePage(Panel_About, px);
  Panel_About.SetColor(os::clWhite);
  HtmlViewer.SetAlign(ui::Align::Client);
  HtmlViewer.OnHotSpotClick = [](const std::wstring& src) { HtmlViewerHotSpotClick(src); };

  struct Place {
    ui::LinkLabel* Label;
    int Top;
    int Width;
  };
  for (const Place& place : {Place{&L_WebSite, 3, 160}, Place{&L_Telegram, 25, 144}}) {
    ui::LinkLabel& label = *place.Label;
    label.SetParent(&web);
    label.SetBounds(px(3), px(place.Top), px(place.Width), px(16));
    label.SetAlignment(DT_CENTER);
    label.SetFont({L"Tahoma", px(13), false, clHotLight});
    // Their size follows the address they show (the note below is the one of fixed size).
    label.SetAutoSize(true);
    label.OnClick = [&label] { L_WebSiteClick(label.Hint()); };
    label.OnMouseEnter = [&label] { L_WebSiteMouseEnter(label); };
    label.OnMouseLeave = [&label] { L_WebSiteMouseLeave(label); };
  }
  note.OnClick = [&note] { L_WebSiteClick(note.Hint()); };
  note.OnMouseEnter = [&note] { L_NoteMouseEnter(note); };
  note.OnMouseLeave = [&note] { L_NoteMouseLeave(note); };
}

void AboutPage::FitLinkPanel(ui::Panel& web) {
  int width = web.Width();
  for (const ui::LinkLabel* label : {&L_WebSite, &L_Telegram}) {
    ui::Font bold = label->GetFont();
    bold.Bold = true;
    // The label's left margin on the right as well.
    const int needed = label->Left() + ui::Measurer().Measure(label->Caption(), bold).Width;
    width = std::max(width, needed + label->Left());
  }
  web.SetWidth(width);
}

}  // namespace settings_window
