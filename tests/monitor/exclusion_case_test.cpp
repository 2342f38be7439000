// The three exclusion lists match names whatever their letter case: Windows reports a program's
// file name as it lies on disk ("calc.exe", "CALC.EXE", "Calc.exe") and a user types a list entry
// in any case, so both sides are compared in upper case. Each case builds the runtime filter from
// the settings list, as the program does, and first shows the indicator without the entry.
#include <gtest/gtest.h>

#include <string>

#include "monitor/globals.h"
#include "monitor/mouse_hook.h"
#include "pass_fixture.h"

namespace {

using monitor::fLangInfoCaret;
using monitor::fLangInfoMouse;

enum class List { WindowClass, AppFileName, CaretAppFileName };

struct CaseRow {
  const char* Name;
  List Which;
  const wchar_t* Entry;     // the settings list's entry, its flag and separator included
  const wchar_t* Image;     // the program's path as the system reports it
  const wchar_t* Class;     // the class of its window
};

class ExclusionCase : public testing_support::PassFixture,
                      public ::testing::WithParamInterface<CaseRow> {
 protected:
  static constexpr os::Rect kBounds{1000, 100, 1300, 400};

  void SetUp() override {
    PassFixture::SetUp();
    const CaseRow& c = GetParam();
    program = sys->AddApp(c.Image, c.Class, testing_support::kLayoutUS, kBounds);
    Start();
    fLangInfoMouse->Show();  // as the start-up timer does
    if (c.Which == List::CaretAppFileName) {
      sys->Foreground = program;
      sys->PlaceCaret(program, {40, 30, 41, 46});
    }
  }

  // Empties or fills the case's settings list and rebuilds the filters from it.
  void UseEntry(bool on) {
    const CaseRow& c = GetParam();
    const core::TStringList entries = on ? core::TStringList{c.Entry} : core::TStringList{};
    S().SL_Exclude_WindowClass = c.Which == List::WindowClass ? entries : core::TStringList{};
    S().SL_Exclude_AppFileName = c.Which == List::AppFileName ? entries : core::TStringList{};
    S().SL_Exclude_AppFileName2 = c.Which == List::CaretAppFileName ? entries : core::TStringList{};
    S().BuildFilterLists();
    S().BuildFilterList2();
  }

  // The case's indicator over (or in) the program: shown or not.
  bool IndicatorShown(int step) {
    if (GetParam().Which == List::CaretAppFileName) {
      // A caret that moves shows the indicator again unless the program is excluded.
      sys->PlaceCaret(program, {40 + step, 30, 41 + step, 46});
      Pass();
      return fLangInfoCaret->Tag == 1 && ::IsWindowVisible(fLangInfoCaret->Handle());
    }
    MSLLHOOKSTRUCT info{};
    info.pt = {kBounds.Left + 50 + step, kBounds.Top + 50};
    monitor::MouseHookProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&info));
    return fLangInfoMouse->Tag == 0 && ::IsWindowVisible(fLangInfoMouse->Handle());
  }

  os::WindowId program;
};

TEST_P(ExclusionCase, AnEntryHidesTheIndicatorWhateverTheLetterCase) {
  UseEntry(false);
  ASSERT_TRUE(IndicatorShown(0)) << "shown while the list is empty";
  UseEntry(true);
  EXPECT_FALSE(IndicatorShown(1)) << "hidden by the entry";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExclusionCase,
    ::testing::Values(
        CaseRow{"classListUpperWindowMixed", List::WindowClass, L"1:CALCFRAME",
                L"C:\\Windows\\System32\\calc.exe", L"CalcFrame"},
        CaseRow{"classListMixedWindowUpper", List::WindowClass, L"1;CalcFrame",
                L"C:\\Windows\\System32\\calc.exe", L"CALCFRAME"},
        CaseRow{"appListUpperFileLower", List::AppFileName, L"1:CALC.EXE",
                L"C:\\Windows\\System32\\calc.exe", L"ApplicationFrameWindow"},
        CaseRow{"appListLowerFileUpper", List::AppFileName, L"1;calc.exe",
                L"C:\\Windows\\System32\\CALC.EXE", L"ApplicationFrameWindow"},
        CaseRow{"appListMixedFileMixed", List::AppFileName, L"1;calculatorapp.EXE",
                L"C:\\Program Files\\Calc\\CalculatorApp.exe", L"ApplicationFrameWindow"},
        CaseRow{"caretListUpperFileLower", List::CaretAppFileName, L"1:FAR.EXE",
                L"C:\\Far\\far.exe", L"FarConsole"},
        CaseRow{"caretListLowerFileUpper", List::CaretAppFileName, L"1;far.exe",
                L"C:\\Far\\FAR.EXE", L"FarConsole"},
        CaseRow{"caretListMixedFileMixed", List::CaretAppFileName, L"1;fAR.exe",
                L"C:\\Far\\Far.Exe", L"FarConsole"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
