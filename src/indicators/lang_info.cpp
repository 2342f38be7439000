#include "indicators/lang_info.h"

#include <cstdio>

#include "core/common.h"

namespace indicators {

TfLangInfo::TfLangInfo() : IndicatorForm(true) {
  Name = L"fLangInfo";
  SetColor(os::clBtnFace);
  SetFont({L"Segoe UI", Px(12), false, os::clWindowText});
  SetBounds(0, 0, Px(531), Px(222));  // the design size; the monitoring pass sizes it

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
  const ui::Font lamp{L"Segoe UI", Px(12), false, os::clBtnText};
  L_CAPS.SetFont(lamp);
  L_CAPS.SetCaption(L"CAPS");
  L_CAPS.SetBounds(Px(6), Px(2), Px(29), Px(15));
  L_NUM.SetFont(lamp);
  L_NUM.SetCaption(L"NUM");
  L_NUM.SetBounds(Px(43), Px(2), Px(28), Px(15));
  Panel_CapsInd.SetBounds(Px(6), Px(17), Px(29), Px(4));
  Panel_CapsInd.SetColor(os::clGray);
  Panel_NumInd.SetBounds(Px(43), Px(17), Px(29), Px(4));
  Panel_NumInd.SetColor(os::clLime);

  L_Lang.SetFont({L"Segoe UI", Px(16), true, os::clBtnText});
  L_Lang.SetBounds(Px(85), Px(3), Px(58), Px(22));
  L_Lang.SetAlignment(DT_CENTER | DT_VCENTER);

  Panel_Time.SetBounds(Px(304), Px(36), Px(80), Px(26));
  Panel_Time.SetColor(os::clBlack);
  Panel_Time.SetFont({L"Segoe UI", Px(16), true, 0xD4FF7F});  // aquamarine
  Panel_Time.SetCaption(L"20:55:59");
  Panel_Date.SetBounds(Px(304), Px(68), Px(160), Px(26));
  Panel_Date.SetColor(os::clBlack);
  Panel_Date.SetFont({L"Segoe UI", Px(16), true, 0xFACE87});  // light sky blue
  Panel_Date.SetCaption(L"30 December 2024");

  PanelR.SetBounds(0, 0, Px(50), Height());
  PanelR.SetAlign(ui::Align::Right);

  TimerTime.SetInterval(200);
  TimerTime.OnTimer = [this] { TimerTimeTimer(); };

  auto drag = [this](ui::MouseButton b, int x, int y) { FormMouseDown(b, x, y); };
  OnMouseDown = drag;
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &Panel_Time, &Panel_Date, &L_Lang, &L_CAPS, &L_NUM, &Panel_CapsInd, &Panel_NumInd}) {
    c->OnMouseDown = drag;
  }
  OnCreate = [this] { FormCreate(); };
  OnAfterMonitorDpiChanged = [this](int, int) { FormAfterMonitorDpiChanged(); };
}

void TfLangInfo::FormCreate() {
  TimerTime.SetEnabled(true);
  LedOffColor = os::clGray;
  LedOnColor = os::clLime;
}

std::wstring ClockText(const SYSTEMTIME& t) {
  wchar_t sep[8] = L":";
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, sep, 8) == 0) sep[0] = L':', sep[1] = 0;
  wchar_t buffer[48];
  std::swprintf(buffer, 48, L" %02u%ls%02u%ls%02u ", t.wHour, sep, t.wMinute, sep, t.wSecond);
  return buffer;
}

std::wstring DateText(const SYSTEMTIME& t) {
  wchar_t buffer[80];
  if (::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, L"d MMMM yyyy", buffer, 80, nullptr) == 0) {
    std::swprintf(buffer, 80, L"%u.%02u.%u", t.wDay, t.wMonth, t.wYear);
  }
  return L" " + std::wstring(buffer) + L" ";
}

void TfLangInfo::TimerTimeTimer() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  Panel_Time.SetCaption(ClockText(now));
  Panel_Date.SetCaption(DateText(now));
}

void TfLangInfo::FormMouseDown(ui::MouseButton button, int, int) { DragOnLeftButton(button); }

void TfLangInfo::FormAfterMonitorDpiChanged() { SetHeight(core::Scale(30)); }

}  // namespace indicators
