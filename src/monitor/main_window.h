#pragma once
// The main window: the settings window and the controller of the running program. This header
// and the controlling side (creation, start-up, teardown) live here; the settings pages' members
// are defined in settings_window/.
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "core/settings_windows.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/switch.h"
#include "ui/image_list.h"
#include "ui/timer.h"
#include "ui/tray_icon.h"
#include "settings_window/news_download.h"
#include "settings_window/settings_pages.h"

namespace monitor {

class TfMain : public ui::Form,
               public core::SettingsWindows,
               public settings_window::SettingsPages {
 public:
  TfMain();

  // --- Frame
  ui::Panel PanelTop{this};
  ui::Panel PanelLeft{this};
  ui::Panel PanelBottom{this};
  ui::Panel PanelTabs{this};
  ui::Label L_ProgramTitle{&PanelTop};
  ui::Label L_ProgramVersion{&PanelTop};

  // --- Notification-area icons: the flag, Caps Lock and Num Lock
  ui::ImageList IL_Tray_A{16, 16};
  ui::ImageList IL_Tray_NumLock{16, 16};
  ui::TrayIcon TrayIcon;
  ui::TrayIcon TrayIcon_CAPS;
  ui::TrayIcon TrayIcon_NumLock;

  ui::Timer TimerStart;
  ui::Timer TimerUpdate;
  // The news page's one download of the run, started by TimerUpdate.
  settings_window::TNewsDownload NewsDownload;

  // --- Handlers of the controlling side
  void FormCreate();
  void FormShow();
  void TimerStartTimer();
  void ApplicationIdle();
  void FormClose(ui::CloseAction& action);
  void FormDestroy();
  void FormCloseQuery(bool& canClose);
  void FormKeyDown(WORD& key);
  void ApplicationEventsMinimize();
  // The navigation tree and the language lists are rebuilt; Scale keeps the DPI of the start.
  void FormAfterMonitorDpiChanged();

  // The monitoring pass. At most one full pass per 0.05 s; a pass started inside another returns
  // at once; an error is reported once per distinct message and the next pass runs again.
  void DetectKeysStatus();
  // Both Shift keys: the class and program the mouse indicator shows go into the mouse
  // indicator's exclusion lists. Both Alt keys: its program goes into the caret indicator's list.
  void CopyPointerInfoToExcludeLists();
  void CopyAppNameToCaretExcludeList();

  // Visibility of the window.
  void HideToTray();
  void ToggleMainWindow();
  void ShowMainWindow(bool topMost, int pageIndex);
  void TrayIconClick();
  void btnHideClick();
  void btnExitClick();
  void btnWinTreeClick();

  // --- Settings pages (settings_window/)
  // Loads the UI text table of "English" or "Russian" (any letter case) into LangTable; another
  // name leaves no table loaded and gives false.
  bool SetLanguage(const std::wstring& name);
  // Writes the texts of LangTable into the captions; nothing while no table is loaded.
  void ApplyLanguage();
  void ApplyLanguageToMenu();
  // The five per-language colour trees and the flag images of the installed keyboard layouts,
  // in layout order, the images named by country code.
  void FillLanguageLists();

  // --- What the settings file reads and writes
  os::Rect MainWindowBounds() override;
  void SetMainWindowLeft(int left) override;
  void SetMainWindowTop(int top) override;
  bool MinimizeSwitchChecked(core::MinimizeSwitch which) override;
  void SetMinimizeSwitchChecked(core::MinimizeSwitch which, bool checked) override;
  os::Rect DesktopIndicatorBounds() override;
  void SetDesktopIndicatorLeft(int left) override;
  void SetDesktopIndicatorTop(int top) override;

 protected:
  bool HandleMessage(ui::WindowMessage& message) override;

 private:
  ui::Switch& MinimizeSwitch(core::MinimizeSwitch which);
  void CreateIndicators();
  void DestroyIndicators();
  void CreateTrayIcons();
  void LoadSettings();
  void RunPass();
  void HotKeysStep();
  void SaveSettingsReporting();
  // The end of the session: the monitoring stops, and comes back if the end is cancelled.
  void StopMonitoring();
  void ResumeMonitoring();

  bool m_inPass = false;
  std::set<std::wstring> m_reportedPassErrors;
  // The end of each chord's last copy; none yet. Each chord has its own, so that one chord held
  // down does not keep the other from copying.
  std::optional<std::int64_t> m_shiftCopyStamp;
  std::optional<std::int64_t> m_altCopyStamp;
  bool m_monitoringStarted = false;  // the start-up timer has run
};

}  // namespace monitor
