#pragma once
// The desktop indicator: language code and flag, Caps and Num labels with their LED strips,
// clock and date, and the settings and tools buttons.
#include <string>

#include "indicators/clock_text.h"
#include "indicators/indicator_form.h"
#include "ui/image_label.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/speed_button.h"
#include "ui/timer.h"

namespace indicators {

class TfLangInfo : public IndicatorForm {
 public:
  TfLangInfo();

  ui::Panel PanelBorderT{this};
  ui::Panel PanelBorderB{this};
  ui::Panel PanelBorderL{this};
  ui::Panel PanelBorderR{this};
  ui::Panel Panel_Caps_Nums{this};
  ui::Label L_CAPS{&Panel_Caps_Nums};
  ui::Label L_NUM{&Panel_Caps_Nums};
  ui::Panel Panel_CapsInd{&Panel_Caps_Nums};
  ui::Panel Panel_NumInd{&Panel_Caps_Nums};
  ui::ImageLabel L_Lang{this};
  ui::Panel Panel_Time{this};
  ui::Panel Panel_Date{this};
  ui::Panel PanelR{this};
  ui::SpeedButton btnSettings{&PanelR};
  ui::SpeedButton btnMenu{&PanelR};
  ui::Timer TimerTime;

  os::TColor LedOffColor = os::clGray;
  os::TColor LedOnColor = os::clLime;

  void FormCreate();
  void FormShow();
  void TimerTimeTimer();
  // The clock and date texts of a moment.
  void ShowClock(const SYSTEMTIME& now);
  void btnSettingsClick();
  void btnMenuClick();
  void FormMouseDown(ui::MouseButton button, int x, int y);
  void FormAfterMonitorDpiChanged();

 private:
  // The text in the panel, which is never narrower than the layout's width nor than its text.
  void ShowWhole(ui::Panel& panel, const std::wstring& text, int layoutWidth);

  FormatSettings m_format;
};

}  // namespace indicators
