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
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
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
        // A number among the lines: it was taken as the line "5".
        UnreadableCase{"listMemberANumber", R"({"RGB_Lighting": {"SL_Lang_RGB_Color": ["US=010203", 5]}})",
                       L"Section \"RGB_Lighting\", key \"SL_Lang_RGB_Color\": member 2 holds a number"},
        UnreadableCase{"nested12000Levels",
                       R"({"Exclude_WindowClass":{"SL_Exclude_WindowClass":)" +
                           std::string(12000, '[') + std::string(12000, ']') + "}}",
                       L"64 levels"}),
    [](const auto& info) { return std::string(info.param.name); });

// The reported fault: one bad colour in a file of good values cost every value after it, and the
// save at exit wrote their defaults over the file. The start still reports the colour and keeps
// the file as its copy; the values are all read, and the exit saves them.
TEST_F(SettingsStart, OneBadColourCostsItAloneAndTheExitSavesTheRest) {
  const std::string text = R"({"DesktopIndicator": {"Color_Main_Background": "12345Z"},
      "DesktopBorder": {"IsShowTaskbarBorder": true},
      "MouseIndicator": {"MouseIndicator_AutoHideSec": 7},
      "Exclude_AppFileName": {"SL_Exclude_AppFileName": ["1;game.exe"]},
      "CaretIndicator": {"CaretIndicator_Positon": 2}})";
  Start(text);
  const std::wstring message = OnlyMessage();
  EXPECT_NE(message.find(L"key \"Color_Main_Background\": \"12345Z\""), std::wstring::npos)
      << os::WideToUtf8(message);
  EXPECT_NE(message.find(L"kept as \"" + std::wstring(kBackup) + L"\""), std::wstring::npos);
  EXPECT_EQ(sys->FileText(kBackup), text);

  settings.Save(kFile, windows);
  const std::string saved = sys->FileText(kFile);
  for (const char* line : {"\"IsShowTaskbarBorder\": true,", "\"MouseIndicator_AutoHideSec\": 7,",
                           "\"1;game.exe\"", "\"CaretIndicator_Positon\": 2,",
                           "\"Color_Main_Background\": \"0066CC\","}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line << "\n" << saved;
  }
  // The default line stays in the caret indicator's list only: the mouse indicator's is the file's.
  EXPECT_EQ(saved.find("1:SystemSettings.exe"), saved.rfind("1:SystemSettings.exe")) << saved;
}

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

// --- Copies of unreadable files. Each start with a bad file keeps it beside the earlier copies,
// which may hold the user's only settings, and never writes over one of them.

std::wstring CopyName(int n) {
  return std::wstring(kBackup) + (n == 1 ? L"" : std::to_wstring(n));
}

std::string BadFile(int n) { return "{\"MainWindow\": {\"Left\": " + std::to_string(n) + ","; }

class SettingsStartCopies : public SettingsStart {
 protected:
  // One start of a fresh instance with the text as its file, ending with the save of its exit.
  std::wstring StartAndExit(const std::string& text) {
    sys->MessageBoxes.clear();
    core::TSettings s;
    FakeSettingsWindows w;
    sys->AddFile(kFile, text);
    core::LoadSettingsAtStart(s, kFile, w);
    try {
      s.Save(kFile, w);
    } catch (const os::Error&) {
    }
    return OnlyMessage();
  }
};

TEST_F(SettingsStartCopies, EachBadStartAddsACopyBesideTheEarlierOnes) {
  for (int n = 1; n <= core::kMaxSettingsCopies; ++n) {
    SCOPED_TRACE(n);
    const std::wstring message = StartAndExit(BadFile(n));
    EXPECT_NE(message.find(L"kept as \"" + CopyName(n) + L"\"."), std::wstring::npos)
        << os::WideToUtf8(message);
    EXPECT_NE(sys->FileText(kFile).find("\"MainWindow\""), std::string::npos) << "saved";
  }
  for (int n = 1; n <= core::kMaxSettingsCopies; ++n) EXPECT_EQ(sys->FileText(CopyName(n)), BadFile(n));
  EXPECT_EQ(CopyName(2), L"C:\\Work\\Settings\\settings.json.bak2");
}

// With all copies taken, the next bad file is not copied; none of the copies is touched, and so
// that the bad file is not lost either, nothing of the run is saved over it.
TEST_F(SettingsStartCopies, WithEveryCopyTakenTheFileIsLeftAsItIs) {
  for (int n = 1; n <= core::kMaxSettingsCopies; ++n) sys->AddFile(CopyName(n), BadFile(n));
  const std::string last = BadFile(100);
  const std::wstring message = StartAndExit(last);
  EXPECT_NE(message.find(L"No copy of it was made"), std::wstring::npos) << os::WideToUtf8(message);
  EXPECT_NE(message.find(CopyName(core::kMaxSettingsCopies)), std::wstring::npos);
  EXPECT_NE(message.find(L"not saved"), std::wstring::npos);
  EXPECT_EQ(sys->FileText(kFile), last);
  for (int n = 1; n <= core::kMaxSettingsCopies; ++n) EXPECT_EQ(sys->FileText(CopyName(n)), BadFile(n));
  EXPECT_FALSE(sys->HasFile(CopyName(core::kMaxSettingsCopies + 1)));

  // Once the user has deleted one, the next start keeps its file there.
  sys->RemoveFile(CopyName(4));
  EXPECT_NE(StartAndExit(last).find(L"kept as \"" + CopyName(4) + L"\"."), std::wstring::npos);
  EXPECT_EQ(sys->FileText(CopyName(4)), last);
  EXPECT_EQ(sys->FileText(CopyName(5)), BadFile(5));
}

// The same bad file again (the save of the run before failed, or the program was ended) is
// already kept: it takes no second copy.
TEST_F(SettingsStartCopies, TheSameBadFileAgainIsNotCopiedTwice) {
  sys->AddFile(CopyName(1), BadFile(1));
  sys->AddFile(CopyName(2), BadFile(2));
  const std::wstring message = StartAndExit(BadFile(2));
  EXPECT_NE(message.find(L"kept as \"" + CopyName(2) + L"\"."), std::wstring::npos)
      << os::WideToUtf8(message);
  EXPECT_FALSE(sys->HasFile(CopyName(3)));
  EXPECT_EQ(sys->FileText(CopyName(1)), BadFile(1));
}

}  // namespace
