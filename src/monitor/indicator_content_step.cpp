#include <algorithm>

#include "core/common.h"
#include "core/lang_colors.h"
#include "monitor/globals.h"
#include "monitor/indicator_steps.h"

namespace monitor {
namespace {

template <class Form>
void SetTransparency(Form& form, int value, bool on) {
  form.SetAlphaBlendValue(static_cast<BYTE>(value & 0xFF));
  form.SetAlphaBlend(on);
}

}  // namespace

void DesktopIndicatorStep(const PassValues& values) {
  using core::Scale;
  const auto& s = *core::Settings;
  auto& w = *fLangInfo;

  w.SetVisible(core::IsEnabled_AllIndicator && s.IsShowDesktopIndicator);

  // Keyed on the flag: a layout without a flag image leaves the previous language showing.
  if (values.FlagIndex != -1 && w.L_Lang.ImageIndex() != values.FlagIndex) {
    w.L_Lang.SetCaption(values.LanguageName);
    w.L_Lang.SetHint(values.CountryCode);
    w.L_Lang.SetImageIndex(values.FlagIndex);
  }

  // A negative thickness, which only a hand-edited file holds, draws no frame: taken as it is,
  // it made the panels inside taller than the window and overflowed at the int limit.
  const int frame = Scale(std::max(0, s.BorderWidth));
  w.PanelBorderL.SetWidth(frame);
  w.PanelBorderR.SetWidth(frame);
  w.PanelBorderT.SetHeight(frame);
  w.PanelBorderB.SetHeight(frame);
  // The right frame line stays at the window's right edge, outside PanelR.
  w.PanelBorderR.SetDockOutermost();

  SetTransparency(w, s.TransparentValue, s.IsTransparent);

  const int afterLang = w.L_Lang.Left() + w.L_Lang.Width() + Scale(4);
  const int panelTop = w.PanelBorderT.Height();
  const int panelHeight = w.Height() - 2 * w.PanelBorderT.Height();
  if (s.IsShowTime) {
    w.Panel_Time.SetBounds(afterLang, panelTop, w.Panel_Time.Width(), panelHeight);
    w.Panel_Time.SetVisible(true);
  } else {
    w.Panel_Time.SetVisible(false);
  }
  if (s.IsShowDate) {
    // Right after the clock, with no gap, or where the clock would be.
    const int left = s.IsShowTime ? w.Panel_Time.Left() + w.Panel_Time.Width() : afterLang;
    w.Panel_Date.SetBounds(left, panelTop, w.Panel_Date.Width(), panelHeight);
    w.Panel_Date.SetVisible(true);
  } else {
    w.Panel_Date.SetVisible(false);
  }

  w.Panel_Time.SetFontColor(s.Panel_Time_Font_Color);
  w.Panel_Time.SetColor(s.Panel_Time_Color);
  w.Panel_Date.SetFontColor(s.Panel_Date_Font_Color);
  w.Panel_Date.SetColor(s.Panel_Date_Color);
  // The lamps take these at the next pass's lock-key step.
  w.LedOffColor = s.Color_Led_Off;
  w.LedOnColor = s.Color_Led_On;

  os::TColor text = s.Color_Main_Font;
  if (s.IsColorsByLang) {
    w.SetColor(core::LangColorOrUS(s.SL_Lang_Color_Background, values.CountryCode));
    text = core::LangColorOrUS(s.SL_Lang_Color_Font, values.CountryCode);
  } else {
    w.SetColor(s.Color_Main_Background);
  }
  w.Panel_Caps_Nums.SetColor(w.Color());
  w.PanelR.SetColor(w.Color());
  w.L_CAPS.SetFontColor(text);
  w.L_NUM.SetFontColor(text);
  w.L_Lang.SetFontColor(text);

  w.L_Lang.SetBounds(w.L_Lang.Left(), w.PanelBorderT.Top() + w.PanelBorderT.Height(),
                     w.L_Lang.Width(), w.Height() - 2 * w.PanelBorderT.Height());

  w.btnSettings.SetTop(w.PanelR.Height() / 2 - w.btnSettings.Height() / 2);
  w.btnMenu.SetTop(w.PanelR.Height() / 2 - w.btnMenu.Height() / 2);

  // The 10 pixels after the clock and date are plain pixels.
  const int time = s.IsShowTime ? w.Panel_Time.Width() : 0;
  const int date = s.IsShowDate ? w.Panel_Date.Width() : 0;
  const int gap = s.IsShowTime || s.IsShowDate ? 10 : 0;
  w.SetWidth(w.L_Lang.Left() + w.L_Lang.Width() + time + date + gap + w.PanelR.Width());
}

void MouseIndicatorStep(const PassValues& values) {
  const auto& s = *core::Settings;
  auto& w = *fLangInfoMouse;

  // Also for a layout without a flag: the mouse indicator shows the new language without one.
  if (w.L_Lang.ImageIndex() != values.FlagIndex) {
    w.L_Lang.SetCaption(values.LanguageName);
    w.L_Lang.SetHint(values.CountryCode);
    w.L_Lang.SetImageIndex(values.FlagIndex);
  }

  if (s.MouseIndicator_IsColorsByLang) {
    w.SetColor(core::LangColorOrUS(s.MouseIndicator_SL_Lang_Color_Background, values.CountryCode));
    // No "US" fallback for the text: without an entry it keeps its colour.
    if (auto text = core::LangColor(s.MouseIndicator_SL_Lang_Color_Font, values.CountryCode)) {
      w.L_CAPS.SetFontColor(*text);
      w.L_NUM.SetFontColor(*text);
      w.L_Lang.SetFontColor(*text);
    }
  } else {
    w.SetColor(s.MouseIndicator_Color_Main_Background);
    w.L_CAPS.SetFontColor(s.MouseIndicator_Color_Main_Font);
    w.L_NUM.SetFontColor(s.MouseIndicator_Color_Main_Font);
    w.L_Lang.SetFontColor(s.MouseIndicator_Color_Main_Font);
  }
  // The inner panels have no colour of their own: they show the window's.
  for (ui::Panel* p : {&w.PanelMain, &w.PanelMainInfo, &w.Panel_Caps_Nums_Lang}) {
    p->SetColor(w.Color());
  }
  w.L_WindowClass.SetFontColor(w.L_Lang.GetFont().Color);
  w.L_AppName.SetFontColor(w.L_Lang.GetFont().Color);

  SetTransparency(w, s.MouseIndicator_TransparentValue, s.MouseIndicator_IsTransparent);

  // The lamps follow the settings page, as the desktop indicator's do; they take these at the
  // next pass's lock-key step.
  w.LedOffColor = s.MouseIndicator_Color_Led_Off;
  w.LedOnColor = s.MouseIndicator_Color_Led_On;
}

}  // namespace monitor
