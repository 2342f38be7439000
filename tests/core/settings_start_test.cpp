#include <gtest/gtest.h>

#include <string>

#include "core/settings.h"
#include "core/settings_start.h"
#include "os/error.h"
#include "os/system.h"
#include "os/text.h"
#include "support/fake_settings_windows.h"
#include "support/fake_system.h"

namespace {

using testing_support::FakeSettingsWindows;
using testing_support::ScopedFakeSystem;

constexpr wchar_t kFile[] = L"C:\\Work\\Settings\\settings.json";
constexpr wchar_t kBackup[] = L"C:\\Work\\Settings\\settings.json.bak";

class SettingsStart : public ::testing::Test {
 protected:
  void SetUp() override { sys->AddFolder(L"C:\\Work\\Settings"); }
  void Start(const std::string& text) {
    sys->AddFile(kFile, text);
    core::LoadSettingsAtStart(settings, kFile, windows);
  }
  std::wstring OnlyMessage() {
    EXPECT_EQ(sys->MessageBoxes.size(), 1u);
    return sys->MessageBoxes.empty() ? std::wstring() : sys->MessageBoxes[0].Text;
  }
  ScopedFakeSystem sys;
  FakeSettingsWindows windows;
  core::TSettings settings;
};

TEST_F(SettingsStart, AReadableFileIsReadWithoutAWord) {
  Start(R"({"DesktopIndicator":{"BorderWidth":3}})");
  EXPECT_EQ(settings.BorderWidth, 3);
  EXPECT_TRUE(sys->MessageBoxes.empty());
  EXPECT_FALSE(sys->HasFile(kBackup));
  settings.Save(kFile, windows);
  EXPECT_NE(sys->FileText(kFile).find("\"BorderWidth\": 3"), std::string::npos);
}

struct UnreadableCase {
  const char* name;
  std::string text;
  const wchar_t* reason;
};

class SettingsStartUnreadable : public SettingsStart,
                                public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(SettingsStartUnreadable, KeepsTheFileAsACopyAndSavesAfterwards) {
  Start(GetParam().text);
  const std::wstring message = OnlyMessage();
  EXPECT_NE(message.find(kFile), std::wstring::npos) << os::WideToUtf8(message);
  EXPECT_NE(message.find(GetParam().reason), std::wstring::npos) << os::WideToUtf8(message);
  EXPECT_NE(message.find(L"kept as \"" + std::wstring(kBackup) + L"\""), std::wstring::npos);
  EXPECT_NE(message.find(L"starts with default values"), std::wstring::npos);
  // Plain words only: none of the JSON library's own text, none of the file's bytes.
  for (const wchar_t* noise : {L"json.exception", L"parse error", L"last read", L"\uFFFD"}) {
    EXPECT_EQ(message.find(noise), std::wstring::npos) << os::WideToUtf8(message);
  }
  EXPECT_NE(sys->MessageBoxes[0].Flags & os::kMbTaskModal, 0u);
  EXPECT_EQ(sys->FileText(kBackup), GetParam().text);

  settings.Save(kFile, windows);
  EXPECT_NE(sys->FileText(kFile).find("\"MainWindow\""), std::string::npos);
  EXPECT_EQ(sys->FileText(kBackup), GetParam().text) << "the copy is left alone";
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsStartUnreadable,
    ::testing::Values(
        UnreadableCase{"notJson", "{\"MainWindow\": {", L"is not valid JSON at line 1, column 17."},
        // The reported file: saved by Notepad as "Unicode".
        UnreadableCase{"utf16", std::string("\xFF\xFE{\0\"\0M\0\"\0:\0{\0}\0}\0", 16),
                       L"is not UTF-8 text at line 1, column 1: it looks like UTF-16"},
        UnreadableCase{"badColour", R"({"DesktopIndicator":{"Color_Led_On":"red"}})", L"\"red\""},
        UnreadableCase{"aboveInt64", R"({"DesktopIndicator":{"BorderWidth":18446744073709551615}})",
                       L"\"BorderWidth\""},
        // Sections of another type than an object: they were skipped without a word.
        UnreadableCase{"sectionAList", R"({"DesktopBorder": [1, 2]})",
                       L"Section \"DesktopBorder\": it holds a list"},
        UnreadableCase{"sectionAText", R"({"MouseIndicator": "oops"})",
                       L"Section \"MouseIndicator\": it holds a text"},
        UnreadableCase{"listMemberAList", R"({"DesktopBorder": {"SL_Lang_DesktopBorder_Color": [[1]]}})",
                       L"\"SL_Lang_DesktopBorder_Color\""},
        UnreadableCase{"nested12000Levels",
                       R"({"Exclude_WindowClass":{"SL_Exclude_WindowClass":)" +
                           std::string(12000, '[') + std::string(12000, ']') + "}}",
                       L"64 levels"}),
    [](const auto& info) { return std::string(info.param.name); });

// The reported fault: where the copy could not be made, the first save replaced the user's only
// copy with the defaults.
TEST_F(SettingsStart, WithoutACopyNoSaveOfTheRunReplacesTheFile) {
  const std::string text = "{\"MainWindow\":{\"Left\":1,";
  sys->FailWritesTo.insert(L"C:\\WORK\\SETTINGS\\SETTINGS.JSON.BAK");
  Start(text);
  const std::wstring message = OnlyMessage();
  EXPECT_NE(message.find(L"not valid JSON"), std::wstring::npos) << os::WideToUtf8(message);
  EXPECT_EQ(message.find(L"kept as"), std::wstring::npos) << os::WideToUtf8(message);
  EXPECT_NE(message.find(L"No copy of it could be made as \"" + std::wstring(kBackup) + L"\""),
            std::wstring::npos);
  EXPECT_NE(message.find(L"not saved"), std::wstring::npos);

  for (const wchar_t* name : {kFile, L"c:\\work\\settings\\SETTINGS.JSON"}) {
    try {
      settings.Save(name, windows);
      ADD_FAILURE() << "the save pretended success";
    } catch (const os::Error& e) {
      EXPECT_NE(e.Message().find(L"not saved"), std::wstring::npos) << os::WideToUtf8(e.Message());
      EXPECT_NE(e.Message().find(name), std::wstring::npos);
    }
  }
  EXPECT_EQ(sys->FileText(kFile), text);
  EXPECT_FALSE(sys->HasFile(std::wstring(kFile) + L".tmp"));
  EXPECT_FALSE(sys->HasFile(kBackup));
}

}  // namespace
