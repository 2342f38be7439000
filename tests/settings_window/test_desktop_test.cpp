// The test desktop draws the program's fonts and colours as a Windows machine would: with Wine's
// own Tahoma and Marlett, Segoe UI (which Wine lacks) with Tahoma and Lucida Console with a
// fixed-pitch face, not with the first font at hand; and links in Windows' hot-light blue, not in
// the pale grey of Wine's light theme. Otherwise what the tests measure and the screenshots show
// would not be what a user sees.
#include <gtest/gtest.h>

#include <string>

#include "support/realised_font.h"

namespace {

using testing_support::RealisedFont;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(TestDesktop, TahomaSegoeUiAndMarlettAreDrawnWithWinesOwnFonts) {
  struct Case {
    const wchar_t* Asked;
    bool Bold;
    const wchar_t* Family;
    const wchar_t* Style;
  };
  const Case cases[] = {
      {L"Tahoma", false, L"Tahoma", L"Regular"},    // the settings window's font
      {L"Tahoma", true, L"Tahoma", L"Bold"},        // its own bold face, not a thickened one
      {L"Segoe UI", false, L"Tahoma", L"Regular"},  // the indicators' font
      {L"Segoe UI", true, L"Tahoma", L"Bold"},
  };
  for (const Case& c : cases) {
    const auto got = RealisedFont(c.Asked, 13, c.Bold);
    const std::string what = Narrow(c.Asked) + (c.Bold ? " bold" : "");
    EXPECT_EQ(got.Family, c.Family) << what;
    EXPECT_EQ(got.Style, c.Style) << what;
  }
  // The caption buttons' glyphs: a symbol font, not letters of a text font.
  const auto marlett = RealisedFont(L"Marlett", 13, false);
  EXPECT_EQ(marlett.Family, L"Marlett");
  EXPECT_EQ(marlett.CharSet, SYMBOL_CHARSET);
}

TEST(TestDesktop, LucidaConsoleIsDrawnWithAFixedPitch) {
  // The tray menu's folder items ask for it.
  EXPECT_TRUE(RealisedFont(L"Lucida Console", 12, false).FixedPitch);
}

TEST(TestDesktop, HotLightIsWindowsBlue) {
  // Windows' default; the links and the notes of the settings window are drawn in it.
  EXPECT_EQ(::GetSysColor(COLOR_HOTLIGHT), RGB(0, 102, 204));
}

}  // namespace
