// The two Exclude List pages share their look: a white hint strip, header bars with the
// list's switch, the trees, and a bar with the Reset button.
#include "core/common.h"
#include "settings_window/exclude_list2_page.h"
#include "settings_window/exclude_list_page.h"
#include "settings_window/page_saving.h"

namespace settings_window {

namespace {

void MakeHintStrip(ui::Panel& strip, ui::Label& info, ui::Label& key, ui::Label& f2,
                   const PxFn& px) {
  strip.SetBounds(0, 0, px(935), px(75));
  strip.SetAlign(ui::Align::Top);
  strip.SetColor(os::clWhite);
  PlaceLabel(info, 8, 6, 320, px, 34);
  info.SetWordWrap(true);
  PlaceLabel(f2, 8, 42, 320, px, 32);
  f2.SetWordWrap(true);  // so that its CR LF breaks the line
  PlaceLabel(key, 340, 6, 260, px, 54, true);
  key.SetWordWrap(true);
  key.SetFontColor(clHotLight);
}

void MakeHeaderBar(ui::Panel& bar, const PxFn& px) {
  bar.SetFont(PageFont(px));
  bar.SetBounds(0, 0, px(300), px(30));
  bar.SetAlign(ui::Align::Top);
}

}  // namespace

void ExcludeListPage::LayoutExcludeListPage(const PxFn& px) {
  MakePage(Panel_ExcludeList, px);
  MakeHintStrip(PanelHint_ExcludeList, L_InfoForCopy, L_InfoForCopyKey, Label_F2_Enter, px);
  MakeResetBar(PanelBottom_ExcludeList, btnExcludeListReset, px);
  PanelWindowClass.SetBounds(0, 0, px(300), px(300));
  PanelWindowClass.SetAlign(ui::Align::Left);
  Splitter1.SetBounds(0, 0, px(5), px(300));
  Splitter1.SetAlign(ui::Align::Left);
  PanelAppName.SetAlign(ui::Align::Client);

  MakeHeaderBar(PanelHeader_WindowClass, px);
  MakeExclusionTree(vstExclude_WindowClass, px);
  PlaceSwitch(swDontShowByWindowClass, &L_DontShowByWindowClass, 2, 5, px, 240);
  MakeHeaderBar(PanelHeader_AppName, px);
  MakeExclusionTree(vstExclude_AppName, px);
  PlaceSwitch(swDontShowByApplicationFilename, &L_DontShowByApplicationFilename, 6, 6, px, 300);

  swDontShowByWindowClass.OnClick = [this] { swDontShowByWindowClassClick(); };
  swDontShowByApplicationFilename.OnClick = [this] { swDontShowByWindowClassClick(); };
}

void ExcludeListPage::swDontShowByWindowClassClick() {
  if (core::IsStarting || core::IsFillingExcludeList) return;
  SavePages(FilterRebuild::Lists1);
}

void ExcludeList2Page::LayoutExcludeList2Page(const PxFn& px) {
  MakePage(Panel_ExcludeList2, px);
  MakeHintStrip(PanelHint_ExcludeList2, L_InfoForCopy2, L_InfoForCopyKey2, Label_F2_Enter2, px);
  MakeResetBar(PanelBottom_ExcludeList2, btnExcludeListReset2, px);
  MakeHeaderBar(PanelHeader_AppName2, px);
  MakeExclusionTree(vstExclude_AppName2, px);
  PlaceSwitch(swDontShowByApplicationFilename2, &L_DontShowByApplicationFilename2, 6, 6, px,
              300);
  swDontShowByApplicationFilename2.OnClick = [this] { swDontShowByApplicationFilename2Click(); };
}

void ExcludeList2Page::swDontShowByApplicationFilename2Click() {
  if (core::IsStarting || core::IsFillingExcludeList2) return;
  SavePages(FilterRebuild::List2);
}

}  // namespace settings_window
