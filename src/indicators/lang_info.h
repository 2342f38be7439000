#pragma once
// The desktop indicator: language code and flag, Caps and Num lamps, clock and date.
#include "indicators/indicator_form.h"
#include "ui/label.h"
#include "ui/panel.h"
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
  ui::Label L_Lang{this};
  ui::Panel Panel_Time{this};
  ui::Panel Panel_Date{this};
  ui::Panel PanelR{this};
  ui::Timer TimerTime;

  os::TColor LedOffColor = os::clGray;
  os::TColor LedOnColor = os::clLime;

  void FormCreate();
  void TimerTimeTimer();
  void FormMouseDown(ui::MouseButton button, int x, int y);
  void FormAfterMonitorDpiChanged();
};

// The clock ("hh:nn:ss" with the user's time separator) and date ("d mmmm yyyy" with the user's
// month names) texts, each with one blank before and after.
std::wstring ClockText(const SYSTEMTIME& t);
std::wstring DateText(const SYSTEMTIME& t);

}  // namespace indicators
