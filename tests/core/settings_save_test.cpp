#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "os/error.h"
#include "support/fake_settings_windows.h"
#include "support/fake_system.h"

namespace {

using testing_support::FakeSettingsWindows;
using testing_support::ScopedFakeSystem;

constexpr wchar_t kFile[] = L"C:\\Work\\Settings\\settings.json";

// The file's lines without their CR LF; fails the test when a line ends otherwise.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << "byte-order mark";
  std::size_t start = 3;
  while (start < bytes.size()) {
    const auto end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "the last line has no CR LF";
      break;
    }
    const std::string line = bytes.substr(start, end - start);
    EXPECT_EQ(line.find('\n'), std::string::npos) << "a bare LF in " << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

std::string Trimmed(std::string s) {
  std::string out;
  for (char c : s) {
    if (c != ' ') out += c;
  }
  return out;
}

int IndentOf(const std::string& s) { return static_cast<int>(s.find_first_not_of(' ')); }

class SettingsSave : public ::testing::Test {
 protected:
  void SetUp() override { sys->AddFolder(L"C:\\Work\\Settings"); }
  std::vector<std::string> SaveFresh() {
    core::TSettings settings;
    settings.Save(kFile, windows);
    return Lines(sys->FileText(kFile));
  }
  ScopedFakeSystem sys;
  FakeSettingsWindows windows;
};

TEST_F(SettingsSave, FreshInstanceBeginsLikeThis) {
  windows.Main = {510, 235, 1410, 885};
  const auto lines = SaveFresh();
  const std::pair<int, const char*> expected[] = {
      {0, "{"},
      {2, "\"MainWindow\":"},
      {2, "{"},
      {4, "\"Left\":510,"},
      {4, "\"Top\":235,"},
      {4, "\"MinimizedOnStart\":false,"},
      {4, "\"MinimizedOnClose\":true,"},
      {4, "\"MinimizedToTray\":true,"},
      {4, "\"MinimizedOnEsc\":true"},
      {2, "},"},
      {2, "\"DesktopIndicator\":"},
      {2, "{"},
      {4, "\"Top\":5,"},
      {4, "\"Left\":960,"},
      {4, "\"BorderWidth\":2,"},
      {4, "\"Panel_Time_Font_Color\":\"70DB93\","},
  };
  ASSERT_GE(lines.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(IndentOf(lines[i]), expected[i].first) << "line " << i + 1 << ": " << lines[i];
    EXPECT_EQ(Trimmed(lines[i]), expected[i].second) << "line " << i + 1;
  }
  EXPECT_EQ(lines.back(), "}");
}

TEST_F(SettingsSave, ExclusionListIsOneElementPerLineAtTheMargin) {
  const auto lines = SaveFresh();
  const auto n = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
                   return Trimmed(l) == "\"Exclude_WindowClass\":";
                 }) - lines.begin();
  ASSERT_LT(n + 12, static_cast<long>(lines.size()));
  const std::pair<int, const char*> expected[] = {
      {2, "\"Exclude_WindowClass\":"}, {2, "{"},
      {4, "\"IsDontShowByWindowClass\":true,"}, {4, "\"SL_Exclude_WindowClass\":"},
      {4, "["},
      {0, "\"1:MSTaskListWClass\","}, {0, "\"1:MSTaskSwWClass\","}, {0, "\"1:Shell_TrayWnd\","},
      {0, "\"1:Start\","}, {0, "\"1:TrayNotifyWnd\","}, {0, "\"1:TrayButton\""},
      {4, "]"}, {2, "},"},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const std::string& line = lines[n + i];
    EXPECT_EQ(IndentOf(line), expected[i].first) << "line n+" << i << ": " << line;
    EXPECT_EQ(Trimmed(line), expected[i].second) << "line n+" << i;
  }
}

TEST_F(SettingsSave, WritesEverySectionInOrderAndNoKeyForAnEmptyList) {
  const auto lines = SaveFresh();
  std::vector<std::string> sections;
  std::string text;
  for (const auto& l : lines) {
    if (IndentOf(l) == 2 && l.back() == ':') sections.push_back(Trimmed(l));
    text += Trimmed(l) + "\n";
  }
  const std::vector<std::string> expected = {
      "\"MainWindow\":", "\"DesktopIndicator\":", "\"DesktopBorder\":", "\"MouseIndicator\":",
      "\"Exclude_WindowClass\":", "\"Exclude_AppFileName\":", "\"SystemTrayIndicator\":",
      "\"CaretIndicator\":", "\"Exclude_AppFileName2\":", "\"RGB_Lighting\":"};
  EXPECT_EQ(sections, expected);
  for (const char* absent : {"SL_Lang_Color_Font", "SL_Lang_Color_Background",
                             "SL_Lang_DesktopBorder_Color", "MouseIndicator_SL_Lang_Color_Font",
                             "CaretIndicator_SL_Lang_Color_Background", "SL_Lang_RGB_Color"}) {
    EXPECT_EQ(text.find(absent), std::string::npos) << absent;
  }
  // Colour texts of the defaults, and a section whose only list is empty.
  for (const char* present :
       {"\"Color_Main_Background\":\"0066CC\"", "\"MouseIndicator_Color_Main_Background\":\"FFFFE1\"",
        "\"CaretIndicator_Positon\":1", "\"SystemTrayIndicator_NumLockIndicatorMode\":4",
        "\"RGB_Lighting\":\n{\n\"IsChangeRGB_KeyboardLogitech\":false\n}"}) {
    EXPECT_NE(text.find(present), std::string::npos) << present;
  }
}

// The sections and keys of the settings file with what a fresh instance writes, in file order,
// copied from the file's key table (not from the program's own table). Lists hold their
// elements; an empty list writes no key and is not listed.
struct FileKey {
  const char* key;
  const char* value;  // as written; null for a list
  std::vector<const char*> elements = {};
};
struct FileSection {
  const char* name;
  std::vector<FileKey> keys;
};

const std::vector<FileSection>& DefaultFile() {
  static const std::vector<FileSection> file = {
      {"MainWindow",
       {{"Left", "100"}, {"Top", "100"}, {"MinimizedOnStart", "false"},
        {"MinimizedOnClose", "true"}, {"MinimizedToTray", "true"}, {"MinimizedOnEsc", "true"}}},
      {"DesktopIndicator",
       {{"Top", "5"}, {"Left", "960"}, {"BorderWidth", "2"},
        {"Panel_Time_Font_Color", "\"70DB93\""}, {"Panel_Time_Color", "\"000000\""},
        {"Panel_Date_Font_Color", "\"70DB93\""}, {"Panel_Date_Color", "\"000000\""},
        {"Color_Led_Off", "\"808080\""}, {"Color_Led_On", "\"00FF00\""},
        {"IsShowDesktopIndicator", "true"}, {"IsShowTime", "true"}, {"IsShowDate", "true"},
        {"IsTransparent", "true"}, {"TransparentValue", "200"},
        {"Color_Main_Font", "\"FFFFFF\""}, {"Color_Main_Background", "\"0066CC\""},
        {"IsColorsByLang", "false"}}},
      {"DesktopBorder",
       {{"DesktopBorderWidth", "2"}, {"IsShowWorkareaBorder", "false"},
        {"ShowWorkareaBorder_L", "true"}, {"ShowWorkareaBorder_R", "true"},
        {"ShowWorkareaBorder_T", "true"}, {"ShowWorkareaBorder_B", "true"},
        {"IsShowTaskbarBorder", "false"}, {"ShowTaskbarBorder_L", "true"},
        {"ShowTaskbarBorder_R", "true"}, {"ShowTaskbarBorder_T", "true"},
        {"ShowTaskbarBorder_B", "true"}}},
      {"MouseIndicator",
       {{"MouseIndicator_IsShow", "true"}, {"MouseIndicator_IsAutoHide", "true"},
        {"MouseIndicator_AutoHideSec", "3"}, {"MouseIndicator_IsTransparent", "true"},
        {"MouseIndicator_TransparentValue", "220"}, {"MouseIndicator_IsWindowInfo", "false"},
        {"MouseIndicator_IsShowTime", "false"}, {"MouseIndicator_IsShowCapsNum", "false"},
        {"MouseIndicator_Panel_Time_Font_Color", "\"70DB93\""},
        {"MouseIndicator_Panel_Time_Color", "\"000000\""},
        {"MouseIndicator_Color_Led_Off", "\"808080\""},
        {"MouseIndicator_Color_Led_On", "\"00FF00\""},
        {"MouseIndicator_Color_Main_Font", "\"000000\""},
        {"MouseIndicator_Color_Main_Background", "\"FFFFE1\""},
        {"MouseIndicator_IsColorsByLang", "false"}}},
      {"Exclude_WindowClass",
       {{"IsDontShowByWindowClass", "true"},
        {"SL_Exclude_WindowClass", nullptr,
         {"1:MSTaskListWClass", "1:MSTaskSwWClass", "1:Shell_TrayWnd", "1:Start",
          "1:TrayNotifyWnd", "1:TrayButton"}}}},
      {"Exclude_AppFileName",
       {{"IsDontShowByApplicationFilename", "true"},
        {"SL_Exclude_AppFileName", nullptr,
         {"1:SystemSettings.exe", "1:calc.exe", "1:CalculatorApp.exe"}}}},
      {"SystemTrayIndicator",
       {{"SystemTrayIndicator_IsShowCapsLockIndicator", "true"},
        {"SystemTrayIndicator_IsShowNumLockIndicator", "true"},
        {"SystemTrayIndicator_CapsLockIndicatorMode", "1"},
        {"SystemTrayIndicator_NumLockIndicatorMode", "4"}}},
      {"CaretIndicator",
       {{"CaretIndicator_IsShow", "true"}, {"CaretIndicator_IsShowCapsNum", "true"},
        {"CaretIndicator_IsDrawBlackBorder", "true"}, {"CaretIndicator_IsAutoHide", "true"},
        {"CaretIndicator_AutoHideSec", "3"}, {"CaretIndicator_IsTransparent", "true"},
        {"CaretIndicator_TransparentValue", "220"}, {"CaretIndicator_Positon", "1"},
        {"CaretIndicator_IsColorsByLang", "true"},
        {"CaretIndicator_Color_Main_Font", "\"000000\""},
        {"CaretIndicator_Color_Main_Background", "\"FFFFFF\""}}},
      {"Exclude_AppFileName2",
       {{"IsDontShowByApplicationFilename2", "true"},
        {"SL_Exclude_AppFileName2", nullptr,
         {"1:SystemSettings.exe", "1:calc.exe", "1:CalculatorApp.exe"}}}},
      {"RGB_Lighting", {{"IsChangeRGB_KeyboardLogitech", "false"}}},
  };
  return file;
}

std::string Quoted(const char* text) {
  std::string out = "\"";
  out += text;
  out += '"';
  return out;
}

TEST_F(SettingsSave, AFreshInstanceWritesTheWholeKeyTableWithItsDefaults) {
  // The file's layout around the table: (indentation, text without blanks) per line.
  std::vector<std::pair<int, std::string>> expected{{0, "{"}};
  const auto& file = DefaultFile();
  for (std::size_t s = 0; s < file.size(); ++s) {
    expected.push_back({2, Quoted(file[s].name) + ":"});
    expected.push_back({2, "{"});
    const auto& keys = file[s].keys;
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const std::string comma = k + 1 < keys.size() ? "," : "";
      const std::string name = Quoted(keys[k].key) + ":";
      if (keys[k].value != nullptr) {
        expected.push_back({4, name + keys[k].value + comma});
        continue;
      }
      expected.push_back({4, name});
      expected.push_back({4, "["});
      const auto& elements = keys[k].elements;
      for (std::size_t e = 0; e < elements.size(); ++e) {
        expected.push_back({0, Quoted(elements[e]) + (e + 1 < elements.size() ? "," : "")});
      }
      expected.push_back({4, "]" + comma});
    }
    expected.push_back({2, s + 1 < file.size() ? "}," : "}"});
  }
  expected.push_back({0, "}"});

  const auto lines = SaveFresh();
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(IndentOf(lines[i]), expected[i].first) << "line " << i + 1 << ": " << lines[i];
    EXPECT_EQ(Trimmed(lines[i]), expected[i].second) << "line " << i + 1;
  }
}

TEST_F(SettingsSave, ASystemColourIsWrittenAsItsCurrentValue) {
  sys->SysColors[24] = 0xE1FFFF;
  core::TSettings settings;
  settings.Color_Main_Background = os::clInfoBk;
  settings.Save(kFile, windows);
  EXPECT_NE(sys->FileText(kFile).find("\"Color_Main_Background\": \"FFFFE1\""), std::string::npos);
  EXPECT_EQ(settings.Color_Main_Background, os::clInfoBk) << "the field keeps the system colour";
}

TEST_F(SettingsSave, ReplacesTheFileWhole) {
  sys->AddFile(kFile, std::string(5000, '~'));
  SaveFresh();
  const std::string text = sys->FileText(kFile);
  EXPECT_EQ(text.find('~'), std::string::npos);
  EXPECT_EQ(sys->FilesIn(L"C:\\Work\\Settings"), std::vector<std::wstring>{L"SETTINGS.JSON"});
}

TEST_F(SettingsSave, AFailedWriteLeavesTheOldFileAndReportsTheFile) {
  sys->AddFile(kFile, "{\"old\":true}");
  sys->FailWritesTo.insert(L"C:\\WORK\\SETTINGS\\SETTINGS.JSON.TMP");
  core::TSettings settings;
  try {
    settings.Save(kFile, windows);
    FAIL() << "no error";
  } catch (const os::Error& e) {
    EXPECT_NE(e.Message().find(kFile), std::wstring::npos);
  }
  EXPECT_EQ(sys->FileText(kFile), "{\"old\":true}");
  EXPECT_FALSE(sys->HasFile(std::wstring(kFile) + L".tmp"));
}

TEST_F(SettingsSave, AFailedReplaceLeavesTheOldFileAndNoTemporaryFile) {
  sys->AddFile(kFile, "{\"old\":true}");
  sys->FailWritesTo.insert(L"C:\\WORK\\SETTINGS\\SETTINGS.JSON");
  core::TSettings settings;
  EXPECT_THROW(settings.Save(kFile, windows), os::Error);
  EXPECT_EQ(sys->FileText(kFile), "{\"old\":true}");
  EXPECT_FALSE(sys->HasFile(std::wstring(kFile) + L".tmp"));
}

TEST_F(SettingsSave, AMissingFolderIsAnError) {
  core::TSettings settings;
  EXPECT_THROW(settings.Save(L"C:\\Nowhere\\settings.json", windows), os::Error);
}

}  // namespace
