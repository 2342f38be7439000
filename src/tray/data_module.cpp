#include "tray/data_module.h"

#include <windows.h>

#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/common.h"
#include "core/maker_addresses.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "os/error.h"
#include "os/shell.h"
#include "ui/resource.h"
#include "window_tree/win_tree.h"

namespace tray {
namespace {

constexpr ui::NamedResource kIL16[] = {
#include "generated/il16_names.inc"
};
constexpr ui::NamedResource kSvgIcons[] = {
#include "generated/svg_icon_names.inc"
};

constexpr wchar_t kExplorer[] = L"explorer.exe";
constexpr wchar_t kDesktopName[] = L"shell:::{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}";
constexpr wchar_t kWindowSwitcherName[] = L"shell:::{3080F90E-D7AD-11D9-BD98-0000947B0257}";

// The user folders by their shell names, for explorer.exe to find when their paths are unknown.
std::wstring FolderShellName(int tag) {
  switch (tag) {
    case 2: return L"shell:Personal";
    case 3: return L"shell:Downloads";
    case 4: return L"shell:My Video";
    case 5: return L"shell:My Music";
    case 6: return L"shell:My Pictures";
    default: return {};
  }
}

// The locale's upper case (volume labels are the user's text, not ASCII).
std::wstring UpperByLocale(std::wstring text) {
  if (!text.empty()) ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

void Start(const std::wstring& file, const std::wstring& parameters) {
  os::ShellCommand command;
  command.File = file;
  command.Parameters = parameters;
  os::Shl().Execute(command);  // the menu reports nothing of its own when it fails
}

}  // namespace

std::wstring ExplorerParameter(const std::wstring& path) {
  if (path.find_first_of(L" ,") == std::wstring::npos) return path;
  return L"\"" + path + L"\"";
}

TDM::TDM() {
  Name = L"DM";
  DM = this;
  LangEnglish.Name = L"LangEnglish";
  LangEnglish.SetText(ui::ResourceBytes(L"UITEXT_ENGLISH"));
  LangRussian.Name = L"LangRussian";
  LangRussian.SetText(ui::ResourceBytes(L"UITEXT_RUSSIAN"));
  LoadImages();
  BuildMenu();
}

TDM::~TDM() {
  if (DM == this) DM = nullptr;
}

void TDM::LoadImages() {
  for (const auto& image : kIL16) IL_16.AddFromResource(image.Resource, image.Name);
  for (const auto& image : kSvgIcons) {
    SVGIconImageCollection.AddFromResource(image.Resource, image.Name);
  }
}

void TDM::BuildMenu() {
  ui::MenuItem& root = PopupMenu.Items();
  PopupMenu.OnPopup = [this] { PopupMenuPopup(); };
  using Handler = void (TDM::*)(ui::MenuItem&);
  auto add = [&](ui::MenuItem& parent, const wchar_t* name, Handler handler, int tag = 0) {
    ui::MenuItem* item = parent.Add();
    item->Name = name;
    item->Tag = tag;
    if (handler != nullptr) {
      item->OnClick = [this, handler](ui::MenuItem& s) { (this->*handler)(s); };
    }
    return item;
  };
  auto separator = [&](ui::MenuItem& parent, const wchar_t* name, int tag = 0) {
    ui::MenuItem* item = parent.AddSeparator();
    item->Name = name;
    item->Tag = tag;
    return item;
  };
  auto place = [&](ui::MenuItem& parent, const wchar_t* name, Handler handler,
                   const wchar_t* shellName) {
    ui::MenuItem* item = add(parent, name, handler);
    item->Images = &SysImageList;
    m_shellNames[item] = shellName;
    return item;
  };

  // A heading that is still an ordinary item: choosing it only closes the menu.
  pmm_TemporaryHide = add(root, L"pmm_TemporaryHide", nullptr);
  pmm_TemporaryHide->FontColor = static_cast<os::TColor>(0xFF000000 | COLOR_HOTLIGHT);
  pmm_TemporaryHide->FontSizePercent = 90;
  pmm_TemporaryHide->Bold = true;
  pmm_Enabled_MouseIndicator =
      add(root, L"pmm_Enabled_MouseIndicator", &TDM::pmm_Enabled_MouseIndicatorClick);
  pmm_Enabled_AllIndicator =
      add(root, L"pmm_Enabled_AllIndicator", &TDM::pmm_Enabled_AllIndicatorClick);
  separator(root, L"SpTBXSeparatorItem12");
  pmm_Settings = add(root, L"pmm_Settings", &TDM::pmm_SettingsClick);
  pmm_Settings->Bold = true;
  separator(root, L"SpTBXSeparatorItem14");
  pmm_Desktop = add(root, L"pmm_Desktop", &TDM::pmm_DesktopClick, 1);
  pmm_Documents = add(root, L"pmm_Documents", &TDM::pmm_DesktopClick, 2);
  pmm_Downloads = add(root, L"pmm_Downloads", &TDM::pmm_DesktopClick, 3);
  pmm_Movies = add(root, L"pmm_Movies", &TDM::pmm_DesktopClick, 4);
  pmm_Music = add(root, L"pmm_Music", &TDM::pmm_DesktopClick, 5);
  pmm_Pictures = add(root, L"pmm_Pictures", &TDM::pmm_DesktopClick, 6);
  for (ui::MenuItem* folder :
       {pmm_Desktop, pmm_Documents, pmm_Downloads, pmm_Movies, pmm_Music, pmm_Pictures}) {
    folder->FontName = L"Lucida Console";
    folder->FontSizePercent = 90;
    folder->Images = &SysImageList;
  }
  SpTBXSeparatorItem5 = separator(root, L"SpTBXSeparatorItem5", kTagDriveSeparator);
  separator(root, L"SpTBXSeparatorItem1");
  pmm_Network = place(root, L"pmm_Network", &TDM::pmm_NetworkClick,
                      L"shell:::{208D2C60-3AEA-1069-A2D7-08002B30309D}");
  separator(root, L"SpTBXSeparatorItem9");
  pmm_RecycleBin = place(root, L"pmm_RecycleBin", &TDM::pmm_RecycleBinClick,
                         L"shell:::{645FF040-5081-101B-9F08-00AA002F954E}");
  separator(root, L"SpTBXSeparatorItem8");

  pmmControlPanel = add(root, L"pmmControlPanel", nullptr);
  ui::MenuItem& cp = *pmmControlPanel;
  pmm_ControlPanel = place(cp, L"pmm_ControlPanel", &TDM::pmm_ControlPanelClick,
                           L"shell:::{5399E694-6CE5-4D6C-8FCE-1D8870FDCBA0}");
  pmm_GodMode = place(cp, L"pmm_GodMode", &TDM::pmm_GodModeClick,
                      L"shell:::{ED7BA470-8E54-465E-825C-99712043E01C}");
  pmm_AdministrativeTools =
      place(cp, L"pmm_AdministrativeTools", &TDM::pmm_AdministrativeToolsClick,
            L"shell:::{D20EA4E1-3957-11d2-A40B-0C5020524153}");
  separator(cp, L"SpTBXSeparatorItem2");
  pmm_ActionCenter = place(cp, L"pmm_ActionCenter", &TDM::pmm_ActionCenterClick,
                           L"shell:::{BB64F8A7-BEE7-4E1A-AB8D-7D8273F7FDB6}");
  pmm_AutoPlay = place(cp, L"pmm_AutoPlay", &TDM::pmm_AutoPlayClick,
                       L"shell:::{9C60DE1E-E5FC-40f4-A487-460851A8D915}");
  pmm_BluetoothDevices = place(cp, L"pmm_BluetoothDevices", &TDM::pmm_BluetoothDevicesClick,
                               L"shell:::{28803F59-3A75-4058-995F-4EE5503B023C}");
  pmm_ColorManagement = place(cp, L"pmm_ColorManagement", &TDM::pmm_ColorManagementClick,
                              L"shell:::{B2C761C6-29BC-4f19-9251-E6195265BAF1}");
  pmm_ComputerManagement = add(cp, L"pmm_ComputerManagement", &TDM::pmm_CalculatorClick, 3);
  pmm_ComputerManagement->Hint = L"compmgmt.msc";
  pmm_ComputerManagement->Images = &SysImageList;
  pmm_DefaultPrograms = place(cp, L"pmm_DefaultPrograms", &TDM::pmm_DefaultProgramsClick,
                              L"shell:::{17cd9488-1228-4b2f-88ce-4298e93e0966}");
  pmm_DeviceManager = place(cp, L"pmm_DeviceManager", &TDM::pmm_DeviceManagerClick,
                            L"shell:::{74246bfc-4c96-11d0-abef-0020af6b0b7a}");
  pmm_DevicesAndPrinters = place(cp, L"pmm_DevicesAndPrinters", &TDM::pmm_DevicesAndPrintersClick,
                                 L"shell:::{A8A91A66-3A7D-4424-8D24-04E180695C7A}");
  pmm_EaseOfAccessCenter = place(cp, L"pmm_EaseOfAccessCenter", &TDM::pmm_EaseOfAccessCenterClick,
                                 L"shell:::{D555645E-D4F8-4c29-A827-D93C859C4F2A}");
  pmm_NetworkAndSharingCenter =
      place(cp, L"pmm_NetworkAndSharingCenter", &TDM::pmm_NetworkAndSharingCenterClick,
            L"shell:::{8E908FC9-BECC-40f6-915B-F4CA0E70D03D}");
  pmm_NetworkConnections = place(cp, L"pmm_NetworkConnections", &TDM::pmm_NetworkConnectionsClick,
                                 L"shell:::{7007ACC7-3202-11D1-AAD2-00805FC1270E}");
  pmm_Personalization = place(cp, L"pmm_Personalization", &TDM::pmm_PersonalizationClick,
                              L"shell:::{ED834ED6-4B5A-4bfe-8F11-A626DCB6A921}");
  pmm_PowerOptions = place(cp, L"pmm_PowerOptions", &TDM::pmm_PowerOptionsClick,
                           L"shell:::{025A5937-A6BE-4686-A844-36FE4BEC8B6D}");
  pmm_Printers = place(cp, L"pmm_Printers", &TDM::pmm_PrintersClick,
                       L"shell:::{2227A280-3AEA-1069-A2DE-08002B30309D}");
  pmm_ProgramsAndFeatures =
      place(cp, L"pmm_ProgramsAndFeatures", &TDM::pmm_ProgramsAndFeaturesClick,
            L"shell:::{7b81be6a-ce2b-4676-a29e-eb907a5126c5}");
  pmm_RegionAndLanguage = place(cp, L"pmm_RegionAndLanguage", &TDM::pmm_RegionAndLanguageClick,
                                L"shell:::{62D8ED13-C9D0-4CE8-A914-47DD628FB1B0}");
  pmm_RemoteAppAndDesktopConnections = place(cp, L"pmm_RemoteAppAndDesktopConnections",
                                             &TDM::pmm_RemoteAppAndDesktopConnectionsClick,
                                             L"shell:::{241D7C96-F8BF-4F85-B01F-E2B043341A4B}");
  pmm_System = place(cp, L"pmm_System", &TDM::pmm_SystemClick,
                     L"shell:::{BB06C0E4-D293-4f75-8A90-CB05B6477EEE}");
  pmm_Taskbar = place(cp, L"pmm_Taskbar", &TDM::pmm_TaskbarClick,
                      L"shell:::{0DF44EAA-FF21-4412-828E-260A8728E7F1}");

  pmmSoftware = add(root, L"pmmSoftware", nullptr);
  pmm_Calculator = add(*pmmSoftware, L"pmm_Calculator", &TDM::pmm_CalculatorClick, 1);
  pmm_Calculator->Hint = L"calc.exe";
  pmm_Notepad = add(*pmmSoftware, L"pmm_Notepad", &TDM::pmm_CalculatorClick, 2);
  pmm_Notepad->Hint = L"notepad.exe";
  pmm_Calculator->Images = &SysImageList;
  pmm_Notepad->Images = &SysImageList;

  separator(root, L"SpTBXSeparatorItem6");
  separator(root, L"SpTBXSeparatorItem10");
  pmm_FileRun = place(root, L"pmm_FileRun", &TDM::pmm_FileRunClick,
                      L"shell:::{2559a1f3-21d7-11d4-bdaf-00c04f60b9f0}");
  pmm_WindowSwitcher = add(root, L"pmm_WindowSwitcher", &TDM::pmm_WindowSwitcherClick);
  pmm_WindowSwitcher->Images = &SysImageList;
  separator(root, L"SpTBXSeparatorItem4");
  pmm_ShutDownWindow = add(root, L"pmm_ShutDownWindow", &TDM::pmm_ShutDownWindowClick);
  pmm_ShutDownWindow->Images = &SysImageList;  // the list without an image
  separator(root, L"SpTBXSeparatorItem3");
  pmm_WindowsTree = add(root, L"pmm_WindowsTree", &TDM::pmm_WindowsTreeClick);
  separator(root, L"SpTBXSeparatorItem13");
  pmm_HomePage = add(root, L"pmm_HomePage", &TDM::pmm_HomePageClick);
  pmm_HomePage->FontColor = static_cast<os::TColor>(0xFF000000 | COLOR_HOTLIGHT);
  separator(root, L"SpTBXSeparatorItem11");
  pmm_Exit = add(root, L"pmm_Exit", &TDM::pmm_ExitClick);
  separator(root, L"SpTBXSeparatorItem7");
}

std::wstring TDM::ShellNameOf(const ui::MenuItem& item) const {
  auto it = m_shellNames.find(&item);
  return it == m_shellNames.end() ? std::wstring() : it->second;
}

std::wstring TDM::FolderPath(int tag) {
  auto& shell = os::Shl();
  switch (tag) {
    case 2: return shell.SpecialFolderPath(os::kCsidlPersonal);
    case 3: {
      std::wstring downloads = shell.DownloadsFolderPath();
      return downloads.empty() ? shell.SpecialFolderPath(os::kCsidlPersonal) : downloads;
    }
    case 4: return shell.SpecialFolderPath(os::kCsidlMyVideo);
    case 5: return shell.SpecialFolderPath(os::kCsidlMyMusic);
    case 6: return shell.SpecialFolderPath(os::kCsidlMyPictures);
    default: return {};
  }
}

std::wstring TDM::FolderParameter(int tag) const {
  if (tag == 1) return kDesktopName;
  if (const auto known = m_folderPaths.find(tag); known != m_folderPaths.end() && known->second) {
    return ExplorerParameter(*known->second);  // empty for a folder the shell does not have
  }
  return ExplorerParameter(FolderShellName(tag));
}

std::wstring TDM::ProgramFile(int tag) {
  switch (tag) {
    case 1: return core::PathSystem + L"calc.exe";
    case 2: return core::PathWindows + L"notepad.exe";
    case 3: return core::PathSystem + L"compmgmt.msc";
    default: return {};
  }
}

void TDM::PopupMenuPopup() {
  ui::MenuItem& root = PopupMenu.Items();
  for (int i = root.Count() - 1; i >= 0; --i) {
    if (root.Item(i)->Tag == kTagDriveItem) root.Delete(i);
  }
  int index = root.Count();
  for (int i = 0; i < root.Count(); ++i) {
    if (root.Item(i)->Tag == kTagDriveSeparator) {
      index = i + 1;
      break;
    }
  }

  pmm_Enabled_MouseIndicator->Checked = core::IsEnabled_MouseIndicator;
  pmm_Enabled_AllIndicator->Checked = core::IsEnabled_AllIndicator;

  // Every icon, every user folder's path and every drive's label is asked at once, each on a
  // thread of its own: a folder redirected to a server that does not answer, an offline network
  // drive or a slow optical drive would hold the UI thread for the network's time-out. What has
  // not answered in time shows what it answered at an earlier popup, or shows without its label
  // and with the first icon.
  std::vector<ShellQuestion> questions;
  std::vector<ui::MenuItem*> imaged;  // the fixed item of each question before the drives'
  auto ask = [&](ui::MenuItem* item, ShellQuestion question) {
    questions.push_back(std::move(question));
    imaged.push_back(item);
  };
  ui::MenuItem* const folders[] = {pmm_Desktop, pmm_Documents, pmm_Downloads,
                                   pmm_Movies,  pmm_Music,     pmm_Pictures};
  ask(pmm_Desktop, {kDesktopName});
  for (std::size_t i = 1; i < std::size(folders); ++i) {
    // The key is no name the shell parses: the folder's icon is that of its path.
    const int tag = folders[i]->Tag;
    ask(folders[i], {L"user folder " + std::to_wstring(tag), [tag] { return FolderPath(tag); },
                     true});
  }
  for (const auto& [item, shellName] : m_shellNames) {
    ask(const_cast<ui::MenuItem*>(item), {shellName});
  }
  ask(pmm_ComputerManagement, {core::PathSystem + pmm_ComputerManagement->Hint});
  ask(pmm_Calculator, {core::PathSystem + pmm_Calculator->Hint});
  ask(pmm_Notepad, {core::PathWindows + pmm_Notepad->Hint});
  ask(pmm_WindowSwitcher, {kWindowSwitcherName});
  const std::size_t driveFrom = questions.size();
  const std::vector<std::wstring> drives = os::Shl().LogicalDrives();
  for (const std::wstring& drive : drives) {
    questions.push_back({drive, [drive] { return os::Shl().VolumeLabel(drive); }});
  }

  const std::vector<std::optional<ShellAnswer>> answers =
      m_asks.Ask(questions, SysImageList.QueryFlags(false), DriveAnswerTime);

  for (std::size_t i = 0; i < driveFrom; ++i) {
    imaged[i]->ImageIndex = answers[i] ? answers[i]->ImageIndex : 0;
  }
  for (std::size_t i = 1; i < std::size(folders); ++i) {
    // A path that has never answered stays unknown: its click opens the folder's shell name.
    m_folderPaths[folders[i]->Tag] =
        answers[i] ? std::optional(answers[i]->Text) : std::nullopt;
  }
  for (std::size_t i = 0; i < drives.size(); ++i) {
    const std::wstring& drive = drives[i];
    const ShellAnswer answer = answers[driveFrom + i].value_or(ShellAnswer{});
    ui::MenuItem* item =
        root.Insert(index++, drive + L"   [ " + UpperByLocale(answer.Text) + L" ]");
    item->ShowAccelChar = false;  // a label's "&" is a character, not an accelerator
    item->Hint = drive;
    item->FontName = L"Lucida Console";
    item->FontSizePercent = 90;
    item->Images = &SysImageList;
    item->ImageIndex = answer.ImageIndex;
    item->Tag = kTagDriveItem;
    item->OnClick = [this](ui::MenuItem& s) { DriveItemClick(s); };
  }
}

void TDM::pmm_Enabled_MouseIndicatorClick(ui::MenuItem& sender) {
  sender.Checked = !sender.Checked;
  core::IsEnabled_MouseIndicator = sender.Checked;
  if (monitor::fMain != nullptr) monitor::fMain->swEnabled_MouseIndicator.SetChecked(sender.Checked);
}

void TDM::pmm_Enabled_AllIndicatorClick(ui::MenuItem& sender) {
  sender.Checked = !sender.Checked;
  core::IsEnabled_AllIndicator = sender.Checked;
  if (monitor::fMain != nullptr) monitor::fMain->swEnabled_AllIndicator.SetChecked(sender.Checked);
}

void TDM::pmm_SettingsClick(ui::MenuItem&) {
  if (monitor::fMain != nullptr) monitor::fMain->ToggleMainWindow();
}

void TDM::pmm_DesktopClick(ui::MenuItem& sender) {
  // The path the popup learned, not one read now: a folder that does not answer would hold the
  // UI thread at the click as much as at the popup.
  Start(kExplorer, FolderParameter(sender.Tag));
}

void TDM::pmm_CalculatorClick(ui::MenuItem& sender) { Start(ProgramFile(sender.Tag), L""); }

void TDM::OpenShellPlace(const ui::MenuItem& item) { Start(kExplorer, ShellNameOf(item)); }

void TDM::pmm_NetworkClick(ui::MenuItem&) { OpenShellPlace(*pmm_Network); }
void TDM::pmm_RecycleBinClick(ui::MenuItem&) { OpenShellPlace(*pmm_RecycleBin); }
void TDM::pmm_ControlPanelClick(ui::MenuItem&) { OpenShellPlace(*pmm_ControlPanel); }
void TDM::pmm_GodModeClick(ui::MenuItem&) { OpenShellPlace(*pmm_GodMode); }
void TDM::pmm_AdministrativeToolsClick(ui::MenuItem&) { OpenShellPlace(*pmm_AdministrativeTools); }
void TDM::pmm_ActionCenterClick(ui::MenuItem&) { OpenShellPlace(*pmm_ActionCenter); }
void TDM::pmm_AutoPlayClick(ui::MenuItem&) { OpenShellPlace(*pmm_AutoPlay); }
void TDM::pmm_BluetoothDevicesClick(ui::MenuItem&) { OpenShellPlace(*pmm_BluetoothDevices); }
void TDM::pmm_ColorManagementClick(ui::MenuItem&) { OpenShellPlace(*pmm_ColorManagement); }
void TDM::pmm_DefaultProgramsClick(ui::MenuItem&) { OpenShellPlace(*pmm_DefaultPrograms); }
void TDM::pmm_DeviceManagerClick(ui::MenuItem&) { OpenShellPlace(*pmm_DeviceManager); }
void TDM::pmm_DevicesAndPrintersClick(ui::MenuItem&) { OpenShellPlace(*pmm_DevicesAndPrinters); }
void TDM::pmm_EaseOfAccessCenterClick(ui::MenuItem&) { OpenShellPlace(*pmm_EaseOfAccessCenter); }
void TDM::pmm_NetworkAndSharingCenterClick(ui::MenuItem&) {
  OpenShellPlace(*pmm_NetworkAndSharingCenter);
}
void TDM::pmm_NetworkConnectionsClick(ui::MenuItem&) { OpenShellPlace(*pmm_NetworkConnections); }
void TDM::pmm_PersonalizationClick(ui::MenuItem&) { OpenShellPlace(*pmm_Personalization); }
void TDM::pmm_PowerOptionsClick(ui::MenuItem&) { OpenShellPlace(*pmm_PowerOptions); }
void TDM::pmm_PrintersClick(ui::MenuItem&) { OpenShellPlace(*pmm_Printers); }
void TDM::pmm_ProgramsAndFeaturesClick(ui::MenuItem&) { OpenShellPlace(*pmm_ProgramsAndFeatures); }
void TDM::pmm_RegionAndLanguageClick(ui::MenuItem&) { OpenShellPlace(*pmm_RegionAndLanguage); }
void TDM::pmm_RemoteAppAndDesktopConnectionsClick(ui::MenuItem&) {
  OpenShellPlace(*pmm_RemoteAppAndDesktopConnections);
}
void TDM::pmm_SystemClick(ui::MenuItem&) { OpenShellPlace(*pmm_System); }
void TDM::pmm_TaskbarClick(ui::MenuItem&) { OpenShellPlace(*pmm_Taskbar); }
void TDM::pmm_FileRunClick(ui::MenuItem&) { OpenShellPlace(*pmm_FileRun); }

void TDM::DriveItemClick(ui::MenuItem& sender) { Start(kExplorer, sender.Hint); }

void TDM::pmm_WindowSwitcherClick(ui::MenuItem&) {
  if (!os::Shl().ShowWindowSwitcher()) {
    throw os::Error(L"The shell's window switcher cannot be opened.");
  }
}

void TDM::pmm_ShutDownWindowClick(ui::MenuItem&) {
  if (!os::Shl().ShowShutdownDialog()) {
    throw os::Error(L"The shell's shutdown dialog cannot be opened.");
  }
}

void TDM::pmm_WindowsTreeClick(ui::MenuItem&) { window_tree::ShowWinTree(); }

void TDM::pmm_HomePageClick(ui::MenuItem&) {
  os::ShellCommand command;
  command.Owner = os::Shl().FindTopWindow(L"ProgMan");
  command.Verb = L"open";
  command.File = core::kProductPageAddress;
  os::Shl().Execute(command);
}

void TDM::pmm_ExitClick(ui::MenuItem&) {
  // Only asks for the close: the windows are destroyed after the message loop has ended.
  if (monitor::fMain == nullptr) return;
  monitor::fMain->Tag = 1;
  monitor::fMain->Close();
}

}  // namespace tray
