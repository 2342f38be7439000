// The UI text tables and the captions that take their texts.
#include "core/common.h"
#include "monitor/main_window.h"
#include "os/text.h"
#include "tray/data_module.h"
#include "ui/popup_menu.h"

namespace monitor {

bool TfMain::SetLanguage(const std::wstring& name) {
  using namespace core;
  LangTable.reset();
  CurrentLanguageName.clear();
  const settings_window::TStringListComponent* table = nullptr;
  if (tray::DM != nullptr) {
    const std::wstring upper = os::ToUpperAscii(name);
    if (upper == L"ENGLISH") table = &tray::DM->LangEnglish;
    if (upper == L"RUSSIAN") table = &tray::DM->LangRussian;
  }
  if (table == nullptr) return false;
  LangTable = std::make_unique<Json>(ParseJsonText(os::WideToUtf8(table->Text())));
  if (const Json* n = FindMember(*LangTable, "LanguageName"); n != nullptr && n->is_string()) {
    CurrentLanguageName = os::Utf8ToWide(n->get<std::string>());
  }
  return true;
}

void TfMain::ApplyLanguage() {
  using core::GetLangText;
  if (!core::LangTable) return;
  L_Autorun.SetCaption(GetLangText(10));
  L_MinimizedOnStart.SetCaption(GetLangText(11));
  L_MinimizedOnClose.SetCaption(GetLangText(12));
  L_MinimizedToTray.SetCaption(GetLangText(13));
  L_MinimizedOnEsc.SetCaption(GetLangText(14));
  L_TemporaryHide.SetCaption(GetLangText(150) + L":");
  L_Enabled_MouseIndicator.SetCaption(GetLangText(153));
  L_Enabled_AllIndicators.SetCaption(GetLangText(154));
  ApplyLanguageToMenu();
}


void TfMain::ApplyLanguageToMenu() {
  using core::GetLangText;
  tray::TDM* dm = tray::DM;
  if (dm == nullptr) return;
  dm->pmm_WindowsTree->Caption = GetLangText(121);
  dm->pmm_TemporaryHide->Caption = GetLangText(150) + L":";
  dm->pmm_Enabled_MouseIndicator->Caption = GetLangText(151);
  dm->pmm_Enabled_AllIndicator->Caption = GetLangText(152);
  dm->pmm_Settings->Caption = GetLangText(155);
  int n = 156;
  for (ui::MenuItem* item : {dm->pmm_Network, dm->pmm_RecycleBin, dm->pmm_FileRun,
                             dm->pmm_WindowSwitcher, dm->pmm_ShutDownWindow, dm->pmm_Exit}) {
    item->Caption = GetLangText(n++);
  }
  dm->pmmControlPanel->Caption = GetLangText(162);
  dm->pmm_ControlPanel->Caption = GetLangText(162);
  n = 163;
  for (ui::MenuItem* item :
       {dm->pmm_GodMode, dm->pmm_AdministrativeTools, dm->pmm_ActionCenter, dm->pmm_AutoPlay,
        dm->pmm_BluetoothDevices, dm->pmm_ColorManagement, dm->pmm_ComputerManagement,
        dm->pmm_DefaultPrograms, dm->pmm_DeviceManager, dm->pmm_DevicesAndPrinters,
        dm->pmm_EaseOfAccessCenter, dm->pmm_NetworkAndSharingCenter, dm->pmm_NetworkConnections,
        dm->pmm_Personalization, dm->pmm_PowerOptions, dm->pmm_Printers,
        dm->pmm_ProgramsAndFeatures, dm->pmm_RegionAndLanguage,
        dm->pmm_RemoteAppAndDesktopConnections, dm->pmm_System, dm->pmm_Taskbar}) {
    item->Caption = GetLangText(n++);
  }
  n = 184;
  for (ui::MenuItem* item : {dm->pmm_Desktop, dm->pmm_Documents, dm->pmm_Downloads,
                             dm->pmm_Movies, dm->pmm_Music, dm->pmm_Pictures}) {
    item->Caption = GetLangText(n++);
  }
  dm->pmmSoftware->Caption = GetLangText(190);
  dm->pmm_Calculator->Caption = GetLangText(191);
  dm->pmm_Notepad->Caption = GetLangText(192);
  dm->pmm_HomePage->Caption = GetLangText(505);
}

}  // namespace monitor
