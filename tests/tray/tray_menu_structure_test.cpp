// The tray menu's whole layout, item by item, against the table the menu is designed from:
// order, separators, submenus, captions and their text numbers, tags, hints, fonts, images and
// what each item starts. The table is typed here, so a moved, renamed or misspelt item fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/common.h"
#include "monitor/main_window.h"
#include "tray/data_module.h"
#include "tray/tray_menu_fixture.h"

namespace {

using tray::DM;
using T = tray::TDM;
using Handler = void (T::*)(ui::MenuItem&);

constexpr os::TColor kHotLight = static_cast<os::TColor>(0xFF000000 | COLOR_HOTLIGHT);

struct Look {
  const wchar_t* Font = L"";  // empty: the menu font
  int SizePercent = 100;
  bool Bold = false;
  os::TColor Color = ui::clMenuText;
};
constexpr Look kPlain{};
constexpr Look kHeading{L"", 90, true, kHotLight};
constexpr Look kBold{L"", 100, true, ui::clMenuText};
constexpr Look kFolder{L"Lucida Console", 90, false, ui::clMenuText};
constexpr Look kLink{L"", 100, false, kHotLight};

enum class Kind { Item, Separator, Submenu };
enum class Click {
  Nothing,  // an ordinary item that only closes the menu
  Handler,  // a handler of its own, tested beside its behaviour
  Shell,    // starts File with Parameters through the shell
};
enum class Image { None, ListOnly, Named, SameAsParameters };

struct Row {
  const char* Number;
  const wchar_t* Name;
  Kind What = Kind::Item;
  int Tag = 0;
  int Text = 0;                  // UI text number; 0: none
  bool Colon = false;            // the caption is the text followed by ":"
  const wchar_t* Caption = L"";  // in English
  Look Font = kPlain;
  const wchar_t* Hint = L"";
  Click OnClick = Click::Nothing;
  Handler Handles = nullptr;
  const wchar_t* File = L"";
  const wchar_t* Parameters = L"";
  Image Icon = Image::None;
  const wchar_t* IconName = L"";
};

Row Separator(const char* number, const wchar_t* name, int tag = 0) {
  return Row{.Number = number, .Name = name, .What = Kind::Separator, .Tag = tag};
}

// A place explorer.exe opens by its shell name, with that name's icon.
Row Place(const char* number, const wchar_t* name, int text, const wchar_t* caption,
          Handler handler, const wchar_t* shellName) {
  return Row{.Number = number, .Name = name, .Text = text, .Caption = caption,
             .OnClick = Click::Shell, .Handles = handler, .File = L"explorer.exe",
             .Parameters = shellName, .Icon = Image::SameAsParameters};
}

// A user folder explorer.exe opens by its path (the fixture's folders, without blanks).
Row Folder(const char* number, const wchar_t* name, int tag, int text, const wchar_t* caption,
           const wchar_t* path) {
  return Row{.Number = number, .Name = name, .Tag = tag, .Text = text, .Caption = caption,
             .Font = kFolder, .OnClick = Click::Shell, .Handles = &T::pmm_DesktopClick,
             .File = L"explorer.exe", .Parameters = path, .Icon = Image::SameAsParameters};
}

// A program started by its file, with an empty parameter string and the file's icon.
Row Program(const char* number, const wchar_t* name, int tag, int text, const wchar_t* caption,
            const wchar_t* hint, const wchar_t* file) {
  return Row{.Number = number, .Name = name, .Tag = tag, .Text = text, .Caption = caption,
             .Hint = hint, .OnClick = Click::Shell, .Handles = &T::pmm_CalculatorClick,
             .File = file, .Icon = Image::Named, .IconName = file};
}

Row Own(const char* number, const wchar_t* name, int text, const wchar_t* caption,
        Handler handler, Look font = kPlain) {
  return Row{.Number = number, .Name = name, .Text = text, .Caption = caption, .Font = font,
             .OnClick = Click::Handler, .Handles = handler};
}

Row Submenu(const char* number, const wchar_t* name, int text, const wchar_t* caption) {
  return Row{.Number = number, .Name = name, .What = Kind::Submenu, .Text = text,
             .Caption = caption};
}

const std::vector<Row>& ExpectedMenu() {
  static const std::vector<Row> rows{
    Row{.Number = "1", .Name = L"pmm_TemporaryHide", .Text = 150, .Colon = true,
        .Caption = L"If you need Temporary Hide Indicators:", .Font = kHeading},
    Own("2", L"pmm_Enabled_MouseIndicator", 151, L"Enabled - Mouse Indicator",
        &T::pmm_Enabled_MouseIndicatorClick),
    Own("3", L"pmm_Enabled_AllIndicator", 152,
        L"Enabled - All Indicators (Mouse, Desktop, Border) - [Alt+Break]",
        &T::pmm_Enabled_AllIndicatorClick),
    Separator("4", L"SpTBXSeparatorItem12"),
    Own("5", L"pmm_Settings", 155, L"Settings - Halvarin", &T::pmm_SettingsClick, kBold),
    Separator("6", L"SpTBXSeparatorItem14"),
    Folder("7", L"pmm_Desktop", 1, 184, L"Desktop",
           L"shell:::{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}"),
    Folder("8", L"pmm_Documents", 2, 185, L"Documents", L"C:\\Users\\user\\Documents"),
    Folder("9", L"pmm_Downloads", 3, 186, L"Downloads", L"C:\\Users\\user\\Downloads"),
    Folder("10", L"pmm_Movies", 4, 187, L"Movies", L"C:\\Users\\user\\Videos"),
    Folder("11", L"pmm_Music", 5, 188, L"Music", L"C:\\Users\\user\\Music"),
    Folder("12", L"pmm_Pictures", 6, 189, L"Pictures", L"C:\\Users\\user\\Pictures"),
    Separator("13", L"SpTBXSeparatorItem5", 1000),
    Separator("14", L"SpTBXSeparatorItem1"),
    Place("15", L"pmm_Network", 156, L"Network", &T::pmm_NetworkClick,
          L"shell:::{208D2C60-3AEA-1069-A2D7-08002B30309D}"),
    Separator("16", L"SpTBXSeparatorItem9"),
    Place("17", L"pmm_RecycleBin", 157, L"Recycle Bin", &T::pmm_RecycleBinClick,
          L"shell:::{645FF040-5081-101B-9F08-00AA002F954E}"),
    Separator("18", L"SpTBXSeparatorItem8"),
    Submenu("19", L"pmmControlPanel", 162, L"Control Panel"),
    Place("19.1", L"pmm_ControlPanel", 162, L"Control Panel", &T::pmm_ControlPanelClick,
          L"shell:::{5399E694-6CE5-4D6C-8FCE-1D8870FDCBA0}"),
    Place("19.2", L"pmm_GodMode", 163, L"God Mode", &T::pmm_GodModeClick,
          L"shell:::{ED7BA470-8E54-465E-825C-99712043E01C}"),
    Place("19.3", L"pmm_AdministrativeTools", 164, L"Administrative Tools",
          &T::pmm_AdministrativeToolsClick, L"shell:::{D20EA4E1-3957-11d2-A40B-0C5020524153}"),
    Separator("19.4", L"SpTBXSeparatorItem2"),
    Place("19.5", L"pmm_ActionCenter", 165, L"Action Center", &T::pmm_ActionCenterClick,
          L"shell:::{BB64F8A7-BEE7-4E1A-AB8D-7D8273F7FDB6}"),
    Place("19.6", L"pmm_AutoPlay", 166, L"Auto Play", &T::pmm_AutoPlayClick,
          L"shell:::{9C60DE1E-E5FC-40f4-A487-460851A8D915}"),
    Place("19.7", L"pmm_BluetoothDevices", 167, L"Bluetooth Devices",
          &T::pmm_BluetoothDevicesClick, L"shell:::{28803F59-3A75-4058-995F-4EE5503B023C}"),
    Place("19.8", L"pmm_ColorManagement", 168, L"Color Management",
          &T::pmm_ColorManagementClick, L"shell:::{B2C761C6-29BC-4f19-9251-E6195265BAF1}"),
    Program("19.9", L"pmm_ComputerManagement", 3, 169, L"Computer Management",
            L"compmgmt.msc", L"C:\\Windows\\system32\\compmgmt.msc"),
    Place("19.10", L"pmm_DefaultPrograms", 170, L"Default Programs",
          &T::pmm_DefaultProgramsClick, L"shell:::{17cd9488-1228-4b2f-88ce-4298e93e0966}"),
    Place("19.11", L"pmm_DeviceManager", 171, L"Device Manager", &T::pmm_DeviceManagerClick,
          L"shell:::{74246bfc-4c96-11d0-abef-0020af6b0b7a}"),
    Place("19.12", L"pmm_DevicesAndPrinters", 172, L"Devices And Printers",
          &T::pmm_DevicesAndPrintersClick, L"shell:::{A8A91A66-3A7D-4424-8D24-04E180695C7A}"),
    Place("19.13", L"pmm_EaseOfAccessCenter", 173, L"Ease Of Access Center",
          &T::pmm_EaseOfAccessCenterClick, L"shell:::{D555645E-D4F8-4c29-A827-D93C859C4F2A}"),
    Place("19.14", L"pmm_NetworkAndSharingCenter", 174, L"Network And Sharing Center",
          &T::pmm_NetworkAndSharingCenterClick,
          L"shell:::{8E908FC9-BECC-40f6-915B-F4CA0E70D03D}"),
    Place("19.15", L"pmm_NetworkConnections", 175, L"Network Connections",
          &T::pmm_NetworkConnectionsClick, L"shell:::{7007ACC7-3202-11D1-AAD2-00805FC1270E}"),
    Place("19.16", L"pmm_Personalization", 176, L"Personalization",
          &T::pmm_PersonalizationClick, L"shell:::{ED834ED6-4B5A-4bfe-8F11-A626DCB6A921}"),
    Place("19.17", L"pmm_PowerOptions", 177, L"Power Options", &T::pmm_PowerOptionsClick,
          L"shell:::{025A5937-A6BE-4686-A844-36FE4BEC8B6D}"),
    Place("19.18", L"pmm_Printers", 178, L"Printers", &T::pmm_PrintersClick,
          L"shell:::{2227A280-3AEA-1069-A2DE-08002B30309D}"),
    Place("19.19", L"pmm_ProgramsAndFeatures", 179, L"Programs And Features",
          &T::pmm_ProgramsAndFeaturesClick, L"shell:::{7b81be6a-ce2b-4676-a29e-eb907a5126c5}"),
    Place("19.20", L"pmm_RegionAndLanguage", 180, L"Region And Language",
          &T::pmm_RegionAndLanguageClick, L"shell:::{62D8ED13-C9D0-4CE8-A914-47DD628FB1B0}"),
    Place("19.21", L"pmm_RemoteAppAndDesktopConnections", 181,
          L"Remote App And Desktop Connections", &T::pmm_RemoteAppAndDesktopConnectionsClick,
          L"shell:::{241D7C96-F8BF-4F85-B01F-E2B043341A4B}"),
    Place("19.22", L"pmm_System", 182, L"System", &T::pmm_SystemClick,
          L"shell:::{BB06C0E4-D293-4f75-8A90-CB05B6477EEE}"),
    Place("19.23", L"pmm_Taskbar", 183, L"Taskbar", &T::pmm_TaskbarClick,
          L"shell:::{0DF44EAA-FF21-4412-828E-260A8728E7F1}"),
    Submenu("20", L"pmmSoftware", 190, L"Software"),
    Program("20.1", L"pmm_Calculator", 1, 191, L"Calculator", L"calc.exe",
            L"C:\\Windows\\system32\\calc.exe"),
    Program("20.2", L"pmm_Notepad", 2, 192, L"Notepad", L"notepad.exe",
            L"C:\\Windows\\notepad.exe"),
    Separator("21", L"SpTBXSeparatorItem6"),
    Separator("22", L"SpTBXSeparatorItem10"),
    Place("23", L"pmm_FileRun", 158, L"File Run ...", &T::pmm_FileRunClick,
          L"shell:::{2559a1f3-21d7-11d4-bdaf-00c04f60b9f0}"),
    Row{.Number = "24", .Name = L"pmm_WindowSwitcher", .Text = 159,
        .Caption = L"Window Switcher ...", .OnClick = Click::Handler,
        .Handles = &T::pmm_WindowSwitcherClick, .Icon = Image::Named,
        .IconName = L"shell:::{3080F90E-D7AD-11D9-BD98-0000947B0257}"},
    Separator("25", L"SpTBXSeparatorItem4"),
    Row{.Number = "26", .Name = L"pmm_ShutDownWindow", .Text = 160,
        .Caption = L"Shutdown Window ...", .OnClick = Click::Handler,
        .Handles = &T::pmm_ShutDownWindowClick, .Icon = Image::ListOnly},
    Separator("27", L"SpTBXSeparatorItem3"),
    Own("28", L"pmm_WindowsTree", 121, L"Windows Tree", &T::pmm_WindowsTreeClick),
    Separator("29", L"SpTBXSeparatorItem13"),
    Own("30", L"pmm_HomePage", 505, L"Web site", &T::pmm_HomePageClick, kLink),
    Separator("31", L"SpTBXSeparatorItem11"),
    Own("32", L"pmm_Exit", 161, L"Exit", &T::pmm_ExitClick),
    Separator("33", L"SpTBXSeparatorItem7"),
  };
  return rows;
}

struct Placed {
  std::string Number;
  ui::MenuItem* Item;
};

// Every item of the tree in menu order, numbered as the table numbers them.
void Flatten(const ui::MenuItem& parent, const std::string& prefix, std::vector<Placed>& out) {
  for (int i = 0; i < parent.Count(); ++i) {
    const std::string number = prefix + std::to_string(i + 1);
    out.push_back({number, parent.Item(i)});
    Flatten(*parent.Item(i), number + ".", out);
  }
}

std::string Key(const std::string& number, const std::wstring& name) {
  std::string key = number + " ";
  for (wchar_t c : name) key += static_cast<char>(c);  // the names are ASCII
  return key;
}

class TrayMenuStructure : public tray_testing::TrayMenu {
 protected:
  void SetUp() override {
    TrayMenu::SetUp();
    // Folders explorer.exe takes as they stand, so the table shows the paths themselves.
    shell->SpecialFolders[os::kCsidlMyVideo] = L"C:\\Users\\user\\Videos";
    shell->SpecialFolders[os::kCsidlMyMusic] = L"C:\\Users\\user\\Music";
    shell->Drives.clear();  // the drive items have tests of their own
    // A distinct icon for every name the table shows an image of.
    int icon = 100;
    for (const Row& row : ExpectedMenu()) {
      if (row.Icon == Image::Named) shell->NameIcons[row.IconName] = icon++;
      if (row.Icon == Image::SameAsParameters) shell->NameIcons[row.Parameters] = icon++;
    }
  }

  std::vector<Placed> Items() {
    std::vector<Placed> items;
    Flatten(Root(), "", items);
    return items;
  }

  // The item at the row's place in the tree; null, with a failure, when another stands there.
  ui::MenuItem* ItemOf(const Row& row) {
    for (const Placed& p : Items()) {
      if (p.Number == row.Number && p.Item->Name == row.Name) return p.Item;
    }
    ADD_FAILURE() << "not in its place";
    return nullptr;
  }
};

TEST_F(TrayMenuStructure, ItemsStandInTableOrderWithTheirKinds) {
  std::vector<std::string> expected, actual;
  for (const Row& row : ExpectedMenu()) expected.push_back(Key(row.Number, row.Name));
  for (const Placed& p : Items()) actual.push_back(Key(p.Number, p.Item->Name));
  ASSERT_EQ(actual, expected);

  for (const Row& row : ExpectedMenu()) {
    SCOPED_TRACE(Key(row.Number, row.Name));
    const ui::MenuItem& item = *ItemOf(row);
    EXPECT_EQ(item.Kind == ui::MenuItemKind::Separator, row.What == Kind::Separator);
    EXPECT_EQ(item.Count() > 0, row.What == Kind::Submenu);
    EXPECT_EQ(item.Tag, row.Tag);
    EXPECT_EQ(item.Hint, row.Hint);
    EXPECT_TRUE(item.Visible);
    if (row.What == Kind::Separator) continue;
    EXPECT_EQ(item.Kind, ui::MenuItemKind::Normal) << "every item can be chosen";
    EXPECT_TRUE(item.Enabled);
    EXPECT_EQ(item.FontName, row.Font.Font);
    EXPECT_EQ(item.FontSizePercent, row.Font.SizePercent);
    EXPECT_EQ(item.Bold, row.Font.Bold);
    EXPECT_EQ(item.FontColor, row.Font.Color);
  }
}

TEST_F(TrayMenuStructure, CaptionsAreTheirTextNumbersInEitherLanguage) {
  for (const Row& row : ExpectedMenu()) {
    if (row.What == Kind::Separator) continue;
    SCOPED_TRACE(Key(row.Number, row.Name));
    const ui::MenuItem* item = ItemOf(row);
    if (item == nullptr) continue;
    EXPECT_EQ(item->Caption, row.Caption);
    EXPECT_EQ(item->Caption, core::GetLangText(row.Text) + (row.Colon ? L":" : L""));
  }
  // English texts may coincide; the Russian ones tell the numbers apart.
  ASSERT_TRUE(main->SetLanguage(L"Russian"));
  main->ApplyLanguage();
  for (const Row& row : ExpectedMenu()) {
    if (row.What == Kind::Separator) continue;
    SCOPED_TRACE(Key(row.Number, row.Name));
    const ui::MenuItem* item = ItemOf(row);
    if (item == nullptr) continue;
    EXPECT_NE(item->Caption, row.Caption);
    EXPECT_EQ(item->Caption, core::GetLangText(row.Text) + (row.Colon ? L":" : L""));
  }
}

TEST_F(TrayMenuStructure, ImagesAreTheShellIconsOfTheirNames) {
  // The image list is part of the item from the start; the indexes come with each popup.
  auto check = [&](bool popped) {
    for (const Row& row : ExpectedMenu()) {
      if (row.What == Kind::Separator) continue;
      SCOPED_TRACE(Key(row.Number, row.Name) + (popped ? " after the popup" : " before"));
      const ui::MenuItem* item = ItemOf(row);
      if (item == nullptr) continue;
      if (row.Icon == Image::None) {
        EXPECT_EQ(item->Images, nullptr);
        EXPECT_EQ(item->ImageIndex, -1);
        continue;
      }
      EXPECT_EQ(item->Images, &DM->SysImageList);
      if (!popped || row.Icon == Image::ListOnly) {
        EXPECT_EQ(item->ImageIndex, -1);
        continue;
      }
      const std::wstring name =
          row.Icon == Image::Named ? row.IconName : std::wstring(row.Parameters);
      EXPECT_EQ(item->ImageIndex, shell->NameIcons.at(name)) << "the icon of " << name;
    }
  };
  check(false);
  DM->PopupMenu.Prepare();
  check(true);
}

TEST_F(TrayMenuStructure, EachItemDoesWhatItsRowSays) {
  for (const Row& row : ExpectedMenu()) {
    if (row.What == Kind::Separator) continue;
    SCOPED_TRACE(Key(row.Number, row.Name));
    ui::MenuItem* item = ItemOf(row);
    if (item == nullptr) continue;
    ui::BuiltMenu built = DM->PopupMenu.Prepare();
    const auto command = std::find_if(built.Commands.begin(), built.Commands.end(),
                                      [&](const auto& c) { return c.second == item; });
    if (row.What == Kind::Submenu) {
      EXPECT_EQ(command, built.Commands.end()) << "a submenu only opens";
      EXPECT_FALSE(item->OnClick);
      continue;
    }
    ASSERT_NE(command, built.Commands.end()) << "can be chosen";
    if (row.OnClick == Click::Nothing) {
      EXPECT_FALSE(item->OnClick);
      continue;
    }
    ASSERT_TRUE(item->OnClick);
    if (row.OnClick == Click::Handler) continue;  // each has a test of its own

    // Chosen from the menu, then through the handler of its name: the same command.
    shell->Executed.clear();
    EXPECT_TRUE(DM->PopupMenu.Invoke(built, command->first));
    (DM->*row.Handles)(*item);
    ASSERT_EQ(shell->Executed.size(), 2u);
    for (const os::ShellCommand& c : shell->Executed) {
      EXPECT_EQ(c.File, row.File);
      EXPECT_EQ(c.Parameters, row.Parameters);
      EXPECT_EQ(c.Verb, L"");
      EXPECT_EQ(c.Directory, L"");
      EXPECT_EQ(c.ShowCommand, os::kSwShowNormal);
      EXPECT_EQ(c.Owner, 0u);
    }
  }
}

}  // namespace
