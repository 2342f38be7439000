#include "monitor/main_window.h"

#include "backlight/keyboard_step.h"
#include "backlight/led_state.h"
#include "core/common.h"
#include "core/settings_start.h"
#include "monitor/globals.h"
#include "monitor/mouse_hook.h"
#include "monitor/set_form_top_most.h"
#include "os/error.h"
#include "os/system.h"
#include "os/text.h"
#include "tray/data_module.h"
#include "ui/application.h"
#include "ui/resource.h"
#include "window_tree/win_tree.h"

namespace monitor {

TfMain::TfMain() {
  Name = L"fMain";
  SetCaption(L"Halvarin");
  SetBorderStyle(ui::BorderStyle::Sizeable);
  SetSystemButtons(true, false);
  SetKeyPreview(true);
  SetConstraints(Px(850), Px(600));
  SetFont({L"Tahoma", Px(13), false, os::clWindowText});
  SetClientSize(Px(1153), Px(611));

  PanelTop.SetBounds(0, 0, ClientWidth(), Px(55));
  PanelTop.SetAlign(ui::Align::Top);
  L_ProgramTitle.SetBounds(0, 0, ClientWidth(), Px(33));
  L_ProgramTitle.SetAlign(ui::Align::Top);
  L_ProgramTitle.SetFont({L"Tahoma", Px(27), false, os::clWindowText});
  L_ProgramTitle.SetAlignment(DT_CENTER);
  L_ProgramVersion.SetBounds(0, 0, ClientWidth(), Px(16));
  L_ProgramVersion.SetAlign(ui::Align::Top);
  L_ProgramVersion.SetFont({L"Tahoma", Px(13), false, os::clWindowText});
  L_ProgramVersion.SetAlignment(DT_CENTER);
  PanelBottom.SetBounds(0, 0, ClientWidth(), Px(34));
  PanelBottom.SetAlign(ui::Align::Bottom);
  PanelLeft.SetBounds(0, 0, Px(210), ClientHeight());
  PanelLeft.SetAlign(ui::Align::Left);
  PanelTabs.SetAlign(ui::Align::Client);
  Panel_Common.SetAlign(ui::Align::Client);

  // Switches of the first page with their labels beside them.
  const ui::Font text{L"Tahoma", Px(13), false, os::clWindowText};
  auto place = [&](ui::Switch& sw, ui::Label& label, int left, int top, const wchar_t* caption) {
    sw.SetBounds(Px(left), Px(top), Px(40), Px(18));
    label.SetBounds(Px(left + 46), Px(top), Px(640), Px(18));
    label.SetFont(text);
    label.SetAlignment(DT_LEFT | DT_VCENTER);
    label.SetCaption(caption);
    label.OnClick = [&sw] { sw.Click(); };
  };
  place(swAutorun, L_Autorun, 6, 7, L"Autorun on Windows Start");
  place(swMinimizedOnStart, L_MinimizedOnStart, 6, 34, L"Minimize On Start");
  place(swMinimizedOnClose, L_MinimizedOnClose, 6, 61, L"Minimize On Close");
  place(swMinimizedToTray, L_MinimizedToTray, 43, 87, L"Minimize To System Tray");
  place(swMinimizedOnEsc, L_MinimizedOnEsc, 6, 114, L"Minimize On [Escape] Key");
  place(swEnabled_MouseIndicator, L_Enabled_MouseIndicator, 43, 176, L"Enabled - Mouse Indicator");
  place(swEnabled_AllIndicator, L_Enabled_AllIndicators, 43, 204, L"Enabled - All Indicators");
  Bevel_Common.SetBounds(Px(6), Px(148), Px(700), 1);
  Bevel_Common.SetColor(os::clGray);
  L_TemporaryHide.SetBounds(Px(7), Px(155), Px(600), Px(18));
  L_TemporaryHide.SetFont({L"Tahoma", Px(13), true, os::clWindowText});
  L_TemporaryHide.SetCaption(L"If you need Temporary Hide Indicators:");
  swEnabled_MouseIndicator.SetChecked(true);
  swEnabled_AllIndicator.SetChecked(true);
  swEnabled_MouseIndicator.OnClick = [this] { swEnabled_MouseIndicatorClick(); };
  swEnabled_AllIndicator.OnClick = [this] { swEnabled_AllIndicatorClick(); };
  swMinimizedOnClose.SetChecked(true);
  swMinimizedToTray.SetChecked(true);
  swMinimizedOnEsc.SetChecked(true);

  TimerStart.SetInterval(300);
  TimerStart.OnTimer = [this] { TimerStartTimer(); };
  TimerUpdate.SetInterval(60000);

  CreateTrayIcons();

  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  OnClose = [this](ui::CloseAction& action) { FormClose(action); };
  OnDestroy = [this] { FormDestroy(); };
  OnKeyDown = [this](WORD& key) { FormKeyDown(key); };
  OnAfterMonitorDpiChanged = [this](int, int) { FormAfterMonitorDpiChanged(); };
  ui::App().OnMinimize = [this] { ApplicationEventsMinimize(); };
}

namespace {
constexpr ui::NamedResource kTrayImages[] = {
#include "generated/tray_icon_names.inc"
};
}  // namespace

void TfMain::CreateTrayIcons() {
  for (const auto& image : kTrayImages) {
    const bool caps = std::wstring_view(image.Resource).find(L"CAPS") != std::wstring_view::npos;
    (caps ? IL_Tray_A : IL_Tray_NumLock).AddFromResource(image.Resource, image.Name);
  }
  ui::PopupMenu* menu = tray::DM != nullptr ? &tray::DM->PopupMenu : nullptr;
  TrayIcon.Name = L"TrayIcon";
  TrayIcon.SetHint(L"Halvarin");
  if (tray::DM != nullptr) TrayIcon.SetImages(&tray::DM->IL_Flag16);
  TrayIcon.SetPopupMenu(menu);
  TrayIcon_CAPS.Name = L"TrayIcon_CAPS";
  TrayIcon_CAPS.SetHint(L"Caps Lock");
  TrayIcon_CAPS.SetImages(&IL_Tray_A);
  TrayIcon_CAPS.SetIconIndex(1);
  TrayIcon_CAPS.SetPopupMenu(menu);
  TrayIcon_NumLock.Name = L"TrayIcon_NumLock";
  TrayIcon_NumLock.SetHint(L"Num Lock");
  TrayIcon_NumLock.SetImages(&IL_Tray_NumLock);
  TrayIcon_NumLock.SetIconIndex(1);
  TrayIcon_NumLock.SetPopupMenu(menu);
  for (ui::TrayIcon* icon : {&TrayIcon, &TrayIcon_CAPS, &TrayIcon_NumLock}) {
    icon->OnClick = [this] { TrayIconClick(); };
  }
  TrayIcon_CAPS.SetVisible(true);
  TrayIcon_NumLock.SetVisible(true);
}

void TfMain::FormCreate() {
  using namespace core;
  auto& sys = os::Sys();
  fMain = this;

  SetWidth(900);  // a plain pixel width, not scaled

  CaretX = 0;
  CaretY = 0;
  IsFirstShowDone = false;
  IsFillingDesktopIndicator = IsFillingDesktopBorder = IsFillingSystemTray = false;
  IsFillingMouseIndicator = IsFillingExcludeList = IsFillingCaretIndicator = false;
  IsEnabled_MouseIndicator = true;
  IsEnabled_AllIndicator = true;

  ScreenDPI = sys.ScreenPixelsPerInch();

  PerfFrequency = sys.PerformanceFrequency();
  NowStamp = LastPassStamp = LastToggleStamp = sys.PerformanceCounter();
  // Not loaded, no attempt running, the vendor software not looked for yet; the first attempt
  // may start 2 s after this moment.
  backlight::ResetLedState(NowStamp);

  FilterWindowClass = std::make_unique<TStringList>();
  FilterAppFileName = std::make_unique<TStringList>();
  FilterAppFileName2 = std::make_unique<TStringList>();

  CreateIndicators();

  Settings = std::make_unique<TSettings>();
  LoadSettings();

  fLangInfo->SetAlphaBlendValue(static_cast<BYTE>(Settings->TransparentValue & 0xFF));
  fLangInfo->SetAlphaBlend(Settings->IsTransparent);
  fLangInfo->SetVisible(Settings->IsShowDesktopIndicator);

  SetLanguage(L"English");
  ApplyLanguage();
  // An unreadable layout list is reported, and the start goes on without flags.
  try {
    FillFlagImages();
  } catch (...) {
    ui::App().HandleException();
  }
  Settings->BuildFilterLists();
  Settings->BuildFilterList2();

  L_ProgramTitle.SetCaption(L"Halvarin");
  L_ProgramVersion.SetCaption(kProgramVersion);

  if (auto exists = sys.CurrentUserValueExists(kAutorunKey, L"Halvarin")) {
    swAutorun.SetChecked(*exists);
  }

  TimerStart.SetEnabled(true);
  IsStarting = false;
}

namespace {

template <class T>
ui::Owned<T> CreateIndicator() {
  ui::Owned<T> form(new T());
  form->DoCreate();
  return form;
}

// The four lines along the edges of a rectangle, Scale(2) thick, red until the pass colours them.
// Each is sized across first, then placed, then sized along the edge, as the pass does it.
void PlaceBorders(indicators::TfDesktopBorder& l, indicators::TfDesktopBorder& r,
                  indicators::TfDesktopBorder& t, indicators::TfDesktopBorder& b,
                  const os::Rect& area) {
  const int thickness = core::Scale(2);
  l.SetWidth(thickness);
  l.SetLeft(area.Left);
  l.SetTop(area.Top);
  l.SetHeight(area.Height());
  l.SetColor(os::clRed);
  r.SetWidth(thickness);
  r.SetLeft(area.Left + area.Width() - r.Width());
  r.SetTop(area.Top);
  r.SetHeight(area.Height());
  r.SetColor(os::clRed);
  t.SetHeight(thickness);
  t.SetLeft(area.Left);
  t.SetTop(area.Top);
  t.SetWidth(area.Width());
  t.SetColor(os::clRed);
  b.SetHeight(thickness);
  b.SetLeft(area.Left);
  b.SetTop(area.Top + area.Height() - b.Height());
  b.SetWidth(area.Width());
  b.SetColor(os::clRed);
}

}  // namespace

void TfMain::CreateIndicators() {
  using core::Scale;
  using indicators::TfDesktopBorder;
  auto& sys = os::Sys();
  // While the flag is set the windows made here are unowned tool windows.
  core::IsCreatingIndicators = true;
  try {
    const os::Rect monitor = sys.PrimaryMonitorRect();
    fLangInfo = CreateIndicator<indicators::TfLangInfo>();
    fLangInfo->SetHeight(Scale(30));
    fLangInfo->SetTop(5);
    fLangInfo->SetLeft(monitor.Left + monitor.Width() / 2);
    fLangInfo->L_Lang.SetTop(fLangInfo->PanelBorderT.Height());
    fLangInfo->L_Lang.SetHeight(fLangInfo->Height() - fLangInfo->PanelBorderT.Height() -
                                fLangInfo->PanelBorderB.Height());
    SetFormTopMost(*fLangInfo, true);

    fLangInfoMouse = CreateIndicator<indicators::TfLangInfoMouse>();
    fLangInfoMouse->SetHeight(Scale(40));
    fLangInfoMouse->SetWidth(Scale(70));
    fLangInfoMouse->L_Time.SetVisible(false);
    const os::Point pointer = sys.CursorPos();
    fLangInfoMouse->SetLeft(pointer.X + 20);
    fLangInfoMouse->SetTop(pointer.Y - fLangInfoMouse->Height());
    fLangInfoMouse->SetAlphaBlendValue(255);
    fLangInfoMouse->SetAlphaBlend(true);
    fLangInfoMouse->SetVisible(false);

    fLangInfoCaret = CreateIndicator<indicators::TfLangInfoCaret>();
    fLangInfoCaret->SetHeight(Scale(18));  // replaces the Scale(20) of its own creation
    fLangInfoCaret->SetWidth(fLangInfoCaret->L_NUM.Left() + fLangInfoCaret->L_NUM.Width() +
                             Scale(4));
    fLangInfoCaret->SetLeft(20);
    fLangInfoCaret->SetTop(20);
    fLangInfoCaret->SetAlphaBlendValue(220);
    fLangInfoCaret->SetAlphaBlend(true);
    // Its window is made here too: the caret indicator is an unowned tool window whenever it is
    // made, and the first pass that shows it then has nothing to create.
    fLangInfoCaret->Handle();
    SetFormTopMost(*fLangInfoMouse, true);

    fWorkareaBorderL = CreateIndicator<TfDesktopBorder>();
    fWorkareaBorderR = CreateIndicator<TfDesktopBorder>();
    fWorkareaBorderT = CreateIndicator<TfDesktopBorder>();
    fWorkareaBorderB = CreateIndicator<TfDesktopBorder>();
    PlaceBorders(*fWorkareaBorderL, *fWorkareaBorderR, *fWorkareaBorderT, *fWorkareaBorderB,
                 sys.PrimaryWorkArea());
    for (auto* b : {&fWorkareaBorderL, &fWorkareaBorderR, &fWorkareaBorderT, &fWorkareaBorderB}) {
      SetFormTopMost(**b, true);
    }

    const os::Rect taskbar = sys.TaskbarWindowRect();
    fTaskbarBorderL = CreateIndicator<TfDesktopBorder>();
    fTaskbarBorderR = CreateIndicator<TfDesktopBorder>();
    fTaskbarBorderT = CreateIndicator<TfDesktopBorder>();
    fTaskbarBorderB = CreateIndicator<TfDesktopBorder>();
    PlaceBorders(*fTaskbarBorderL, *fTaskbarBorderR, *fTaskbarBorderT, *fTaskbarBorderB, taskbar);
    for (auto* b : {&fTaskbarBorderL, &fTaskbarBorderR, &fTaskbarBorderT, &fTaskbarBorderB}) {
      SetFormTopMost(**b, true);
    }
  } catch (...) {
    core::IsCreatingIndicators = false;
    throw;
  }
  core::IsCreatingIndicators = false;
}

void TfMain::DestroyIndicators() {
  fLangInfo.reset();
  fLangInfoMouse.reset();
  fLangInfoCaret.reset();
  window_tree::fWinTree.reset();
  for (auto* b : {&fWorkareaBorderL, &fWorkareaBorderR, &fWorkareaBorderT, &fWorkareaBorderB,
                  &fTaskbarBorderL, &fTaskbarBorderR, &fTaskbarBorderT, &fTaskbarBorderB}) {
    b->reset();
  }
}

void TfMain::LoadSettings() {
  // An unreadable file is reported and kept (see core/settings_start.h).
  core::LoadSettingsAtStart(*core::Settings, core::FileSettings, *this);
}

void TfMain::FormShow() {
  if (IsFirstShowDone) return;
  // The pages are filled from Settings here once they exist.
  IsFirstShowDone = true;
}

void TfMain::TimerStartTimer() {
  TimerStart.SetEnabled(false);
  if (fLangInfo) fLangInfo->Show();
  if (fLangInfoMouse) fLangInfoMouse->Show();
  TrayIcon.SetVisible(true);
  core::LastCaretPoint = {0, 0};
  if (fLangInfoCaret) {
    fLangInfoCaret->TriggerStamp = os::Sys().PerformanceCounter();
    fLangInfoCaret->Tag = 0;
  }
  DetectKeysStatus();
  InstallMouseHook();
  ui::App().OnIdle = [this] { ApplicationIdle(); };
  m_monitoringStarted = true;
  if (swMinimizedOnStart.Checked()) {
    if (swMinimizedToTray.Checked()) {
      HideToTray();
    } else {
      ui::App().Minimize();
    }
  }
  TimerUpdate.SetEnabled(true);
}

void TfMain::ApplicationIdle() { DetectKeysStatus(); }

void TfMain::FormClose(ui::CloseAction&) { SaveSettingsReporting(); }

void TfMain::SaveSettingsReporting() {
  // A failed save is reported, and the program goes on all the same.
  try {
    if (core::Settings) core::Settings->Save(core::FileSettings, *this);
  } catch (...) {
    ui::App().HandleException();
  }
}

void TfMain::FormAfterMonitorDpiChanged() {}

void TfMain::FormDestroy() {
  using namespace core;
  ui::App().OnIdle = nullptr;
  RemoveMouseHook();
  m_monitoringStarted = false;
  DestroyIndicators();
  Settings.reset();
  FilterWindowClass.reset();
  FilterAppFileName.reset();
  FilterAppFileName2.reset();
  LangTable.reset();
  CurrentLanguageName.clear();
  // Ends a waiting attempt first, and unloads the library only once no attempt can call it.
  backlight::Shutdown();
  if (fMain == this) fMain = nullptr;
}

void TfMain::StopMonitoring() {
  ui::App().OnIdle = nullptr;
  TrayIcon.SetVisible(false);
  RemoveMouseHook();
}

void TfMain::ResumeMonitoring() {
  // Before the start-up timer has run there is nothing to resume: it starts the monitoring.
  if (!m_monitoringStarted) return;
  ui::App().OnIdle = [this] { ApplicationIdle(); };
  TrayIcon.SetVisible(true);
  InstallMouseHook();
}

bool TfMain::HandleMessage(ui::WindowMessage& m) {
  switch (m.Msg) {
    case WM_QUERYENDSESSION:
      // Only the answer: another program may still cancel the end of the session.
      m.Result = 1;
      return true;
    case WM_ENDSESSION:
      if (m.WParam != FALSE) {
        StopMonitoring();
        // The main window is not closed at log-off: without this save a dragged indicator or a
        // changed switch would be lost.
        SaveSettingsReporting();
      } else {
        // Cancelled: the indicators' own handlers may have stopped the idle handler meanwhile.
        ResumeMonitoring();
      }
      m.Result = 1;
      return true;
    case WM_POWERBROADCAST:
      if (m.WParam == PBT_APMSUSPEND) {
        try {
          backlight::OnSuspend();
        } catch (...) {
          ui::App().HandleException();
        }
      }
      m.Result = 0;
      return true;
    default:
      return false;
  }
}

// --- Visibility

void TfMain::HideToTray() {
  TrayIcon.Tag = 1;
  ui::App().Minimize();
  Hide();
  SetWindowState(ui::WindowState::Minimized);
  if (HandleAllocated()) ::ShowWindow(Handle(), SW_HIDE);
}

void TfMain::ToggleMainWindow() {
  if (TrayIcon.Tag == 0) {
    HideToTray();
    return;
  }
  TrayIcon.Tag = 0;
  if (ui::App().MainForm() == nullptr) return;
  ShowMainWindow(false, -1);
}

void TfMain::ShowMainWindow(bool topMost, int pageIndex) {
  TrayIcon.Tag = 0;
  if (ui::App().MainForm() == nullptr) return;
  ui::App().Restore();
  if (GetWindowState() == ui::WindowState::Minimized) SetWindowState(ui::WindowState::Normal);
  Show();
  ::SetForegroundWindow(Handle());
  ::BringWindowToTop(Handle());
  if (topMost) {
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
  }
  (void)pageIndex;  // the pages' navigation selects the page
}

void TfMain::TrayIconClick() { ToggleMainWindow(); }

void TfMain::FormCloseQuery(bool& canClose) {
  if (Tag == 1) {
    canClose = true;
  } else if (swMinimizedOnClose.Checked()) {
    canClose = false;
    if (swMinimizedToTray.Checked()) {
      HideToTray();
    } else {
      ui::App().Minimize();
    }
  } else {
    canClose = true;
  }
}

void TfMain::FormKeyDown(WORD& key) {
  if (key == VK_ESCAPE && swMinimizedOnEsc.Checked()) HideToTray();
}

void TfMain::ApplicationEventsMinimize() {
  TrayIcon.Tag = 0;
  if (!swMinimizedOnClose.Checked()) return;
  if (swMinimizedToTray.Checked()) {
    HideToTray();
  } else {
    ui::App().Minimize();
  }
}

// --- What the settings file reads and writes

ui::Switch& TfMain::MinimizeSwitch(core::MinimizeSwitch which) {
  switch (which) {
    case core::MinimizeSwitch::OnStart: return swMinimizedOnStart;
    case core::MinimizeSwitch::OnClose: return swMinimizedOnClose;
    case core::MinimizeSwitch::ToTray: return swMinimizedToTray;
    case core::MinimizeSwitch::OnEsc: break;
  }
  return swMinimizedOnEsc;
}

os::Rect TfMain::MainWindowBounds() { return BoundsRect(); }
void TfMain::SetMainWindowLeft(int left) { SetLeft(left); }
void TfMain::SetMainWindowTop(int top) { SetTop(top); }
bool TfMain::MinimizeSwitchChecked(core::MinimizeSwitch which) {
  return MinimizeSwitch(which).Checked();
}
void TfMain::SetMinimizeSwitchChecked(core::MinimizeSwitch which, bool checked) {
  MinimizeSwitch(which).SetChecked(checked);
}
os::Rect TfMain::DesktopIndicatorBounds() {
  return fLangInfo ? fLangInfo->BoundsRect() : os::Rect{};
}
void TfMain::SetDesktopIndicatorLeft(int left) {
  if (fLangInfo) fLangInfo->SetLeft(left);
}
void TfMain::SetDesktopIndicatorTop(int top) {
  if (fLangInfo) fLangInfo->SetTop(top);
}

}  // namespace monitor
