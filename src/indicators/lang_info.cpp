#include "indicators/lang_info.h"

#include <algorithm>
#include <initializer_list>

#include "core/common.h"
#include "indicators/colors.h"
#include "monitor/main_window.h"
#include "monitor/globals.h"
#include "tray/data_module.h"
#include "ui/native_calls.h"
#include "ui/popup_menu.h"
#include "ui/text_measurer.h"

namespace indicators {

TfLangInfo::TfLangInfo() : IndicatorForm(true), m_format(ReadUserFormatSettings()) {
  Name = L"fLangInfo";
  SetColor(os::clBtnFace);
  SetFont({L"Segoe UI", Px(12), false, os::clWindowText});
  SetShowHint(true);
  if (tray::DM != nullptr) SetPopupMenu(&tray::DM->PopupMenu);
  SetBounds(0, 0, Px(531), Px(222));  // the design size; the main window and the pass size it

  // The frame: top and bottom span the width, left and right lie between them.
  for (ui::Panel* p : {&PanelBorderT, &PanelBorderB, &PanelBorderL, &PanelBorderR}) {
    p->SetColor(os::clBlack);
  }
  PanelBorderT.SetBounds(0, 0, Width(), Px(2));
  PanelBorderT.SetAlign(ui::Align::Top);
  PanelBorderB.SetBounds(0, 0, Width(), Px(2));
  PanelBorderB.SetAlign(ui::Align::Bottom);
  PanelBorderL.SetBounds(0, 0, Px(2), Height());
  PanelBorderL.SetAlign(ui::Align::Left);
  PanelBorderR.SetBounds(0, 0, Px(2), Height());
  PanelBorderR.SetAlign(ui::Align::Right);

  Panel_Caps_Nums.SetBounds(0, 0, Px(79), Height());
  Panel_Caps_Nums.SetAlign(ui::Align::Left);
  Panel_Caps_Nums.SetColor(os::clBtnFace);
  const ui::Font lamp{L"Segoe UI", Px(12), false, os::clBtnText};
  L_CAPS.SetFont(lamp);
  L_CAPS.SetBounds(Px(6), Px(2), Px(29), Px(15));
  L_CAPS.SetCaption(L"CAPS");
  L_NUM.SetFont(lamp);
  L_NUM.SetBounds(Px(43), Px(2), Px(28), Px(15));
  L_NUM.SetCaption(L"NUM");
  for (ui::Label* l : {&L_CAPS, &L_NUM}) l->SetAutoSize(true);
  Panel_CapsInd.SetBounds(Px(6), Px(17), Px(29), Px(4));
  Panel_CapsInd.SetColor(os::clGray);
  Panel_NumInd.SetBounds(Px(43), Px(17), Px(29), Px(4));
  Panel_NumInd.SetColor(os::clLime);

  L_Lang.SetFont({L"Segoe UI", Px(16), true, os::clBtnText});
  L_Lang.SetBounds(Px(85), Px(3), Px(58), Px(22));
  if (tray::DM != nullptr) L_Lang.SetImages(&tray::DM->IL_Flag25);

  Panel_Time.SetBounds(Px(304), Px(36), Px(80), Px(26));
  Panel_Time.SetColor(os::clBlack);
  Panel_Time.SetFont({L"Segoe UI", Px(16), true, clAquamarine});
  Panel_Time.SetCaption(L"20:55:59");
  Panel_Date.SetBounds(Px(304), Px(68), Px(160), Px(26));
  Panel_Date.SetColor(os::clBlack);
  Panel_Date.SetFont({L"Segoe UI", Px(16), true, clLightskyblue});
  Panel_Date.SetCaption(L"30 December 2024");

  PanelR.SetBounds(0, 0, Px(50), Height());
  PanelR.SetAlign(ui::Align::Right);
  PanelR.SetColor(os::clBtnFace);
  btnSettings.SetBounds(Px(1), 0, Px(23), Px(22));
  btnSettings.SetHint(L"Settings");
  btnMenu.SetBounds(Px(26), 0, Px(23), Px(22));
  btnMenu.SetHint(L"Tools");
  if (tray::DM != nullptr) {
    btnSettings.SetImages(&tray::DM->IL_16);
    btnMenu.SetImages(&tray::DM->IL_16);
    btnMenu.SetImageIndex(2);  // "category"
    btnMenu.SetPopupMenu(&tray::DM->PopupMenu);
  }
  btnSettings.OnClick = [this] { btnSettingsClick(); };
  btnMenu.OnClick = [this] { btnMenuClick(); };

  TimerTime.SetInterval(200);
  TimerTime.OnTimer = [this] { TimerTimeTimer(); };

  // The frame panels, Panel_Caps_Nums and PanelR do not drag.
  auto drag = [this](ui::MouseButton b, int x, int y) { FormMouseDown(b, x, y); };
  OnMouseDown = drag;
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &Panel_Time, &Panel_Date, &L_Lang, &L_CAPS, &L_NUM, &Panel_CapsInd, &Panel_NumInd}) {
    c->OnMouseDown = drag;
  }
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnAfterMonitorDpiChanged = [this](int, int) { FormAfterMonitorDpiChanged(); };
}

void TfLangInfo::FormCreate() {
  TimerTime.SetEnabled(true);
  LedOffColor = os::clGray;
  LedOnColor = os::clLime;
  btnSettings.SetImageIndex(3);  // "041"
}

void TfLangInfo::FormShow() {
  if (!core::IsCreatingIndicators) return;
  SetWindowPosNative(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfLangInfo::TimerTimeTimer() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  ShowClock(now);
}

void TfLangInfo::ShowClock(const SYSTEMTIME& now) {
  ShowWhole(Panel_Time, ClockText(now, m_format), Px(80));
  ShowWhole(Panel_Date, DateText(now, m_format), Px(160));
}

void TfLangInfo::ShowWhole(ui::Panel& panel, const std::wstring& text, int layoutWidth) {
  if (text == panel.Caption()) return;
  panel.SetCaption(text);
  // A long month name, or a wide font, outgrows the layout's width: the panel grows with it,
  // blanks included, and the monitoring pass widens the window by as much.
  panel.SetWidth(std::max(layoutWidth, ui::Measurer().Measure(text, panel.GetFont()).Width));
}

void TfLangInfo::btnSettingsClick() {
  if (monitor::fMain != nullptr) monitor::fMain->ShowMainWindow(false, 0);
}

void TfLangInfo::btnMenuClick() {
  if (tray::DM == nullptr) return;
  const os::Rect r = btnMenu.RectInForm();
  POINT at{r.Left, r.Top + btnMenu.Height()};
  ::ClientToScreen(Handle(), &at);
  tray::DM->PopupMenu.Popup(at.x, at.y);
}

void TfLangInfo::FormMouseDown(ui::MouseButton button, int, int) { DragOnLeftButton(button); }

void TfLangInfo::FormAfterMonitorDpiChanged() {
  if (monitor::fLangInfo) monitor::fLangInfo->SetHeight(core::Scale(30));
}

}  // namespace indicators
