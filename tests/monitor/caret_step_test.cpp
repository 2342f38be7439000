// The caret indicator: shown when the caret moves, the language changes or a lock key changes;
// hidden after the auto-hide time, in excluded programs, and when it or everything is off;
// placed at the chosen corner of the caret.
#include <gtest/gtest.h>

#include "monitor/globals.h"
#include "pass_fixture.h"
#include "tray/data_module.h"

namespace {

using monitor::fLangInfoCaret;
using testing_support::kLayoutDE;

class CaretStep : public testing_support::PassFixture {
 protected:
  void SetUp() override {
    PassFixture::SetUp();
    Start();
    // The caret at (500, 300) on the screen: notepad's client area starts at (100, 100).
    sys->PlaceCaret(notepad, {400, 200, 401, 216});
  }
  void MoveCaret(int x, int y) { sys->PlaceCaret(notepad, {x - 100, y - 100, x - 99, y - 84}); }
  // The first show gives the CAPS and NUM labels the text colour; the next pass puts the lock
  // state's colour back and counts that as a lock change, which shows the indicator once more.
  void ShowAndSettle() {
    Pass();
    Pass();
  }
  bool Shown() const {
    return fLangInfoCaret->Tag == 1 && ::IsWindowVisible(fLangInfoCaret->Handle());
  }
  bool Hidden() const { return fLangInfoCaret->Tag == 0 && !::IsWindowVisible(fLangInfoCaret->Handle()); }
};

TEST_F(CaretStep, TheFirstPassShowsItTopRightOfTheCaret) {
  Pass();
  ASSERT_TRUE(Shown());
  const int h = fLangInfoCaret->Height();
  EXPECT_EQ(fLangInfoCaret->Left(), 510);
  EXPECT_EQ(fLangInfoCaret->Top(), 300 - h - 10);
  EXPECT_EQ(core::LastCaretPoint, (os::Point{500, 300}));
  EXPECT_EQ(core::CaretX, 500);
  EXPECT_EQ(fLangInfoCaret->L_Lang.Caption(), L"EN");
  EXPECT_EQ(fLangInfoCaret->L_Lang.Hint(), L"US");
  EXPECT_EQ(fLangInfoCaret->FlagIndex, tray::DM->IL_Flag25.FindIndexByName(L"us"));
  EXPECT_EQ(fLangInfoCaret->AlphaBlendValue(), 220);
}

// The four corners (d = 10 at 96 DPI), and a position value that places nothing.
TEST_F(CaretStep, IsPlacedAtTheChosenCorner) {
  for (int position : {0, 1, 2, 3, 5}) {
    S().CaretIndicator_Positon = position;
    fLangInfoCaret->SetBounds(7, 8, 60, 20);
    MoveCaret(600 + position, 400);
    Pass();
    const int x = 600 + position, y = 400, w = 60, h = 20, d = 10;
    const os::Point expected[] = {{x - w - d, y - h - d}, {x + d, y - h - d},
                                  {x - w - d, y + h + d}, {x + d, y + h + d}, {7, 8}};
    EXPECT_EQ(fLangInfoCaret->Left(), expected[position == 5 ? 4 : position].X) << position;
    EXPECT_EQ(fLangInfoCaret->Top(), expected[position == 5 ? 4 : position].Y) << position;
    EXPECT_TRUE(Shown()) << position;
  }
}

TEST_F(CaretStep, ACaretOnAZeroCoordinateCountsAsNone) {
  for (os::Point at : {os::Point{0, 300}, os::Point{500, 0}}) {
    fLangInfoCaret->Tag = 0;
    core::LastCaretPoint = {};
    MoveCaret(at.X, at.Y);
    Pass();
    EXPECT_TRUE(Hidden()) << at.X << "," << at.Y;
    EXPECT_EQ(core::LastCaretPoint, (os::Point{})) << "not placed";
  }
}

TEST_F(CaretStep, AWindowWithoutATextCaretShowsNothing) {
  sys->ThreadOf(notepad).CaretWindow = {};
  Pass();
  EXPECT_TRUE(Hidden());
  EXPECT_EQ(core::CaretX, 0);
}

TEST_F(CaretStep, HidesAfterTheAutoHideTimeAndComesBackOnAMove) {
  ShowAndSettle();
  ASSERT_TRUE(Shown());
  Advance(2.9);
  Pass();
  EXPECT_TRUE(Shown()) << "2.95 s after the last trigger";
  Advance(0.1);
  Pass();
  EXPECT_TRUE(Hidden()) << "more than 3 s after the move";
  MoveCaret(520, 300);
  Pass();
  EXPECT_TRUE(Shown());
  EXPECT_EQ(fLangInfoCaret->Left(), 530);
}

TEST_F(CaretStep, WithoutAutoHideItStaysWhereItIsAlsoWhenTheCaretGoes) {
  S().CaretIndicator_IsAutoHide = false;
  Pass();
  sys->ThreadOf(notepad).CaretWindow = {};
  Advance(60);
  Pass();
  EXPECT_TRUE(Shown());
  EXPECT_EQ(fLangInfoCaret->Left(), 510);
}

TEST_F(CaretStep, ALanguageOrLockChangeAtAStillCaretShowsItAgain) {
  ShowAndSettle();
  Advance(4);
  Pass();
  ASSERT_TRUE(Hidden());
  sys->SwitchLayout(notepad, kLayoutDE);
  Pass();
  EXPECT_TRUE(Shown()) << "language";
  EXPECT_EQ(fLangInfoCaret->L_Lang.Caption(), L"DE");
  EXPECT_EQ(fLangInfoCaret->Left(), 510) << "at its last place";
  Advance(4);
  Pass();
  ASSERT_TRUE(Hidden());
  sys->KeysToggled = {os::kVkNumLock};
  Pass();
  EXPECT_TRUE(Shown()) << "Num Lock";
  Advance(4);
  Pass();
  ASSERT_TRUE(Hidden());
  Pass();
  EXPECT_TRUE(Hidden()) << "nothing new";
}

TEST_F(CaretStep, ExcludedProgramsGatesAndTheEnableSwitch) {
  S().SL_Exclude_AppFileName2 = {L"1:NOTEPAD.exe", L"1:"};
  S().BuildFilterList2();
  Pass();
  EXPECT_TRUE(Hidden()) << "excluded whatever the case";
  S().IsDontShowByApplicationFilename2 = false;
  MoveCaret(510, 300);
  Pass();
  EXPECT_TRUE(Shown()) << "the list's switch off";
  core::IsEnabled_AllIndicator = false;
  Pass();
  EXPECT_TRUE(Hidden()) << "all indicators off";
  core::IsEnabled_AllIndicator = true;
  S().CaretIndicator_IsShow = false;
  MoveCaret(530, 300);
  Pass();
  EXPECT_TRUE(Hidden()) << "switched off";
  EXPECT_EQ(core::CaretX, 510) << "not read while it is off";
}

TEST_F(CaretStep, AProgramWithoutANameIsNeverExcluded) {
  S().SL_Exclude_AppFileName2 = {L"1:"};
  S().BuildFilterList2();
  sys->ProcessOf(notepad).CannotOpen = true;
  Pass();
  EXPECT_TRUE(Shown());
}

TEST_F(CaretStep, TextColourByLanguageOrFixed) {
  S().CaretIndicator_SL_Lang_Color_Font = {L"US=FF0000"};
  Pass();
  EXPECT_EQ(fLangInfoCaret->L_Lang.GetFont().Color, 0x0000FF);
  EXPECT_EQ(fLangInfoCaret->L_NUM.GetFont().Color, 0x0000FF);
  sys->SwitchLayout(notepad, kLayoutDE);
  Pass();
  EXPECT_EQ(fLangInfoCaret->L_Lang.GetFont().Color, 0x000000) << "no US fallback: black";
  S().CaretIndicator_IsColorsByLang = false;
  S().CaretIndicator_Color_Main_Font = 0x00AA00;
  Pass();
  EXPECT_EQ(fLangInfoCaret->L_Lang.GetFont().Color, 0x00AA00);
}

TEST_F(CaretStep, TheWidthFollowsTheCapsNumSwitchAtTheNextMove) {
  Pass();
  auto& w = *fLangInfoCaret;
  EXPECT_EQ(w.Width(), w.L_NUM.Left() + w.L_NUM.Width() + 4);
  S().CaretIndicator_IsShowCapsNum = false;
  Pass();
  EXPECT_EQ(w.Width(), w.L_NUM.Left() + w.L_NUM.Width() + 4) << "not before the caret moves";
  MoveCaret(540, 300);
  Pass();
  EXPECT_EQ(w.Width(), w.L_Lang.Left() + w.L_Lang.Width() + 4 + 1);
}

}  // namespace
