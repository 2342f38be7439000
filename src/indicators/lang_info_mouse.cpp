#include "indicators/lang_info_mouse.h"

#include <initializer_list>

#include "core/common.h"
#include "indicators/colors.h"
#include "monitor/globals.h"
#include "tray/data_module.h"

namespace indicators {

TfLangInfoMouse::TfLangInfoMouse() : IndicatorForm(true), m_format(ReadUserFormatSettings()) {
  Name = L"fLangInfoMouse";
  SetColor(clCream);
  SetFont({L"Segoe UI", Px(11), false, os::clWindowText});
  SetBounds(0, 0, Px(316), Px(369));  // the design size; the main window and the hook size it

  for (ui::Panel* p : {&PanelBorderT, &PanelBorderB, &PanelBorderL, &PanelBorderR}) {
    p->SetColor(os::clBlack);
  }
  PanelBorderT.SetBounds(0, 0, Width(), Px(4));
  PanelBorderT.SetAlign(ui::Align::Top);
  PanelBorderB.SetBounds(0, 0, Width(), Px(10));
  PanelBorderB.SetAlign(ui::Align::Bottom);
  PanelBorderL.SetBounds(0, 0, Px(6), Height());
  PanelBorderL.SetAlign(ui::Align::Left);
  PanelBorderR.SetBounds(0, 0, Px(6), Height());
  PanelBorderR.SetAlign(ui::Align::Right);

  // The panels take the form's colour until the pass colours them.
  for (ui::Panel* p : {&PanelMain, &PanelMainInfo, &Panel_Caps_Nums_Lang}) p->SetColor(clCream);
  PanelMain.SetBounds(Px(12), Px(22), Px(271), Px(165));
  PanelMainInfo.SetAlign(ui::Align::Client);
  Panel_Caps_Nums_Lang.SetBounds(0, 0, Px(66), PanelMainInfo.Height());
  Panel_Caps_Nums_Lang.SetAlign(ui::Align::Left);

  const ui::Font small{L"Segoe UI", Px(11), false, os::clWindowText};
  L_CAPS.SetFont(small);
  L_CAPS.SetBounds(Px(2), 0, Px(26), Px(13));
  L_CAPS.SetCaption(L"CAPS");
  L_NUM.SetFont(small);
  L_NUM.SetBounds(Px(35), 0, Px(26), Px(13));
  L_NUM.SetCaption(L"NUM");
  for (ui::Label* l : {&L_CAPS, &L_NUM}) l->SetAutoSize(true);
  Panel_CapsInd.SetBounds(Px(2), Px(15), Px(29), Px(4));
  Panel_CapsInd.SetColor(os::clGray);
  Panel_NumInd.SetBounds(Px(34), Px(15), Px(29), Px(4));
  Panel_NumInd.SetColor(os::clLime);

  L_Lang.SetFont({L"Segoe UI", Px(11), true, os::clBlack});
  L_Lang.SetBounds(Px(5), Px(20), Px(54), Px(17));
  if (tray::DM != nullptr) L_Lang.SetImages(&tray::DM->IL_Flag16);

  const ui::Font info{L"Segoe UI", Px(11), true, os::clWindowText};
  L_WindowClass.SetFont(info);
  L_WindowClass.SetBounds(Px(73), Px(2), Px(81), Px(13));
  L_AppName.SetFont(info);
  L_AppName.SetBounds(Px(73), Px(15), Px(64), Px(13));
  L_Time.SetTransparent(false);
  L_Time.SetColor(os::clBlack);
  L_Time.SetFont({L"Segoe UI", Px(15), true, clLightskyblue});
  L_Time.SetBounds(Px(73), Px(31), Px(49), Px(20));
  // These three size themselves to their text; the hook reads their widths.
  for (ui::Label* l : {&L_WindowClass, &L_AppName, &L_Time}) l->SetAutoSize(true);

  TimerTime.SetInterval(200);
  TimerTime.OnTimer = [this] { TimerTimeTimer(); };
  TimerAutoHide.SetInterval(3000);
  TimerAutoHide.OnTimer = [this] { TimerAutoHideTimer(); };

  // PanelMain and the frame panels do not drag.
  auto drag = [this](ui::MouseButton b, int x, int y) { FormMouseDown(b, x, y); };
  OnMouseDown = drag;
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &PanelMainInfo, &Panel_Caps_Nums_Lang, &L_CAPS, &L_NUM, &Panel_CapsInd, &Panel_NumInd,
           &L_Lang, &L_WindowClass, &L_AppName, &L_Time}) {
    c->OnMouseDown = drag;
  }
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnAfterMonitorDpiChanged = [this](int, int) { FormAfterMonitorDpiChanged(); };
}

void TfLangInfoMouse::FormCreate() {
  PanelMain.SetAlign(ui::Align::Client);
  L_AppName.SetCaption(L"");
  L_WindowClass.SetCaption(L"");
  TimerTime.SetEnabled(true);
  LedOffColor = os::clGray;
  LedOnColor = os::clLime;
}

void TfLangInfoMouse::FormShow() {
  using core::Scale;
  PanelBorderT.SetHeight(Scale(1));
  PanelBorderB.SetHeight(Scale(1));
  PanelBorderL.SetWidth(Scale(1));
  PanelBorderR.SetWidth(Scale(1));
  SetWindowPosNative(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Panel_Caps_Nums_Lang.SetAlign(ui::Align::None);
  Panel_Caps_Nums_Lang.SetBounds(PanelBorderL.Width(), PanelBorderT.Height(),
                                 Panel_Caps_Nums_Lang.Width(),
                                 Height() - PanelBorderT.Height() - PanelBorderB.Height());
  L_WindowClass.SetTop(PanelBorderT.Height());
  L_AppName.SetTop(L_WindowClass.Top() + L_WindowClass.Height());
  L_Time.SetTop(L_AppName.Top() + L_AppName.Height());
}

void TfLangInfoMouse::TimerTimeTimer() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  L_Time.SetCaption(ClockText(now, m_format));
}

void TfLangInfoMouse::TimerAutoHideTimer() {
  TimerAutoHide.SetEnabled(false);
  if (monitor::fLangInfoMouse.get() != this) return;
  // Hidden natively: for the rest of the program the form stays visible, and the hook shows
  // it again on the next pointer move.
  SetWindowPosNative(HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW |
                         SWP_NOOWNERZORDER);
  Tag = 1;
}

void TfLangInfoMouse::FormMouseDown(ui::MouseButton button, int, int) {
  DragOnLeftButton(button);
}

void TfLangInfoMouse::FormAfterMonitorDpiChanged() {
  if (monitor::fLangInfoMouse) monitor::fLangInfoMouse->SetHeight(core::Scale(40));
}

}  // namespace indicators
