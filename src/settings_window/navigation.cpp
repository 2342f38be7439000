// The frame around the pages and the navigation between them.
#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "settings_window/about_page.h"
#include "settings_window/action_data.h"
#include "settings_window/settings_pages.h"

namespace settings_window {

void NavigationFrame::LayoutFrame(ui::Panel& top, ui::Panel& left, ui::Panel& bottom,
                                  const PxFn& px) {
  BevelTop.SetParent(&top);
  BevelTop.SetShape(ui::BevelShape::BottomLine);
  BevelTop.SetBounds(0, 0, px(900), px(2));
  BevelTop.SetAlign(ui::Align::Bottom);
  PanelWeb.SetParent(&top);
  PanelWeb.SetBounds(0, 0, px(210), px(53));
  PanelWeb.SetAlign(ui::Align::Left);
  PanelTitle.SetParent(&top);
  PanelTitle.SetAlign(ui::Align::Client);

  BevelLeft.SetParent(&left);
  BevelLeft.SetShape(ui::BevelShape::RightLine);
  BevelLeft.SetBounds(0, 0, px(2), px(400));
  BevelLeft.SetAlign(ui::Align::Right);
  Panel5.SetParent(&left);
  Panel5.SetBounds(0, 0, px(208), px(40));
  Panel5.SetAlign(ui::Align::Bottom);
  Bevel5.SetShape(ui::BevelShape::TopLine);
  Bevel5.SetBounds(0, 0, px(208), px(2));
  Bevel5.SetAlign(ui::Align::Top);
  btnWinTree.SetFont(PageFont(px));
  btnWinTree.SetBounds(px(44), px(5), px(120), px(30));
  btnWinTree.SetAnchors(ui::akTop | ui::akRight);
  btnWinTree.SetCaption(L"Windows Tree");

  vstActions.SetParent(&left);
  vstActions.SetAlign(ui::Align::Client);
  vstActions.SetBorder(false);
  vstActions.SetColor(os::clBtnFace);
  vstActions.SetFont(PageFont(px));
  vstActions.AddColumn(L"", px(208));
  vstActions.SetHeaderVisible(false);
  vstActions.SetDefaultNodeHeight(px(19));
  vstActions.SetIndent(px(12));
  vstActions.SetMargin(px(3));
  vstActions.SetTextMargin(px(3));
  vstActions.SetSelectionColors(0xEAC291, 0xEAC291);
  vstActions.SetSelectedTextColor(os::clBlack);
  vstActions.SetGridLineColor(clSilver);
  vstActions.SetGridLines(true, false);
  vstActions.SetShowButtons(true);
  vstActions.SetShowTreeLines(false);
  vstActions.SetShowRoot(false);
  vstActions.SetRightClickSelect(true);

  BevelBottom.SetParent(&bottom);
  BevelBottom.SetShape(ui::BevelShape::TopLine);
  BevelBottom.SetBounds(0, 0, px(900), px(2));
  BevelBottom.SetAlign(ui::Align::Top);
  btnHide.SetParent(&bottom);
  btnHide.SetFont(PageFont(px));
  btnHide.SetBounds(bottom.Width() - px(6) - px(90), px(1), px(90), px(30));
  btnHide.SetAnchors(ui::akTop | ui::akRight);
  btnHide.SetCaption(L"Hide");
}

void SettingsPages::LayoutPages(ui::Panel& top, ui::Panel& left, ui::Panel& bottom,
                                const PxFn& px, const ui::ImageSource& capsImages,
                                const ui::ImageSource& numLockImages) {
  LayoutFrame(top, left, bottom, px);
  LayoutCommonPage(px);
  LayoutDesktopIndicatorPage(px);
  LayoutDesktopBorderPage(px);
  LayoutMouseIndicatorPage(px);
  LayoutExcludeListPage(px);
  LayoutSystemTrayPage(px, capsImages, numLockImages);
  LayoutCaretIndicatorPage(px);
  LayoutExcludeList2Page(px);
  LayoutRgbLightingPage(px);
  LayoutAboutPage(px, PanelWeb, L_Note);

  vstActions.OnChange = [this](ui::TreeNode* node) { vstActionsChange(node); };
  vstActions.OnCollapsing = [this](ui::TreeNode* node, bool& allowed) {
    vstActionsCollapsing(node, allowed);
  };
  vstActions.OnGetText = [this](ui::TreeNode* node, int column, std::wstring& text) {
    vstActionsGetText(node, column, text);
  };
  vstActions.OnPaintText = [this](ui::TreeNode* node, int column, ui::Font& font) {
    vstActionsPaintText(node, column, font);
  };
  vstActions.OnMeasureItem = [this](ui::TreeNode* node, int& height) {
    vstActionsMeasureItem(node, height);
  };
}

std::array<ui::Panel*, TPageControl::kPageCount> SettingsPages::PagePanels() {
  return {&Panel_Common,         &Panel_DesktopIndicator,    &Panel_DesktopBorder,
          &Panel_MouseIndicator, &Panel_ExcludeList,         &Panel_SystemTrayIndicator,
          &Panel_CaretIndicator, &Panel_ExcludeList2,        &Panel_RGBLighting,
          &Panel_About};
}

int SettingsPages::ShownPageIndex() {
  const auto panels = PagePanels();
  for (int i = 0; i < TPageControl::kPageCount; ++i) {
    if (panels[static_cast<size_t>(i)]->Visible()) return i;
  }
  return -1;
}

void SettingsPages::MovePagesIntoPlace(ui::Panel& tabs) {
  for (ui::Panel* page : PagePanels()) {
    page->SetParent(&tabs);
    page->SetVisible(false);
  }
  PC.Visible = false;
}

void SettingsPages::BuildNavigationTree() {
  PC.AlignClient = true;
  PC.ActivePageIndex = 0;
  vstActions.Clear();
  vstActions.BeginUpdate();
  ui::TreeNode* previous = nullptr;
  for (int index = 0; index < PC.PageCount(); ++index) {
    TTabSheet& sheet = PC.Pages(index);
    ui::TreeNode* parent = sheet.Tag == 1 ? nullptr : previous;
    ui::TreeNode* node = vstActions.AddChild(parent, TDataAction{sheet.Caption, index});
    vstActions.SetNodeHeight(node, core::Scale(50));
    sheet.TabVisible = false;
    previous = node;
  }
  vstActions.EndUpdate();
  vstActions.FullExpand();
  vstActions.SetSelected(vstActions.FirstNode());
  PC.ActivePageIndex = 0;
}

void SettingsPages::SelectPage(int pageIndex) {
  for (ui::TreeNode* n = vstActions.FirstNode(); n != nullptr; n = vstActions.NextNode(n)) {
    if (n->Data<TDataAction>().PageIndex != pageIndex) continue;
    vstActions.SetFocusedNode(n);
    vstActions.SetSelected(n);
    return;
  }
}

void SettingsPages::vstActionsChange(ui::TreeNode* node) {
  if (node == nullptr) return;
  const int index = node->Data<TDataAction>().PageIndex;
  const auto panels = PagePanels();
  for (int i = 0; i < TPageControl::kPageCount; ++i) {
    panels[static_cast<size_t>(i)]->SetVisible(i == index);
  }
  // The page's settings shown beside the indicator as it is now.
  if (index == 1 && monitor::fMain != nullptr) monitor::fMain->DetectKeysStatus();
  if (index == 9) LoadAboutPage(HtmlViewer);
}

void SettingsPages::vstActionsCollapsing(ui::TreeNode*, bool& allowed) {
  // Both Exclude List items stay in sight.
  allowed = false;
}

void SettingsPages::vstActionsGetText(ui::TreeNode* node, int column, std::wstring& text) {
  if (column == 0) text = node->Data<TDataAction>().PageCaption;
}

void SettingsPages::vstActionsPaintText(ui::TreeNode* node, int, ui::Font& font) {
  if (node == vstActions.FocusedNode()) font.Bold = true;
}

void SettingsPages::vstActionsMeasureItem(ui::TreeNode*, int& height) { height = core::Scale(30); }

}  // namespace settings_window
