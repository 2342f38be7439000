// The keyboard colour inside the whole pass: a colour text that is not hexadecimal (a hand-edited
// settings file) counts as no entry, and the steps after the keyboard's still run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backlight_pass_fixture.h"
#include "monitor/globals.h"
#include "settings_window/lang_data.h"

namespace {

using monitor::fLangInfoMouse;
using monitor::fWorkareaBorderL;
using testing_support::kLayoutDE;

class PassWithBacklight : public testing_support::BacklightPassFixture {
 protected:
  std::string LastLighting() {
    const Lines lines = LightingCalls();
    return lines.empty() ? std::string() : lines.back();
  }
  bool LineAbove(HWND line, HWND other) {
    for (HWND h = ::GetWindow(line, GW_HWNDPREV); h != nullptr; h = ::GetWindow(h, GW_HWNDPREV)) {
      if (h == other) return false;
    }
    return true;
  }

  backlight_test::FakeLedLibrary led;
};

TEST_F(PassWithBacklight, AKeyboardColourThatIsNotHexCountsAsNoEntryAndThePassGoesOn) {
  sys->SysColors[24] = 0xE1FFFF;  // the tooltip background: FFFFE1 as RRGGBB
  Start();
  MakeReady();
  sys->SwitchLayout(notepad, kLayoutDE);
  S().IsShowWorkareaBorder = true;
  // Each case also leaves a mark of its own in what the steps after the keyboard's write: a
  // colour, and the same colour as RRGGBB text.
  const struct {
    const char* Name;
    core::TStringList Colors;
    const char* Sent;
    os::TColor Mark;
    const wchar_t* MarkText;
  } cases[] = {
      {"the US entry", {L"DE=NOTHEX", L"US=FF8000"}, "LogiLedSetLighting 100 50 0", 0x110000,
       L"000011"},
      {"the tooltip colour", {L"DE=NOTHEX"}, "LogiLedSetLighting 100 100 88", 0x220000, L"000022"},
      {"US not hex either", {L"US=NOTHEX", L"DE=NOTHEX"}, "LogiLedSetLighting 100 100 88",
       0x330000, L"000033"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    S().SL_Lang_RGB_Color = c.Colors;
    S().MouseIndicator_Color_Main_Background = c.Mark;
    S().SL_Lang_DesktopBorder_Color = {std::wstring(L"DE=") + c.MarkText};
    for (ui::TreeNode* n = main->vstLang_DesktopBorder.FirstNode(); n != nullptr;
         n = main->vstLang_DesktopBorder.NextNode(n)) {
      n->Data<settings_window::TLangsData>().BorderColor = c.Mark;
    }
    Advance(0.6);
    sys->KeysDown = {os::kVkMenu, os::kVkPause};
    const bool enabled = core::IsEnabled_AllIndicator;
    HWND other = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0,
                                   0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    Pass();

    EXPECT_EQ(LastLighting(), c.Sent);
    EXPECT_TRUE(sys->MessageBoxes.empty());
    EXPECT_EQ(fLangInfoMouse->Color(), c.Mark) << "the mouse indicator";
    EXPECT_EQ(fWorkareaBorderL->Color(), c.Mark) << "the border lines";
    EXPECT_EQ(main->ShapeLineL.BrushColor(), c.Mark) << "the border preview";
    EXPECT_NE(core::IsEnabled_AllIndicator, enabled) << "Alt + Pause";
    EXPECT_TRUE(LineAbove(fWorkareaBorderL->Handle(), other)) << "the topmost refresh";
    ::DestroyWindow(other);
  }
}

}  // namespace
