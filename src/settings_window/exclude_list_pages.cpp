// The two Exclude List pages share their look: a white hint strip, header bars with the
// list's switch, the trees, and a bar with the Reset button.
#include "core/common.h"
#include "settings_window/exclude_list2_page.h"
#include "settings_window/exclude_list_page.h"
#include "settings_window/exclusion_lists.h"
#include "settings_window/page_saving.h"
#include "tray/data_module.h"

namespace settings_window {

namespace {

// Orange-red (RGB FF4500) on the white strip: the copy chords are easy to miss otherwise.
constexpr os::TColor kHintColor = 0x0045FF;

// The hint strip at the top of an Exclude List page. Its children are placed while the strip
// still has the page's design width, so that the key text, held to the strip's right edge, keeps
// the design's distance from it; only then is the strip docked (the page is not sized yet).
void MakeHintStrip(ui::Panel& strip, ui::Bevel& bevel, ui::Label& info, const os::Rect& infoPlace,
                   CopyHintPicture& picture, ui::Label& key, ui::Label& f2, const PxFn& px) {
  strip.SetBounds(0, 0, px(935), px(75));
  strip.SetColor(os::clWhite);
  // The strip's bevelled bottom edge.
  bevel.SetShape(ui::BevelShape::BottomLine);
  bevel.SetBounds(0, 0, px(935), px(2));
  bevel.SetAlign(ui::Align::Bottom);
  info.SetFont({L"Segoe UI", px(13), false, kHintColor});
  info.SetBounds(px(infoPlace.Left), px(infoPlace.Top), px(infoPlace.Width()),
                 px(infoPlace.Height()));
  info.SetWordWrap(true);
  picture.SetBounds(px(158), px(-2), px(277), px(75));
  picture.SetAnchors(ui::akLeft | ui::akBottom);
  key.SetFont({L"Segoe UI", px(13), true, kHintColor});
  key.SetBounds(px(407), px(1), px(524), px(66));
  key.SetAnchors(ui::akLeft | ui::akTop | ui::akRight);
  key.SetWordWrap(true);
  strip.SetAlign(ui::Align::Top);
  // The editing keys, grey beside the Reset button.
  f2.SetFont({L"Tahoma", px(11), false, os::clGray});
  // Its two lines need 26 pixels at 96 DPI but 42 at 144, where the layout's 26 scales to 39:
  // 28, the rest of the bar below its top, holds them at both.
  f2.SetBounds(px(421), px(2), px(200), px(28));
  f2.SetWordWrap(true);  // so that its CR LF breaks the line
}

// A header bar 30 high. Its add buttons are placed while it has the width its column has in the
// window's layout, so that they keep their distance from its right end; then it is docked.
void MakeHeaderBar(ui::Panel& bar, int width, const PxFn& px) {
  bar.SetFont(PageFont(px));
  bar.SetBounds(0, 0, px(width), px(30));
}

void DockHeaderBar(ui::Panel& bar) { bar.SetAlign(ui::Align::Top); }

// A flat 28 x 25 add button at its place in a header bar, held to the bar's top and right edges.
void MakeAddButton(ui::SpeedButton& button, int left, const wchar_t* icon, const wchar_t* hint,
                   const PxFn& px) {
  button.SetBounds(px(left), px(2), px(28), px(25));
  button.SetAnchors(ui::akTop | ui::akRight);
  if (hint != nullptr) button.SetHint(hint);
  tray::TDM* dm = tray::DM;
  if (dm == nullptr) return;
  button.SetImages(&dm->SVGIconImageCollection);
  const std::wstring suffix = std::wstring(L"_") + icon;
  for (int i = 0; i < dm->SVGIconImageCollection.Count(); ++i) {
    const std::wstring& name = dm->SVGIconImageCollection.Name(i);
    if (name == icon || (name.size() > suffix.size() &&
                         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)) {
      button.SetImageIndex(i);
      return;
    }
  }
}

const wchar_t* const kBuiltInWindowClasses[] = {L"MSTaskListWClass", L"MSTaskSwWClass",
                                                L"Shell_TrayWnd",    L"Start",
                                                L"TrayNotifyWnd",    L"TrayButton"};
const wchar_t* const kBuiltInApplications[] = {L"SystemSettings.exe", L"calc.exe",
                                               L"CalculatorApp.exe"};
const wchar_t* const kCaretApplications[] = {L"cmd.exe", L"Far.exe"};

}  // namespace

void ExcludeListPage::LayoutExcludeListPage(const PxFn& px) {
  MakePage(Panel_ExcludeList, px);
  MakeHintStrip(PanelHint_ExcludeList, BevelHint_ExcludeList, L_InfoForCopy, {4, 1, 4 + 182, 1 + 68},
                Image1, L_InfoForCopyKey, Label_F2_Enter, px);
  MakeResetBar(PanelBottom_ExcludeList, btnExcludeListReset, px);
  PanelWindowClass.SetBounds(0, 0, px(300), px(300));
  PanelWindowClass.SetAlign(ui::Align::Left);
  Splitter1.SetBounds(0, 0, px(5), px(300));
  Splitter1.SetAlign(ui::Align::Left);
  PanelAppName.SetAlign(ui::Align::Client);

  MakeHeaderBar(PanelHeader_WindowClass, 300, px);
  PlaceSwitch(swDontShowByWindowClass, &L_DontShowByWindowClass, 2, 5, px, 240);
  MakeAddButton(SpeedButton3, 266, L"plus", L"Add", px);
  DockHeaderBar(PanelHeader_WindowClass);
  MakeExclusionTree(vstExclude_WindowClass, px);
  // The application column's width in the layout: the page less the window-class column and
  // the splitter.
  MakeHeaderBar(PanelHeader_AppName, 935 - 300 - 5, px);
  PlaceSwitch(swDontShowByApplicationFilename, &L_DontShowByApplicationFilename, 6, 6, px, 300);
  MakeAddButton(SpeedButton2, 570, L"plus", L"Add", px);
  MakeAddButton(SpeedButton1, 600, L"folder-plus-outline", L"Add via Open Dialog", px);
  DockHeaderBar(PanelHeader_AppName);
  MakeExclusionTree(vstExclude_AppName, px);

  swDontShowByWindowClass.OnClick = [this] { swDontShowByWindowClassClick(); };
  swDontShowByApplicationFilename.OnClick = [this] { swDontShowByWindowClassClick(); };
  WireExclusionTree(vstExclude_WindowClass, FilterRebuild::Lists1, core::IsFillingExcludeList);
  WireExclusionTree(vstExclude_AppName, FilterRebuild::Lists1, core::IsFillingExcludeList);
  SpeedButton3.OnClick = [this] { Act_AddWinClassNameExecute(); };
  SpeedButton2.OnClick = [this] { Act_AddAppNameExecute(); };
  SpeedButton1.OnClick = [this] { Act_AddAppNameFromFolderExecute(); };
  btnExcludeListReset.OnClick = [this] { btnExcludeListResetClick(); };
}

void ExcludeListPage::Act_AddWinClassNameExecute() {
  AddPlaceholder(vstExclude_WindowClass, L"WindowClass", L"", FilterRebuild::Lists1);
}

void ExcludeListPage::Act_AddAppNameExecute() {
  AddPlaceholder(vstExclude_AppName, L"AppName", L".exe", FilterRebuild::Lists1);
}

void ExcludeListPage::Act_AddAppNameFromFolderExecute() {
  AddFromOpenDialog(vstExclude_AppName, FilterRebuild::Lists1);
}

void ExcludeListPage::btnExcludeListResetClick() {
  vstExclude_WindowClass.Clear();
  vstExclude_AppName.Clear();
  // A switch that was off saves through its own handler.
  swDontShowByWindowClass.SetChecked(true);
  swDontShowByApplicationFilename.SetChecked(true);
  for (const wchar_t* name : kBuiltInWindowClasses) AppendExclusion(vstExclude_WindowClass, name);
  for (const wchar_t* name : kBuiltInApplications) AppendExclusion(vstExclude_AppName, name);
  SavePages(FilterRebuild::Lists1);
}

void ExcludeListPage::swDontShowByWindowClassClick() {
  if (core::IsStarting || core::IsFillingExcludeList) return;
  SavePages(FilterRebuild::Lists1);
}

void ExcludeList2Page::LayoutExcludeList2Page(const PxFn& px) {
  MakePage(Panel_ExcludeList2, px);
  MakeHintStrip(PanelHint_ExcludeList2, BevelHint_ExcludeList2, L_InfoForCopy2,
                {2, 1, 2 + 181, 1 + 67}, Image2, L_InfoForCopyKey2, Label_F2_Enter2, px);
  MakeResetBar(PanelBottom_ExcludeList2, btnExcludeListReset2, px);
  Image2.SetArrowFromClass(false);
  MakeHeaderBar(PanelHeader_AppName2, 935, px);
  PlaceSwitch(swDontShowByApplicationFilename2, &L_DontShowByApplicationFilename2, 6, 6, px,
              300);
  MakeAddButton(SpeedButton8, 873, L"plus", nullptr, px);
  MakeAddButton(SpeedButton7, 903, L"folder-plus-outline", nullptr, px);
  DockHeaderBar(PanelHeader_AppName2);
  MakeExclusionTree(vstExclude_AppName2, px);
  swDontShowByApplicationFilename2.OnClick = [this] { swDontShowByApplicationFilename2Click(); };
  WireExclusionTree(vstExclude_AppName2, FilterRebuild::List2, core::IsFillingExcludeList2);
  SpeedButton8.OnClick = [this] { Act_AddAppName2Execute(); };
  SpeedButton7.OnClick = [this] { Act_AddAppNameFromFolder2Execute(); };
  btnExcludeListReset2.OnClick = [this] { btnExcludeListReset2Click(); };
}

void ExcludeList2Page::Act_AddAppName2Execute() {
  AddPlaceholder(vstExclude_AppName2, L"AppName", L".exe", FilterRebuild::List2);
}

void ExcludeList2Page::Act_AddAppNameFromFolder2Execute() {
  AddFromOpenDialog(vstExclude_AppName2, FilterRebuild::List2);
}

void ExcludeList2Page::btnExcludeListReset2Click() {
  vstExclude_AppName2.Clear();
  swDontShowByApplicationFilename2.SetChecked(true);
  for (const wchar_t* name : kCaretApplications) AppendExclusion(vstExclude_AppName2, name);
  SavePages(FilterRebuild::List2);
}

void ExcludeList2Page::swDontShowByApplicationFilename2Click() {
  if (core::IsStarting || core::IsFillingExcludeList2) return;
  SavePages(FilterRebuild::List2);
}

}  // namespace settings_window
