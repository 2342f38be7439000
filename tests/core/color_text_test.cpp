#include <gtest/gtest.h>

#include "core/color_text.h"
#include "os/error.h"
#include "support/fake_system.h"

namespace {

using testing_support::ScopedFakeSystem;

TEST(ColorToHexRGB, WritesRedGreenBlue) {
  ScopedFakeSystem sys;
  const std::pair<os::TColor, const wchar_t*> cases[] = {
      {0x93DB70, L"70DB93"}, {0xCC6600, L"0066CC"}, {0xE1FFFF, L"FFFFE1"},
      {0x000000, L"000000"}, {0x0000FF, L"FF0000"}, {0x12345678, L"785634"},  // high byte dropped
  };
  for (const auto& [color, text] : cases) EXPECT_EQ(core::ColorToHexRGB(color), text) << text;
}

TEST(ColorToHexRGB, WritesASystemColourAsItsCurrentValue) {
  ScopedFakeSystem sys;
  sys->SysColors[24] = 0xE1FFFF;
  EXPECT_EQ(core::ColorToHexRGB(os::clInfoBk), L"FFFFE1");
  sys->SysColors[24] = 0xFFFFFF;
  EXPECT_EQ(core::ColorToHexRGB(os::clInfoBk), L"FFFFFF");
}

TEST(HexRGBToColor, ReadsSixDigitsRedFirst) {
  const std::pair<const wchar_t*, os::TColor> cases[] = {
      {L"70DB93", 0x93DB70}, {L"70db93", 0x93DB70}, {L"70DB93FF", 0x93DB70},
      {L"FFF", 0x000FFF},    {L"0066CC", 0xCC6600}, {L"F", 0x00000F},
      {L"", os::clInfoBk},   {L"   ", os::clInfoBk}, {L" \t\r\n", os::clInfoBk},
  };
  for (const auto& [text, color] : cases) EXPECT_EQ(core::HexRGBToColor(text), color) << text;
}

TEST(HexRGBToColor, RaisesOnTextThatIsNotHexadecimal) {
  for (const wchar_t* text : {L" 70DB93", L"70DB9G", L"#70DB9", L"70-B93", L"zz", L"0x1234"}) {
    try {
      core::HexRGBToColor(text);
      ADD_FAILURE() << "no error for " << testing::PrintToString(std::wstring(text));
    } catch (const os::Error& e) {
      EXPECT_NE(e.Message().find(text), std::wstring::npos) << "the message names the text";
    }
  }
}

TEST(ColorText, RoundTripsEveryChannel) {
  ScopedFakeSystem sys;
  for (os::TColor c : {0x000000, 0xFFFFFF, 0x010203, 0xA0B0C0, 0x7F0080}) {
    EXPECT_EQ(core::HexRGBToColor(core::ColorToHexRGB(c)), c);
  }
}

}  // namespace
