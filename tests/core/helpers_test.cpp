#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "core/common.h"
#include "os/text.h"
#include "os/win32/win32_system.h"
#include "support/fake_system.h"
#include "support/program_state.h"

namespace {

using testing_support::ScopedFakeSystem;

struct ScaleCase {
  int dpi;
  int value;
  int expected;
};

class ScaleTest : public ::testing::TestWithParam<ScaleCase> {
 protected:
  void TearDown() override { core::ScreenDPI = 0; }
};

TEST_P(ScaleTest, RoundsToNearestWithHalvesAwayFromZero) {
  core::ScreenDPI = GetParam().dpi;
  EXPECT_EQ(core::Scale(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Dpis, ScaleTest,
                         ::testing::Values(ScaleCase{96, 17, 17}, ScaleCase{96, -3, -3},
                                           ScaleCase{120, 2, 3},  // 2.5 rounds up
                                           ScaleCase{120, 10, 13},  // 12.5 rounds up
                                           ScaleCase{120, -2, -3},  // -2.5 rounds away from zero
                                           ScaleCase{144, 5, 8}, ScaleCase{144, -5, -8},
                                           ScaleCase{144, 30, 45}, ScaleCase{192, 0, 0},
                                           ScaleCase{168, 1000000, 1750000}));

TEST(Scale, IsZeroBeforeTheDpiIsTaken) {
  core::ScreenDPI = 0;
  EXPECT_EQ(core::Scale(30), 0);
}

TEST(Scale, FormsTheProductIn64Bits) {
  core::ScreenDPI = 192;
  EXPECT_EQ(core::Scale(2'000'000'000 / 2), 2'000'000'000);
  core::ScreenDPI = 0;
}

class LangTextTest : public ::testing::Test {
 protected:
  void TearDown() override { core::LangTable.reset(); }
  void Load(const char* text) {
    core::LangTable = std::make_unique<core::Json>(core::ParseJsonText(text));
  }
};

TEST_F(LangTextTest, EmptyWhileNoTableIsLoaded) {
  core::LangTable.reset();
  EXPECT_EQ(core::GetLangText(505), L"");
}

TEST_F(LangTextTest, ReadsItemsByDecimalNumber) {
  Load(R"({"LanguageName":"English","Items":{"1":"Common Settings","505":"Web site",)"
       R"("-3":"minus","12":7,"20":"Caf\u00e9 & \u0411\u0430\u0440"}})");
  EXPECT_EQ(core::GetLangText(505), L"Web site");
  EXPECT_EQ(core::GetLangText(1), L"Common Settings");
  EXPECT_EQ(core::GetLangText(-3), L"minus");
  EXPECT_EQ(core::GetLangText(12), L"7");  // another kind of value gives its text form
  EXPECT_EQ(core::GetLangText(20), L"Caf\u00e9 & \u0411\u0430\u0440");
  EXPECT_EQ(core::GetLangText(2), L"");     // absent
  EXPECT_EQ(core::GetLangText(1000), L"");
}

TEST_F(LangTextTest, NoLeadingZerosAndNoItemsMember) {
  Load(R"({"Items":{"05":"zero five"}})");
  EXPECT_EQ(core::GetLangText(5), L"");
  Load(R"({"LanguageName":"English"})");
  EXPECT_EQ(core::GetLangText(5), L"");
}

// The system's own answer, through the real seam: the folders the system names by other calls,
// with no trailing backslash, and an empty text for a folder number the system does not know.
TEST(GetFolderPath, AsksTheSystemForTheCurrentFolder) {
  os::win32::Win32System real;
  os::SetSystem(&real);
  wchar_t windows[MAX_PATH] = {}, system[MAX_PATH] = {};
  ASSERT_GT(::GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring gotWindows = core::GetFolderPath(CSIDL_WINDOWS);
  const std::wstring gotSystem = core::GetFolderPath(CSIDL_SYSTEM);
  const std::wstring unknown = core::GetFolderPath(0x7F);
  os::SetSystem(nullptr);
  EXPECT_TRUE(::CompareStringOrdinal(gotWindows.c_str(), -1, windows, -1, TRUE) == CSTR_EQUAL)
      << os::WideToUtf8(gotWindows);
  EXPECT_TRUE(::CompareStringOrdinal(gotSystem.c_str(), -1, system, -1, TRUE) == CSTR_EQUAL)
      << os::WideToUtf8(gotSystem);
  EXPECT_NE(gotWindows.back(), L'\\');
  EXPECT_EQ(unknown, L"");
}

TEST(GetFolderPath, GivesTheFolderWithoutTrailingBackslashOrEmptyOnFailure) {
  ScopedFakeSystem sys;
  sys->Folders[0x24] = L"C:\\Windows";
  sys->Folders.erase(0x25);
  EXPECT_EQ(core::GetFolderPath(0x24), L"C:\\Windows");
  EXPECT_EQ(core::GetFolderPath(0x25), L"");
}

}  // namespace
