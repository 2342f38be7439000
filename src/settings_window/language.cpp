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
  if (!core::LangTable) return;
  const auto T = [](int n) { return core::GetLangText(n); };
  const auto colon = [&T](int n) { return T(n) + L":"; };

  PC.tsCommon.Caption = T(1);
  PC.tsDesktopIndicator.Caption = T(2);
  PC.tsDesktopBorder.Caption = T(3);
  PC.tsMouseIndicator.Caption = T(4);
  PC.tsExcludeList.Caption = T(5);
  PC.ts_TrayIndicator.Caption = T(6);
  PC.tsCaretIndicator.Caption = T(7);
  PC.tsExcludeList2.Caption = T(8);
  PC.tsRGBLighting.Caption = T(256);
  PC.tsAbout.Caption = T(9);

  L_Autorun.SetCaption(T(10));
  L_MinimizedOnStart.SetCaption(T(11));
  L_MinimizedOnClose.SetCaption(T(12));
  L_MinimizedToTray.SetCaption(T(13));
  L_MinimizedOnEsc.SetCaption(T(14));

  L_ShowDesktopIndicator.SetCaption(T(20));
  L_BorderWidth_0_3.SetCaption(colon(21));
  L_Transparent_100_255.SetCaption(colon(22));
  L_Show_Time.SetCaption(T(23));
  L_Show_Date.SetCaption(T(24));
  L_CAPS_NUM_LedColor.SetCaption(T(25));
  L_Off.SetCaption(colon(26));
  L_On.SetCaption(colon(27));
  for (ui::Label* l : {&L_FontColor, &L_FontColor2, &L_FontColor3, &L_FontColor4, &L_FontColor5,
                       &L_FontColor6}) {
    l->SetCaption(colon(28));
  }
  for (ui::Label* l : {&L_BackgroundColor, &L_BackgroundColor2, &L_BackgroundColor3,
                       &L_BackgroundColor4, &L_BackgroundColor5, &L_BackgroundColor6}) {
    l->SetCaption(colon(29));
  }
  for (ui::Label* l : {&L_MainColors, &L_MainColors5, &L_MainColors6}) l->SetCaption(T(30));
  L_ColorsByLang.SetCaption(colon(31));
  for (ui::TreeList* tree : {&vstLang_DesktopIndicator, &vstLang_MouseIndicator}) {
    tree->SetColumnText(1, T(32) + L" ISO 639");
    tree->SetColumnText(2, T(33) + L" ISO 3166");
    tree->SetColumnText(3, T(28));
    tree->SetColumnText(4, T(29));
  }

  L_ShowWorkareaBorder.SetCaption(T(40));
  L_ShowTaskbarBorder.SetCaption(T(41));
  L_Border_Width_1_8.SetCaption(T(42));  // the text carries its colon
  PanelPreviewWorkareaBorder.SetCaption(T(44));
  PanelPreviewTaskbarBorder.SetCaption(T(45));
  L_Start.SetCaption(T(46));
  vstLang_DesktopBorder.SetColumnText(1, T(32) + L" ISO 639");
  vstLang_DesktopBorder.SetColumnText(2, T(33) + L" ISO 3166");
  vstLang_DesktopBorder.SetColumnText(3, T(43));
  vstLang_RGB.SetColumnText(1, T(32) + L" ISO 639");
  vstLang_RGB.SetColumnText(2, T(33) + L" ISO 3166");
  vstLang_RGB.SetColumnText(3, T(47));

  L_ShowMouseIndicator.SetCaption(T(50));
  L_MouseInfoAutoHideSec.SetCaption(colon(51));
  L_Transparent_100_255_Mouse.SetCaption(colon(52));
  L_Mouse_Show_Time.SetCaption(T(53));
  L_Mouse_ShowWindowClass.SetCaption(T(54));
  L_Mouse_Show_CapsNum.SetCaption(T(55));
  L_LedColorOff.SetCaption(colon(56));
  L_LedColorOn.SetCaption(colon(57));
  L_ColorsByLang_MouseIndicator.SetCaption(L_ColorsByLang.Caption());

  L_DontShowByWindowClass.SetCaption(T(70));
  L_DontShowByApplicationFilename.SetCaption(T(71));
  L_DontShowByApplicationFilename2.SetCaption(T(71));
  L_InfoForCopy.SetCaption(colon(72));
  L_InfoForCopy2.SetCaption(colon(72));
  L_InfoForCopyKey.SetCaption(T(73) + L"\r\n" + T(74) + L"\r\n" + T(75));
  Label_F2_Enter.SetCaption(T(76) + L"\r\n" + T(77));
  Label_F2_Enter2.SetCaption(Label_F2_Enter.Caption());
  L_InfoForCopyKey2.SetCaption(T(80) + L"\r\n" + T(81) + L"\r\n" + T(82));
  for (ui::FlatButton* reset : {&btnDesktopIndicatorReset, &btnDesktopBorderReset,
                                &btnMouseIndicatorReset, &btnExcludeListReset,
                                &btnSystemTrayIndicatorReset, &SpeedButton5,
                                &btnExcludeListReset2}) {
    reset->SetCaption(T(78));
  }
  for (ui::Label* l : {&L_Preview1, &L_Preview2, &L_Preview3}) l->SetCaption(colon(79));

  L_ShowCapsLockIndicator.SetCaption(T(91));
  L_ShowNumLockIndicator.SetCaption(T(92));
  for (ui::RadioGroup* group : {&grTray_CAPS_Mode, &grTray_NumLock_Mode}) {
    for (int i = 0; i < group->Count(); ++i) {
      group->SetItem(i, T(93) + L" " + std::to_wstring(i + 1));
    }
  }

  L_ShowCaretIndicator.SetCaption(T(100));
  L_Caret_ShowCapsNum.SetCaption(T(101));
  L_Caret_AutoHide.SetCaption(T(102));
  L_Caret_Transparent.SetCaption(T(103));
  edTest_CaretIndicator.SetText(T(104));
  cbCaretIndicatorPosition.SetCaption(L" " + T(105) + L" ");
  cbCaretIndicatorPosition.BeginUpdate();
  for (int i = 0; i < 4; ++i) cbCaretIndicatorPosition.SetItem(i, T(106 + i));
  cbCaretIndicatorPosition.EndUpdate();
  L_DrawBorder.SetCaption(T(110));
  L_ColorsByLang_CaretIndicator.SetCaption(L_ColorsByLang.Caption());

  btnHide.SetCaption(T(120));
  btnWinTree.SetCaption(T(121));
  L_TemporaryHide.SetCaption(colon(150));
  L_Enabled_MouseIndicator.SetCaption(T(153));
  L_Enabled_AllIndicators.SetCaption(T(154));
  L_Note.SetCaption(T(500));
  L_ChangeRGB_KeyboardLogitech.SetCaption(T(250));
  L_ChangeRGB_KeyboardLogitech2.SetCaption(T(251));
  L_ChangeRGB_KeyboardLogitech3.SetCaption(T(252));
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
