#include "settings_window/rgb_lighting_page.h"

#include "backlight/status_label.h"
#include "core/common.h"
#include "settings_window/page_saving.h"

namespace settings_window {

void RgbLightingPage::LayoutRgbLightingPage(const PxFn& px) {
  MakePage(Panel_RGBLighting, px);
  MakeSettingsPanel(PanelSettings_RGB, 150, px);
  MakeLanguageTree(vstLang_RGB, 250, L"Keyboard Color", nullptr, px);
  PlaceSwitch(swChangeRGB_KeyboardLogitech, &L_ChangeRGB_KeyboardLogitech, 8, 14, px, 500);
  PlaceLabel(L_ChangeRGB_KeyboardLogitech2, 8, 46, 600, px);
  PlaceLabel(L_ChangeRGB_KeyboardLogitech3, 8, 68, 600, px);
  L_ChangeRGB_KeyboardLogitech3.SetFontColor(clHotLight);
  PlaceLabel(L_LogitechSDK, 8, 104, 600, px, 18, true);
  swChangeRGB_KeyboardLogitech.OnClick = [this] { swChangeRGB_KeyboardLogitechClick(); };
  // The backlight's start-up task reports its progress here, through the UI thread.
  backlight::SetStatusSink([this](const std::wstring& text) { L_LogitechSDK.SetCaption(text); });
}

RgbLightingPage::~RgbLightingPage() { backlight::SetStatusSink(nullptr); }

void RgbLightingPage::swChangeRGB_KeyboardLogitechClick() {
  if (core::IsFillingRGBLighting) return;
  SavePages();
}

}  // namespace settings_window
