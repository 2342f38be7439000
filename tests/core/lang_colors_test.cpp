// The per-language colour lookup: the first entry of the language in any letter case, else the
// "US" entry, else the system tooltip background; an entry whose text is no colour counts as none.
#include <gtest/gtest.h>

#include <optional>

#include "core/lang_colors.h"

namespace {

// Colour text is RRGGBB, a TColor 0x00BBGGRR.
constexpr os::TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

TEST(LangColor, TheFirstEntryOfTheLanguageOrNone) {
  const core::TStringList list{L"us=FF0000", L"DE=00FF00", L"de=0000FF", L"FR=12345G", L"IT="};
  EXPECT_EQ(core::LangColor(list, L"de"), kGreen) << "the first, whatever the case";
  EXPECT_EQ(core::LangColor(list, L"US"), kRed);
  EXPECT_EQ(core::LangColor(list, L"FR"), std::nullopt) << "no colour text";
  EXPECT_EQ(core::LangColor(list, L"IT"), os::clInfoBk) << "an empty text is the tooltip colour";
  EXPECT_EQ(core::LangColor(list, L"ES"), std::nullopt) << "no \"US\" stand-in here";
}

TEST(LangColor, OrUSFallsBackToUSThenToTheTooltipBackground) {
  struct Case {
    const char* What;
    core::TStringList List;
    const wchar_t* Code;
    os::TColor Expected;
  } cases[] = {
      {"the language's own", {L"US=FF0000", L"DE=0000FF"}, L"de", kBlue},
      {"no entry: US", {L"US=FF0000", L"DE=0000FF"}, L"RU", kRed},
      {"not a colour: US", {L"DE=nope", L"us=FF0000"}, L"DE", kRed},
      {"neither", {L"DE=0000FF"}, L"RU", os::clInfoBk},
      {"US not a colour either", {L"US=#FF0000"}, L"RU", os::clInfoBk},
      {"empty list", {}, L"US", os::clInfoBk},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::LangColorOrUS(c.List, c.Code), c.Expected) << c.What;
  }
}

}  // namespace
