#pragma once
// The data module: the non-visual components several windows share: the flag and icon image
// lists, the shell icon list, the UI text tables and the popup menu of the notification-area
// icons and the desktop indicator.
#include <chrono>
#include <map>
#include <optional>
#include <string>

#include "settings_window/string_list_component.h"
#include "tray/shell_asks.h"
#include "tray/sys_image_list.h"
#include "ui/component.h"
#include "ui/image_list.h"
#include "ui/popup_menu.h"

namespace tray {

// Tags of the menu items: folders and programs by number, the drive items and their separator.
inline constexpr int kTagDriveSeparator = 1000;
inline constexpr int kTagDriveItem = 1001;

// How long the menu waits for the drives' labels, the user folders' paths and every icon before
// it opens: what has not answered by then shows what it answered at an earlier popup, or shows
// without its label and icon.
inline constexpr std::chrono::milliseconds kDriveAnswerTime{250};

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
  ui::MenuItem* pmm_TemporaryHide = nullptr;
  ui::MenuItem* pmm_Enabled_MouseIndicator = nullptr;
  ui::MenuItem* pmm_Enabled_AllIndicator = nullptr;
  ui::MenuItem* pmm_Settings = nullptr;
  ui::MenuItem* pmm_Desktop = nullptr;
  ui::MenuItem* pmm_Documents = nullptr;
  ui::MenuItem* pmm_Downloads = nullptr;
  ui::MenuItem* pmm_Movies = nullptr;
  ui::MenuItem* pmm_Music = nullptr;
  ui::MenuItem* pmm_Pictures = nullptr;
  ui::MenuItem* SpTBXSeparatorItem5 = nullptr;  // the drive items follow it
  ui::MenuItem* pmm_Network = nullptr;
  ui::MenuItem* pmm_RecycleBin = nullptr;
  ui::MenuItem* pmmControlPanel = nullptr;
  ui::MenuItem* pmm_ControlPanel = nullptr;
  ui::MenuItem* pmm_GodMode = nullptr;
  ui::MenuItem* pmm_AdministrativeTools = nullptr;
  ui::MenuItem* pmm_ActionCenter = nullptr;
  ui::MenuItem* pmm_AutoPlay = nullptr;
  ui::MenuItem* pmm_BluetoothDevices = nullptr;
  ui::MenuItem* pmm_ColorManagement = nullptr;
  ui::MenuItem* pmm_ComputerManagement = nullptr;
  ui::MenuItem* pmm_DefaultPrograms = nullptr;
  ui::MenuItem* pmm_DeviceManager = nullptr;
  ui::MenuItem* pmm_DevicesAndPrinters = nullptr;
  ui::MenuItem* pmm_EaseOfAccessCenter = nullptr;
  ui::MenuItem* pmm_NetworkAndSharingCenter = nullptr;
  ui::MenuItem* pmm_NetworkConnections = nullptr;
  ui::MenuItem* pmm_Personalization = nullptr;
  ui::MenuItem* pmm_PowerOptions = nullptr;
  ui::MenuItem* pmm_Printers = nullptr;
  ui::MenuItem* pmm_ProgramsAndFeatures = nullptr;
  ui::MenuItem* pmm_RegionAndLanguage = nullptr;
  ui::MenuItem* pmm_RemoteAppAndDesktopConnections = nullptr;
  ui::MenuItem* pmm_System = nullptr;
  ui::MenuItem* pmm_Taskbar = nullptr;
  ui::MenuItem* pmmSoftware = nullptr;
  ui::MenuItem* pmm_Calculator = nullptr;
  ui::MenuItem* pmm_Notepad = nullptr;
  ui::MenuItem* pmm_FileRun = nullptr;
  ui::MenuItem* pmm_WindowSwitcher = nullptr;
  ui::MenuItem* pmm_ShutDownWindow = nullptr;
  ui::MenuItem* pmm_WindowsTree = nullptr;
  ui::MenuItem* pmm_HomePage = nullptr;
  ui::MenuItem* pmm_Exit = nullptr;

  std::chrono::milliseconds DriveAnswerTime = kDriveAnswerTime;

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
  // The path of the user folder of `tag` (2 to 6), read now; empty when it has none. On an
  // asking thread only: a folder redirected to a server that does not answer holds its reader.
  static std::wstring FolderPath(int tag);
  // The explorer.exe parameter of the folder item of `tag` (1 to 6), from what the latest popup
  // learned: the Desktop's shell name, the folder's path, or, while the path has never
  // answered, the folder's shell name, which explorer resolves in its own process.
  std::wstring FolderParameter(int tag) const;
  // The file the program item of `tag` starts (1 to 3).
  static std::wstring ProgramFile(int tag);

  std::map<const ui::MenuItem*, std::wstring> m_shellNames;
  ShellAsks m_asks;
  // The user folders' paths by item tag, as the latest popup learned them; null: never answered.
  std::map<int, std::optional<std::wstring>> m_folderPaths;
};

// The one instance, created by the main block before the main window.
inline TDM* DM = nullptr;

// A folder path as explorer.exe takes it: quoted when it holds a blank or a comma, since
// explorer splits its command line at commas.
std::wstring ExplorerParameter(const std::wstring& path);

}  // namespace tray
