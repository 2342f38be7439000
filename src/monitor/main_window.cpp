#include "monitor/main_window.h"

#include "backlight/keyboard_step.h"
#include "backlight/led_state.h"
#include "core/common.h"
#include "core/maker_addresses.h"
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
  SetShowHint(true);
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

  TimerStart.SetInterval(300);
  TimerStart.OnTimer = [this] { TimerStartTimer(); };
  TimerUpdate.SetInterval(60000);
  TimerUpdate.OnTimer = [this] { settings_window::TimerUpdateTimer(TimerUpdate, NewsDownload); };

  CreateTrayIcons();
  LayoutPages(PanelTop, PanelLeft, PanelBottom, [this](int v) { return Px(v); }, IL_Tray_A,
              IL_Tray_NumLock);
  L_ProgramTitle.SetParent(&PanelTitle);
  L_ProgramVersion.SetParent(&PanelTitle);
  btnHide.OnClick = [this] { btnHideClick(); };
  btnExit.OnClick = [this] { btnExitClick(); };
  btnWinTree.OnClick = [this] { btnWinTreeClick(); };

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

  MovePagesIntoPlace(PanelTabs);
  vstActions.Clear();
  vstLang_DesktopIndicator.Clear();
  vstLang_DesktopBorder.Clear();

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
  BuildNavigationTree();
  // An unreadable layout list is reported, and the start goes on without flags.
  try {
    FillLanguageLists();
  } catch (...) {
    ui::App().HandleException();
  }
  Settings->BuildFilterLists();
  Settings->BuildFilterList2();

  L_ProgramTitle.SetCaption(L"Halvarin");
  L_ProgramVersion.SetCaption(kProgramVersion);
  // The link labels open their hint.
  L_Note.SetHint(core::kSupportAddress);
  L_WebSite.SetCaption(GetLangText(505) + L": " + core::kWebSiteAddress);
  L_WebSite.SetHint(core::kWebSiteAddress);
  L_Telegram.SetCaption(std::wstring(L"Telegram: ") + core::kTelegramShortAddress);
  L_Telegram.SetHint(core::kTelegramAddress);
  FitLinkPanel(PanelWeb);

  ShowAutorunState();

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
  if (IsFirstShowDone || !core::Settings) return;
  auto& s = *core::Settings;
  s.WriteToUIDesktopIndicator();
  s.WriteToUIDesktopBorder();
  s.WriteToUIMouseIndicator();
  s.WriteToUIExcludeList();
  s.WriteToUISystemTray();
  s.WriteToUICaretIndicator();
  s.WriteToUIExcludeList2();
  s.WriteToUIRGBLighting();
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

// The settings are saved before anything on the way out that can wait on another program (the
// icons' removal is a SendMessage to the shell's process, the news download and the backlight
// task are joined, the keyboard library talks to its vendor's software): all of that comes later,
// in the teardown, so that a hang there loses nothing.
void TfMain::FormClose(ui::CloseAction&) { SaveSettingsReporting(); }

void TfMain::SaveSettingsReporting() {
  // A failed save is reported, and the program goes on all the same.
  try {
    if (core::Settings) core::Settings->Save(core::FileSettings, *this);
  } catch (...) {
    ui::App().HandleException();
  }
}

// Scale keeps the DPI of the start: the tree is rebuilt with the sizes it had.
void TfMain::FormAfterMonitorDpiChanged() {
  BuildNavigationTree();
  try {
    FillLanguageLists();
  } catch (...) {
    ui::App().HandleException();
  }
}

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
        // The main window is not closed at log-off: without this save a dragged indicator or a
        // changed switch would be lost. It comes first: hiding the flag icon waits on the
        // shell's process, which may be gone or hung by now, and the session ends on its own
        // clock.
        SaveSettingsReporting();
        StopMonitoring();
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
