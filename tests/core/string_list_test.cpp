#include <gtest/gtest.h>

#include "core/string_list.h"

namespace {

TEST(FindEntryValue, TakesTheFirstEntryWhoseNameMatchesWithoutRegardToCase) {
  const core::TStringList list{L"DE=112233", L"US=0000FF", L"us=FF0000", L"RU=", L"broken"};
  EXPECT_EQ(core::FindEntryValue(list, L"US"), L"0000FF");
  EXPECT_EQ(core::FindEntryValue(list, L"de"), L"112233");
  EXPECT_EQ(core::FindEntryValue(list, L"RU"), L"");  // an empty value still counts
  EXPECT_FALSE(core::FindEntryValue(list, L"FR").has_value());
  EXPECT_FALSE(core::FindEntryValue(list, L"broken").has_value());
}

TEST(ExclusionEntry, FlagSeparatorAndName) {
  struct Case {
    std::wstring entry;
    bool enabled;
    std::wstring name;
  };
  const Case cases[] = {
      {L"0;notepad.exe", false, L"notepad.exe"},
      {L"1:Start", true, L"Start"},
      {L"1", true, L""},
      {L"1;", true, L""},
      {L"", false, L""},
      {L"x:Shell_TrayWnd", false, L"Shell_TrayWnd"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(core::IsExclusionEnabled(c.entry), c.enabled) << testing::PrintToString(c.entry);
    EXPECT_EQ(core::ExclusionName(c.entry), c.name) << testing::PrintToString(c.entry);
  }
}

TEST(ExclusionEntry, NameIsAtMost256CharactersFromTheThird) {
  std::wstring entry = L"1:";
  for (int i = 0; i < 298; ++i) entry += static_cast<wchar_t>(L'a' + i % 26);
  ASSERT_EQ(entry.size(), 300u);
  EXPECT_EQ(core::ExclusionName(entry), entry.substr(2, 256));
}

}  // namespace
