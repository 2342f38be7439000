#pragma once
// The data module: the non-visual components several windows share: the flag and icon image
// lists, the shell icon list, the UI text tables and the popup menu of the notification-area
// icons and the desktop indicator.
#include <map>
#include <string>

#include "settings_window/string_list_component.h"
#include "tray/sys_image_list.h"
#include "ui/component.h"
#include "ui/image_list.h"
#include "ui/popup_menu.h"

namespace tray {

// Tags of the menu items: folders and programs by number, the drive items and their separator.
inline constexpr int kTagDriveSeparator = 1000;
inline constexpr int kTagDriveItem = 1001;

class TDM : public ui::Component {
 public:
  TDM();
  ~TDM() override;

  ui::ImageList IL_Flag16{16, 16};
  ui::ImageList IL_Flag25{25, 25};
  TSysImageList SysImageList;
  ui::ImageList IL_16{16, 16};
  ui::ImageList SVGIconImageCollection{20, 20};
  settings_window::TStringListComponent LangEnglish;
  settings_window::TStringListComponent LangRussian;
  ui::PopupMenu PopupMenu;

  // The menu's items, in menu order (the tree owns them).
  ui::MenuItem* pmm_TemporaryHide;
  ui::MenuItem* pmm_Enabled_MouseIndicator;
  ui::MenuItem* pmm_Enabled_AllIndicator;
  ui::MenuItem* pmm_Settings;
  ui::MenuItem* pmm_Desktop;
  ui::MenuItem* pmm_Documents;
  ui::MenuItem* pmm_Downloads;
  ui::MenuItem* pmm_Movies;
  ui::MenuItem* pmm_Music;
  ui::MenuItem* pmm_Pictures;
  ui::MenuItem* SpTBXSeparatorItem5;  // the drive items follow it
  ui::MenuItem* pmm_Network;
  ui::MenuItem* pmm_RecycleBin;
  ui::MenuItem* pmmControlPanel;
  ui::MenuItem* pmm_ControlPanel;
  ui::MenuItem* pmm_GodMode;
  ui::MenuItem* pmm_AdministrativeTools;
  ui::MenuItem* pmm_ActionCenter;
  ui::MenuItem* pmm_AutoPlay;
  ui::MenuItem* pmm_BluetoothDevices;
  ui::MenuItem* pmm_ColorManagement;
  ui::MenuItem* pmm_ComputerManagement;
  ui::MenuItem* pmm_DefaultPrograms;
  ui::MenuItem* pmm_DeviceManager;
  ui::MenuItem* pmm_DevicesAndPrinters;
  ui::MenuItem* pmm_EaseOfAccessCenter;
  ui::MenuItem* pmm_NetworkAndSharingCenter;
  ui::MenuItem* pmm_NetworkConnections;
  ui::MenuItem* pmm_Personalization;
  ui::MenuItem* pmm_PowerOptions;
  ui::MenuItem* pmm_Printers;
  ui::MenuItem* pmm_ProgramsAndFeatures;
  ui::MenuItem* pmm_RegionAndLanguage;
  ui::MenuItem* pmm_RemoteAppAndDesktopConnections;
  ui::MenuItem* pmm_System;
  ui::MenuItem* pmm_Taskbar;
  ui::MenuItem* pmmSoftware;
  ui::MenuItem* pmm_Calculator;
  ui::MenuItem* pmm_Notepad;
  ui::MenuItem* pmm_FileRun;
  ui::MenuItem* pmm_WindowSwitcher;
  ui::MenuItem* pmm_ShutDownWindow;
  ui::MenuItem* pmm_WindowsTree;
  ui::MenuItem* pmm_HomePage;
  ui::MenuItem* pmm_Exit;

  // --- Handlers
  void PopupMenuPopup();
  void pmm_Enabled_MouseIndicatorClick(ui::MenuItem& sender);
  void pmm_Enabled_AllIndicatorClick(ui::MenuItem& sender);
  void pmm_SettingsClick(ui::MenuItem& sender);
  void pmm_DesktopClick(ui::MenuItem& sender);
  void pmm_CalculatorClick(ui::MenuItem& sender);
  // The shell places: each opens its own item's shell name with explorer.exe.
  void pmm_NetworkClick(ui::MenuItem& sender);
  void pmm_RecycleBinClick(ui::MenuItem& sender);
  void pmm_ControlPanelClick(ui::MenuItem& sender);
  void pmm_GodModeClick(ui::MenuItem& sender);
  void pmm_AdministrativeToolsClick(ui::MenuItem& sender);
  void pmm_ActionCenterClick(ui::MenuItem& sender);
  void pmm_AutoPlayClick(ui::MenuItem& sender);
  void pmm_BluetoothDevicesClick(ui::MenuItem& sender);
  void pmm_ColorManagementClick(ui::MenuItem& sender);
  void pmm_DefaultProgramsClick(ui::MenuItem& sender);
  void pmm_DeviceManagerClick(ui::MenuItem& sender);
  void pmm_DevicesAndPrintersClick(ui::MenuItem& sender);
  void pmm_EaseOfAccessCenterClick(ui::MenuItem& sender);
  void pmm_NetworkAndSharingCenterClick(ui::MenuItem& sender);
  void pmm_NetworkConnectionsClick(ui::MenuItem& sender);
  void pmm_PersonalizationClick(ui::MenuItem& sender);
  void pmm_PowerOptionsClick(ui::MenuItem& sender);
  void pmm_PrintersClick(ui::MenuItem& sender);
  void pmm_ProgramsAndFeaturesClick(ui::MenuItem& sender);
  void pmm_RegionAndLanguageClick(ui::MenuItem& sender);
  void pmm_RemoteAppAndDesktopConnectionsClick(ui::MenuItem& sender);
  void pmm_SystemClick(ui::MenuItem& sender);
  void pmm_TaskbarClick(ui::MenuItem& sender);
  void pmm_FileRunClick(ui::MenuItem& sender);
  void DriveItemClick(ui::MenuItem& sender);
  void pmm_WindowSwitcherClick(ui::MenuItem& sender);
  void pmm_ShutDownWindowClick(ui::MenuItem& sender);
  void pmm_WindowsTreeClick(ui::MenuItem& sender);
  void pmm_HomePageClick(ui::MenuItem& sender);
  void pmm_ExitClick(ui::MenuItem& sender);

  // The shell name that a shell-place item opens; empty for other items.
  std::wstring ShellNameOf(const ui::MenuItem& item) const;

 private:
  void OpenShellPlace(const ui::MenuItem& item);
  void BuildMenu();
  void LoadImages();
  // The text the folder item of `tag` opens (1 to 6), read now, without a trailing backslash.
  static std::wstring FolderText(int tag);
  // The file the program item of `tag` starts (1 to 3).
  static std::wstring ProgramFile(int tag);

  std::map<const ui::MenuItem*, std::wstring> m_shellNames;
};

// The one instance, created by the main block before the main window.
inline TDM* DM = nullptr;

// The product page that the menu opens.
inline constexpr wchar_t kHomePageAddress[] = L"http://www.qorvane.com/halvarin/";

// A folder path as explorer.exe takes it: quoted when it holds a blank or a comma, since
// explorer splits its command line at commas.
std::wstring ExplorerParameter(const std::wstring& path);

}  // namespace tray
