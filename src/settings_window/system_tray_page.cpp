#include "settings_window/system_tray_page.h"

#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "settings_window/page_saving.h"

namespace settings_window {

namespace {

constexpr int kModeCount = 7;
constexpr int kImageTops[kModeCount] = {52, 79, 105, 131, 157, 183, 209};

void MakeModeGroup(ui::RadioGroup& group, int left, int top, const PxFn& px) {
  group.SetFont(PageFont(px));
  group.SetBounds(px(left), px(top), px(198), px(200));
  group.SetShowFrame(false);
  // A blank caption keeps a caption's strip above the items, which puts each item's row beside
  // its two images.
  group.SetCaption(L" ");
  std::vector<std::wstring> items;
  for (int i = 1; i <= kModeCount; ++i) items.push_back(L"Mode " + std::to_wstring(i));
  group.SetItems(std::move(items));
}

void MakeModeImages(std::vector<std::unique_ptr<ui::ImageLabel>>& images, ui::Control& page,
                    int left, const ui::ImageSource& list, const PxFn& px) {
  for (int mode = 0; mode < kModeCount; ++mode) {
    for (int column = 0; column < 2; ++column) {
      auto image = std::make_unique<ui::ImageLabel>(&page);
      image->SetBounds(px(left + 22 * column), px(kImageTops[mode]), px(22), px(27));
      image->SetImages(&list);
      image->SetImageIndex(column == 0 ? 0 : mode + 1);
      images.push_back(std::move(image));
    }
  }
}

}  // namespace

void SystemTrayPage::LayoutSystemTrayPage(const PxFn& px, const ui::ImageSource& capsImages,
                                          const ui::ImageSource& numLockImages) {
  MakePage(Panel_SystemTrayIndicator, px);
  MakeResetBar(PanelBottom_SystemTray, btnSystemTrayIndicatorReset, px);
  PlaceSwitch(sw_TrayShowCapsLockIndicator, &L_ShowCapsLockIndicator, 13, 11, px, 190);
  PlaceSwitch(sw_TrayShowNumLockIndicator, &L_ShowNumLockIndicator, 255, 11, px, 190);
  MakeModeGroup(grTray_CAPS_Mode, 12, 39, px);
  MakeModeGroup(grTray_NumLock_Mode, 254, 39, px);
  MakeModeImages(CapsModeImages, Panel_SystemTrayIndicator, 103, capsImages, px);
  MakeModeImages(NumLockModeImages, Panel_SystemTrayIndicator, 345, numLockImages, px);

  sw_TrayShowCapsLockIndicator.OnClick = [this] { sw_TrayShowCapsLockIndicatorClick(); };
  sw_TrayShowNumLockIndicator.OnClick = [this] { sw_TrayShowCapsLockIndicatorClick(); };
  grTray_CAPS_Mode.OnClick = [this] { sw_TrayShowCapsLockIndicatorClick(); };
  grTray_NumLock_Mode.OnClick = [this] { sw_TrayShowCapsLockIndicatorClick(); };
  btnSystemTrayIndicatorReset.OnClick = [this] { btnSystemTrayIndicatorResetClick(); };
}

void SystemTrayPage::sw_TrayShowCapsLockIndicatorClick() {
  if (core::IsFillingSystemTray) return;
  if (!SavePages()) return;
  // The mode's "on" image at once; the next full monitoring pass shows the key's real state.
  const core::TSettings& s = *core::Settings;
  monitor::TfMain& main = *monitor::fMain;
  main.TrayIcon_CAPS.SetVisible(s.SystemTrayIndicator_IsShowCapsLockIndicator);
  main.TrayIcon_CAPS.SetIconIndex(s.SystemTrayIndicator_CapsLockIndicatorMode + 1);
  main.TrayIcon_NumLock.SetVisible(s.SystemTrayIndicator_IsShowNumLockIndicator);
  main.TrayIcon_NumLock.SetIconIndex(s.SystemTrayIndicator_NumLockIndicatorMode + 1);
}

void SystemTrayPage::btnSystemTrayIndicatorResetClick() {
  sw_TrayShowCapsLockIndicator.SetChecked(true);
  sw_TrayShowNumLockIndicator.SetChecked(true);
  grTray_CAPS_Mode.SetItemIndex(1);
  grTray_NumLock_Mode.SetItemIndex(4);
  SavePages();
}

}  // namespace settings_window
