#include <gtest/gtest.h>

#include <cwctype>

#include "core/common.h"
#include "monitor/globals.h"
#include "os/text.h"
#include "support/main_window_fixture.h"
#include "tray/data_module.h"
#include "ui/image_list.h"

namespace {

using testing_support::MainWindowFixture;

constexpr const wchar_t* kFlagCodes[] = {
#include "generated/flag_codes.inc"
};

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

TEST(FlagResources, EveryCodeHasBothSizesLoadableByName) {
  EXPECT_EQ(std::size(kFlagCodes), 270u);
  ui::ImageList small(16, 16), large(25, 25);
  for (const wchar_t* code : kFlagCodes) {
    const std::wstring name = Lower(code);
    ASSERT_NO_THROW(small.AddFromResource(L"png4x3_16_" + name, name)) << os::WideToUtf8(name);
    ASSERT_NO_THROW(large.AddFromResource(L"png4x3_25_" + name, name)) << os::WideToUtf8(name);
  }
  EXPECT_EQ(small.FindIndexByName(L"US"), large.FindIndexByName(L"us"));
  EXPECT_GE(small.FindIndexByName(L"ea"), 0) << "Spain's flag stands for EA";
  EXPECT_GE(small.FindIndexByName(L"gb_eng"), 0);
}

TEST(FlagResources, TheFlagFillsA4To3BandWithTransparentRowsAround) {
  ui::ImageList large(25, 25);
  large.AddFromResource(L"png4x3_25_de");
  const ui::PixelImage* de = large.Pixels(0);
  ASSERT_NE(de, nullptr);
  auto alpha = [&](int x, int y) { return (de->At(x, y) >> 24) & 0xFF; };
  for (int x = 0; x < 25; ++x) {
    EXPECT_EQ(alpha(x, 2), 0u);
    EXPECT_EQ(alpha(x, 3), 255u);
    EXPECT_EQ(alpha(x, 21), 255u);
    EXPECT_EQ(alpha(x, 22), 0u);
  }
}

class LayoutFlags : public MainWindowFixture {};

TEST_F(LayoutFlags, OneImagePerLayoutInLayoutOrderNamedByCountry) {
  sys->AddLocale(0x0407, L"de", L"DE", L"Deutsch", L"DEU");
  sys->AddLocale(0x0807, L"de", L"CH", L"Deutsch (Schweiz)", L"DES");
  sys->AddLocale(0x0419, L"ru", L"RU", L"Russian", L"RUS");
  sys->AddLocale(0x0580, L"es", L"419", L"Spanish (Latin America)", L"ESJ");
  // Two German layouts give two images of one name; the region without a flag gets none.
  sys->KeyboardLayouts = {0x04070407, 0x04190419, 0xF0A00407, 0x05800580, 0x08070807};
  CreateMainWindow();
  auto& small = tray::DM->IL_Flag16;
  auto& large = tray::DM->IL_Flag25;
  ASSERT_EQ(small.Count(), 4);
  ASSERT_EQ(large.Count(), 4);
  const std::wstring names[] = {L"de", L"ru", L"de", L"ch"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(small.Name(i), names[i]);
    EXPECT_EQ(large.Name(i), names[i]);
  }
  EXPECT_EQ(small.FindIndexByName(L"DE"), 0) << "first match";
  EXPECT_EQ(large.FindIndexByName(L"419"), -1);
  EXPECT_EQ(main->TrayIcon.Images(), &small);
  EXPECT_EQ(monitor::fLangInfo->GetPopupMenu(), &tray::DM->PopupMenu);
}

TEST_F(LayoutFlags, AnUnreadableLayoutListIsReportedAndTheStartGoesOn) {
  sys->KeyboardLayoutListFails = true;
  auto& w = CreateMainWindow();
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
  EXPECT_EQ(sys->MessageBoxes[0].Text, L"Error loading keyboard layout list");
  EXPECT_EQ(tray::DM->IL_Flag16.Count(), 0);
  EXPECT_FALSE(core::IsStarting) << "the rest of the creation ran";
  EXPECT_TRUE(w.TimerStart.Enabled());
}

}  // namespace
