#include <gtest/gtest.h>
#include <shlobj.h>

#include <nlohmann/json.hpp>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using e2e::Eventually;
using e2e::ProgramRun;

// Settings a user has, with "Minimize On Close" off so that closing the window ends the program.
const char kUserSettings[] = "\xEF\xBB\xBF{\r\n"
    R"("MainWindow":{"Left":140,"Top":90,"MinimizedOnStart":false,"MinimizedOnClose":false,
                     "MinimizedToTray":true,"MinimizedOnEsc":false},
      "DesktopIndicator":{"Top":300,"Left":250,"BorderWidth":3,"Color_Main_Background":"112233",
                          "TransparentValue":180,"IsShowDate":false,
                          "SL_Lang_Color_Font":["US=FFFFFF","DE=00FF00"]},
      "DesktopBorder":{"DesktopBorderWidth":5,"IsShowWorkareaBorder":true},
      "MouseIndicator":{"MouseIndicator_AutoHideSec":7,"MouseIndicator_Color_Main_Font":"ABCDEF"},
      "Exclude_WindowClass":{"IsDontShowByWindowClass":false,"SL_Exclude_WindowClass":["1:Notepad","0;Edit"]},
      "Exclude_AppFileName":{"SL_Exclude_AppFileName":["1;\u0411\u043b\u043e\u043a.exe"]},
      "CaretIndicator":{"CaretIndicator_Positon":2},
      "Exclude_AppFileName2":{"IsDontShowByApplicationFilename2":false},
      "RGB_Lighting":{"IsChangeRGB_KeyboardLogitech":true,"SL_Lang_RGB_Color":["US=FF0000"]}
    })";

nlohmann::json Parse(const std::string& bytes) {
  std::string text = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
  return nlohmann::json::parse(text);
}

TEST(EndToEnd, PortableModeKeepsSettingsAndLogBesideTheExecutable) {
  ProgramRun run(true);
  run.WriteFile("Settings/settings.json", kUserSettings);
  run.Start();
  ASSERT_NE(run.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(fs::is_directory(run.Folder() / "Settings"));
  EXPECT_TRUE(fs::is_directory(run.Folder() / "Log"));
  EXPECT_TRUE(fs::is_empty(run.Folder() / "Log"));
}

TEST(EndToEnd, SettingsSurviveAStartAndAClose) {
  ProgramRun run(true);
  run.WriteFile("Settings/settings.json", kUserSettings);
  run.Start();
  HWND main = run.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  RECT r{};
  ::GetWindowRect(main, &r);
  EXPECT_EQ(r.left, 140);
  EXPECT_EQ(r.top, 90);

  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(), 0);

  const std::string bytes = run.ReadFile("Settings/settings.json");
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.substr(bytes.size() - 3), "}\r\n");
  const auto before = Parse(kUserSettings);
  const auto after = Parse(bytes);
  for (const auto& [section, keys] : before.items()) {
    for (const auto& [key, value] : keys.items()) {
      ASSERT_TRUE(after.contains(section) && after[section].contains(key)) << section << "." << key;
      EXPECT_EQ(after[section][key], value) << section << "." << key;
    }
  }
  EXPECT_FALSE(after["Exclude_AppFileName2"].contains("SL_Exclude_AppFileName2")) << "emptied";
  EXPECT_EQ(after["DesktopIndicator"]["Panel_Time_Color"], "000000") << "defaults written too";
  EXPECT_FALSE(fs::exists(run.Folder() / "Settings" / "settings.json.tmp"));
}

TEST(EndToEnd, ASecondStartEndsAtOnceAndTheFirstGoesOn) {
  ProgramRun first(true);
  first.WriteFile("Settings/settings.json", kUserSettings);
  first.Start();
  HWND main = first.WaitForMainWindow();
  ASSERT_NE(main, nullptr);

  ProgramRun second(true);
  second.Start();
  EXPECT_EQ(second.WaitForExit(5000), 0);
  EXPECT_FALSE(fs::exists(second.Folder() / "Settings")) << "no folder before the guard";
  EXPECT_FALSE(fs::exists(second.Folder() / "Log"));
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(::IsWindowVisible(main));

  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(), 0);
}

fs::path RoamingWorkSpace() {
  wchar_t appData[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  return fs::path(appData) / "Qorvane" / "Halvarin" / "WorkSpace";
}

TEST(EndToEnd, WithoutTheMarkerTheFoldersAreMadeUnderRoamingAppData) {
  std::error_code ignored;
  fs::remove_all(RoamingWorkSpace().parent_path().parent_path(), ignored);
  ProgramRun run(false);
  run.Start();
  ASSERT_NE(run.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(fs::is_directory(RoamingWorkSpace() / "Settings"));
  EXPECT_TRUE(fs::is_directory(RoamingWorkSpace() / "Log"));
  EXPECT_FALSE(fs::exists(run.Folder() / "Settings"));
  run.Kill();
  fs::remove_all(RoamingWorkSpace().parent_path().parent_path(), ignored);
}

}  // namespace
