#include <gtest/gtest.h>

#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "os/error.h"
#include "tray/data_module.h"
#include "tray/tray_menu_fixture.h"
#include "ui/application.h"
#include "window_tree/win_tree.h"

namespace {

using tray::DM;
using tray_testing::TrayMenu;

TEST_F(TrayMenu, DriveItemsFollowTheirSeparatorOncePerDriveInDriveOrder) {
  shell->Drives = {L"C:\\", L"D:\\", L"E:\\"};
  shell->Labels[L"C:\\"] = L"System";
  shell->Labels[L"D:\\"] = L"data & more";
  shell->NameIcons[L"D:\\"] = 7;
  for (int i = 0; i < 3; ++i) DM->PopupMenu.Prepare();
  EXPECT_EQ(DriveCaptions(), (std::vector<std::wstring>{L"C:\\   [ SYSTEM ]", L"D:\\   [ DATA & MORE ]",
                                                         L"E:\\   [  ]"}));
  ui::MenuItem* d = Root().Item(Root().IndexOf(DM->SpTBXSeparatorItem5) + 2);
  EXPECT_EQ(d->Hint, L"D:\\");
  EXPECT_EQ(d->Tag, tray::kTagDriveItem);
  EXPECT_FALSE(d->ShowAccelChar) << "a label's & is shown as itself";
  EXPECT_EQ(d->FontName, L"Lucida Console");
  EXPECT_EQ(d->FontSizePercent, 90);
  EXPECT_EQ(d->Images, &DM->SysImageList);
  EXPECT_EQ(d->ImageIndex, 7);
}

TEST_F(TrayMenu, DrivesAddedOrRemovedShowAtTheNextPopup) {
  shell->Drives = {L"C:\\", L"F:\\"};
  DM->PopupMenu.Prepare();
  EXPECT_EQ(DriveCaptions().size(), 2u);
  shell->Drives = {L"C:\\", L"D:\\", L"F:\\"};
  DM->PopupMenu.Prepare();
  EXPECT_EQ(DriveCaptions(), (std::vector<std::wstring>{L"C:\\   [  ]", L"D:\\   [  ]", L"F:\\   [  ]"}));
  shell->Drives = {L"D:\\"};
  DM->PopupMenu.Prepare();
  EXPECT_EQ(DriveCaptions(), std::vector<std::wstring>{L"D:\\   [  ]"});
}

TEST_F(TrayMenu, CheckMarksFollowTheRunTimeFlags) {
  core::IsEnabled_AllIndicator = false;  // as the Alt + Pause chord leaves it
  DM->PopupMenu.Prepare();
  EXPECT_FALSE(DM->pmm_Enabled_AllIndicator->Checked);
  EXPECT_TRUE(DM->pmm_Enabled_MouseIndicator->Checked);
}

TEST_F(TrayMenu, ChoosingAnEnableItemTwiceChangesNothing) {
  Choose(DM->pmm_Enabled_MouseIndicator);
  EXPECT_FALSE(core::IsEnabled_MouseIndicator);
  EXPECT_FALSE(main->swEnabled_MouseIndicator.Checked());
  Choose(DM->pmm_Enabled_MouseIndicator);
  EXPECT_TRUE(core::IsEnabled_MouseIndicator);
  EXPECT_TRUE(main->swEnabled_MouseIndicator.Checked());
  Choose(DM->pmm_Enabled_AllIndicator);
  EXPECT_FALSE(core::IsEnabled_AllIndicator);
  EXPECT_FALSE(main->swEnabled_AllIndicator.Checked());
}

TEST_F(TrayMenu, ImagesAreAskedOfTheShellIconListAtEveryPopup) {
  shell->NameIcons[L"shell:::{645FF040-5081-101B-9F08-00AA002F954E}"] = 11;
  shell->NameIcons[L"C:\\Windows\\system32\\calc.exe"] = 12;
  shell->NameIcons[L"shell:::{3080F90E-D7AD-11D9-BD98-0000947B0257}"] = 13;
  DM->PopupMenu.Prepare();
  EXPECT_EQ(DM->pmm_RecycleBin->ImageIndex, 11);
  EXPECT_EQ(DM->pmm_Calculator->ImageIndex, 12);
  EXPECT_EQ(DM->pmm_WindowSwitcher->ImageIndex, 13);
  EXPECT_EQ(DM->pmm_ShutDownWindow->Images, &DM->SysImageList);
  EXPECT_EQ(DM->pmm_ShutDownWindow->ImageIndex, -1) << "the list is set, with no image";
  EXPECT_EQ(DM->pmm_Settings->ImageIndex, -1);
  shell->NameIcons[L"shell:::{645FF040-5081-101B-9F08-00AA002F954E}"] = 21;
  DM->PopupMenu.Prepare();
  EXPECT_EQ(DM->pmm_RecycleBin->ImageIndex, 21) << "nothing is remembered between popups";
}

struct CommandCase {
  const char* name;
  ui::MenuItem* tray::TDM::*item;
  const wchar_t* file;
  const wchar_t* parameters;
};

class TrayMenuCommands : public TrayMenu, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(TrayMenuCommands, StartTheirProgramWithTheirParameters) {
  ASSERT_TRUE(Choose(DM->*GetParam().item));
  ASSERT_EQ(shell->Executed.size(), 1u);
  const os::ShellCommand c = LastCommand();
  EXPECT_EQ(c.File, GetParam().file);
  EXPECT_EQ(c.Parameters, GetParam().parameters);
  EXPECT_EQ(c.Verb, L"");
  EXPECT_EQ(c.Directory, L"");
  EXPECT_EQ(c.ShowCommand, os::kSwShowNormal);
  EXPECT_EQ(c.Owner, 0u);
}

using T = tray::TDM;
INSTANTIATE_TEST_SUITE_P(
    Items, TrayMenuCommands,
    ::testing::Values(
        CommandCase{"Desktop", &T::pmm_Desktop, L"explorer.exe",
                    L"shell:::{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}"},
        CommandCase{"Documents", &T::pmm_Documents, L"explorer.exe", L"C:\\Users\\user\\Documents"},
        CommandCase{"Downloads", &T::pmm_Downloads, L"explorer.exe", L"C:\\Users\\user\\Downloads"},
        CommandCase{"VideosWithABlank", &T::pmm_Movies, L"explorer.exe",
                    L"\"C:\\Users\\user\\My Videos\""},
        CommandCase{"MusicWithAComma", &T::pmm_Music, L"explorer.exe", L"\"D:\\Music,Live\""},
        CommandCase{"Network", &T::pmm_Network, L"explorer.exe",
                    L"shell:::{208D2C60-3AEA-1069-A2D7-08002B30309D}"},
        CommandCase{"GodMode", &T::pmm_GodMode, L"explorer.exe",
                    L"shell:::{ED7BA470-8E54-465E-825C-99712043E01C}"},
        CommandCase{"Taskbar", &T::pmm_Taskbar, L"explorer.exe",
                    L"shell:::{0DF44EAA-FF21-4412-828E-260A8728E7F1}"},
        CommandCase{"FileRun", &T::pmm_FileRun, L"explorer.exe",
                    L"shell:::{2559a1f3-21d7-11d4-bdaf-00c04f60b9f0}"},
        CommandCase{"Calculator", &T::pmm_Calculator, L"C:\\Windows\\system32\\calc.exe", L""},
        CommandCase{"Notepad", &T::pmm_Notepad, L"C:\\Windows\\notepad.exe", L""},
        CommandCase{"ComputerManagement", &T::pmm_ComputerManagement,
                    L"C:\\Windows\\system32\\compmgmt.msc", L""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayMenu, DownloadsFallsBackToDocumentsAndAMissingFolderToNoParameter) {
  shell->Downloads.clear();
  Choose(DM->pmm_Downloads);
  EXPECT_EQ(LastCommand().Parameters, L"C:\\Users\\user\\Documents");
  shell->SpecialFolders.erase(os::kCsidlMyPictures);
  Choose(DM->pmm_Pictures);
  EXPECT_EQ(LastCommand().File, L"explorer.exe");
  EXPECT_EQ(LastCommand().Parameters, L"");
  EXPECT_EQ(DM->pmm_Pictures->ImageIndex, 0) << "the icon of no name";
}

TEST_F(TrayMenu, ADriveItemOpensItsRootAsItStands) {
  shell->Drives = {L"C:\\", L"G:\\"};
  ui::BuiltMenu built = DM->PopupMenu.Prepare();
  ui::MenuItem* g = Root().Item(Root().IndexOf(DM->SpTBXSeparatorItem5) + 2);
  for (const auto& [id, item] : built.Commands) {
    if (item == g) DM->PopupMenu.Invoke(built, id);
  }
  EXPECT_EQ(LastCommand().File, L"explorer.exe");
  EXPECT_EQ(LastCommand().Parameters, L"G:\\");
}

TEST_F(TrayMenu, TheWebSiteItemOpensTheProductPageThroughTheDesktopWindow) {
  const auto check = [this](os::WindowHandle owner) {
    ASSERT_EQ(shell->Executed.size(), 1u);
    const os::ShellCommand c = LastCommand();
    // The product page on the maker's site, over the encrypted protocol.
    EXPECT_EQ(c.File, L"https://halvarin.example/halvarin/");
    EXPECT_EQ(c.Verb, L"open");
    EXPECT_EQ(c.Parameters, L"");
    EXPECT_EQ(c.Directory, L"");
    EXPECT_EQ(c.ShowCommand, SW_SHOWNORMAL);
    EXPECT_EQ(c.Owner, owner);
    shell->Executed.clear();
  };
  shell->TopWindows[L"ProgMan"] = 0x5A5A0;
  ASSERT_TRUE(Choose(DM->pmm_HomePage));
  check(0x5A5A0);
  shell->TopWindows.clear();  // no desktop program window: no owner
  ASSERT_TRUE(Choose(DM->pmm_HomePage));
  check(0);
}

TEST_F(TrayMenu, ShellDialogsAndTheirFailure) {
  Choose(DM->pmm_WindowSwitcher);
  Choose(DM->pmm_ShutDownWindow);
  EXPECT_EQ(shell->WindowSwitchers, 1);
  EXPECT_EQ(shell->ShutdownDialogs, 1);
  EXPECT_TRUE(sys->MessageBoxes.empty());
  shell->DialogsWork = false;
  EXPECT_THROW(DM->pmm_ShutDownWindowClick(*DM->pmm_ShutDownWindow), os::Error);
}

TEST_F(TrayMenu, TheHeadingIsAnOrdinaryItemThatDoesNothing) {
  EXPECT_EQ(DM->pmm_TemporaryHide->Caption, L"If you need Temporary Hide Indicators:");
  EXPECT_EQ(DM->pmm_TemporaryHide->Kind, ui::MenuItemKind::Normal);
  EXPECT_TRUE(DM->pmm_TemporaryHide->Enabled);
  const bool shown = ::IsWindowVisible(main->Handle()) != FALSE;
  // Chosen like any item, so the menu closes; nothing else happens.
  EXPECT_TRUE(Choose(DM->pmm_TemporaryHide));
  EXPECT_TRUE(shell->Executed.empty());
  EXPECT_TRUE(core::IsEnabled_AllIndicator);
  EXPECT_TRUE(core::IsEnabled_MouseIndicator);
  EXPECT_EQ(::IsWindowVisible(main->Handle()) != FALSE, shown);
  EXPECT_EQ(main->Tag, 0);
  EXPECT_EQ(window_tree::fWinTree.get(), nullptr);
}

TEST_F(TrayMenu, ExitEndsTheProgramEvenWhileMinimizeOnCloseIsOn) {
  ASSERT_TRUE(main->swMinimizedOnClose.Checked());
  Choose(DM->pmm_Exit);
  EXPECT_EQ(main->Tag, 1);
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "the loop ends";
  EXPECT_TRUE(sys->HasFile(kSettingsFile)) << "saved on the way out";
  EXPECT_NE(monitor::fMain, nullptr) << "nothing is destroyed inside the menu";
}

TEST_F(TrayMenu, TheWindowTreeIsMadeOnce) {
  Choose(DM->pmm_WindowsTree);
  window_tree::TfWinTree* first = window_tree::fWinTree.get();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->Visible());
  first->Hide();
  Choose(DM->pmm_WindowsTree);
  EXPECT_EQ(window_tree::fWinTree.get(), first);
  EXPECT_TRUE(first->Visible());
}

TEST_F(TrayMenu, SettingsItemTogglesTheMainWindow) {
  main->Show();
  Choose(DM->pmm_Settings);
  EXPECT_FALSE(::IsWindowVisible(main->Handle()));
  EXPECT_EQ(main->TrayIcon.Tag, 1);
  Choose(DM->pmm_Settings);
  EXPECT_TRUE(::IsWindowVisible(main->Handle()));
  EXPECT_EQ(main->TrayIcon.Tag, 0);
}

TEST_F(TrayMenu, TheTrayIconsStartAsTheyShould) {
  EXPECT_FALSE(main->TrayIcon.Visible());
  EXPECT_TRUE(main->TrayIcon_CAPS.Visible());
  EXPECT_TRUE(main->TrayIcon_NumLock.Visible());
  EXPECT_EQ(main->TrayIcon_CAPS.IconIndex(), 1);
  EXPECT_EQ(main->TrayIcon.Hint(), L"Halvarin");
  EXPECT_EQ(main->TrayIcon.GetPopupMenu(), &DM->PopupMenu);
  EXPECT_EQ(main->IL_Tray_A.Count(), 8);
  EXPECT_EQ(main->IL_Tray_NumLock.FindIndexByName(L"05_Num_A_Red_#FF0000"), 5);
  EXPECT_EQ(DM->IL_16.FindIndexByName(L"category"), 2);
  EXPECT_EQ(DM->IL_16.FindIndexByName(L"041"), 3);
}

TEST_F(TrayMenu, TheSharedImageListsAreAsDesigned) {
  EXPECT_EQ(DM->IL_Flag16.ImageWidth(), 16);
  EXPECT_EQ(DM->IL_Flag16.ImageHeight(), 16);
  EXPECT_EQ(DM->IL_Flag25.ImageWidth(), 25);
  EXPECT_EQ(DM->IL_Flag25.ImageHeight(), 25);
  EXPECT_EQ(DM->IL_16.ImageWidth(), 16);
  EXPECT_EQ(DM->IL_16.Count(), 15);
  EXPECT_EQ(DM->SysImageList.IconSet(), tray::TIconSet::isSystem);
  EXPECT_EQ(DM->SysImageList.IconSize(), tray::TIconSize::isSmallIcons);
  std::vector<std::wstring> icons;
  for (int i = 0; i < DM->SVGIconImageCollection.Count(); ++i) {
    icons.push_back(DM->SVGIconImageCollection.Name(i));
  }
  EXPECT_EQ(icons, (std::vector<std::wstring>{L"playlist", L"Navigation\\refresh",
                                               L"Edit\\content_copy", L"plus",
                                               L"folder-plus-outline", L"folder-plus"}));
}

}  // namespace
