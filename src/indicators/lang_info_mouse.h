#pragma once
// The mouse indicator: follows the pointer with the language code and flag, optionally the Caps
// and Num labels, the window class and program under the pointer, and a clock.
#include "indicators/clock_text.h"
#include "indicators/indicator_form.h"
#include "ui/image_label.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/timer.h"

namespace indicators {

class TfLangInfoMouse : public IndicatorForm {
 public:
  TfLangInfoMouse();

  ui::Panel PanelBorderT{this};
  ui::Panel PanelBorderB{this};
  ui::Panel PanelBorderL{this};
  ui::Panel PanelBorderR{this};
  ui::Panel PanelMain{this};
  ui::Panel PanelMainInfo{&PanelMain};
  ui::Panel Panel_Caps_Nums_Lang{&PanelMainInfo};
  ui::Label L_CAPS{&Panel_Caps_Nums_Lang};
  ui::Label L_NUM{&Panel_Caps_Nums_Lang};
  ui::Panel Panel_CapsInd{&Panel_Caps_Nums_Lang};
  ui::Panel Panel_NumInd{&Panel_Caps_Nums_Lang};
  ui::ImageLabel L_Lang{&Panel_Caps_Nums_Lang};
  ui::Label L_WindowClass{&PanelMainInfo};
  ui::Label L_AppName{&PanelMainInfo};
  ui::Label L_Time{&PanelMainInfo};
  ui::Timer TimerTime;
  ui::Timer TimerAutoHide;

  os::TColor LedOffColor = os::clGray;
  os::TColor LedOnColor = os::clLime;

  void FormCreate();
  void FormShow();
  void TimerTimeTimer();
  void TimerAutoHideTimer();
  void FormMouseDown(ui::MouseButton button, int x, int y);
  void FormAfterMonitorDpiChanged();

 private:
  FormatSettings m_format;
};

}  // namespace indicators
