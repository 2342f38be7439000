// The number box: its range, typing, the spin buttons, keys and the wheel, and its change event.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_host.h"
#include "support/recording_canvas.h"
#include "ui/native_calls.h"
#include "ui/number_box.h"

namespace {

std::wstring TextOf(HWND h) {
  wchar_t buffer[64] = {};
  ::GetWindowTextW(h, buffer, 64);
  return buffer;
}

class NumberBoxTest : public testing_support::ControlHostTest {
 protected:
  NumberBoxTest() {
    // The transparency box of the mouse indicator's page: 100 wide, 21 high, 100..255.
    box.SetBounds(85, 135, 100, 21);
    box.SetRange(100, 255);
    box.SetValueInt(220);
    box.OnChangeValue = [this] { values.push_back(box.ValueInt()); };
    form.Show();
    edit = box.EditHandle();
  }
  void Type(const std::wstring& text) {
    ::SendMessageW(edit, EM_SETSEL, 0, -1);  // typing replaces what is there
    for (wchar_t c : text) ::SendMessageW(edit, WM_CHAR, c, 1);
  }
  void Key(WPARAM key) { ::SendMessageW(edit, WM_KEYDOWN, key, 1); }
  void Wheel(HWND target, int delta) {
    POINT at{85 + 50, 135 + 10};
    ::ClientToScreen(form.Handle(), &at);
    ::SendMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                   MAKELPARAM(at.x, at.y));
  }
  ui::NumberBox box{&form};
  HWND edit = nullptr;
  std::vector<int> values;
};

TEST_F(NumberBoxTest, AValueFromCodeIsClampedToTheRangeAndRaisesOnlyOnAChange) {
  struct Case {
    int Min, Max, Set, Expected;
  } cases[] = {
      {100, 255, 220, 220},  // as it is: nothing
      {100, 255, 300, 255},  {100, 255, 255, 255}, {100, 255, 50, 100},
      {100, 255, 180, 180},  {1, 8, 0, 1},  // a border width of 0 in the file shows 1
      {0, 3, 2, 2},          {0, 3, -1, 0},        {1, 10, 11, 10},
  };
  std::vector<int> expected;
  int last = 220;
  for (const Case& c : cases) {
    box.SetRange(c.Min, c.Max);
    if (box.ValueInt() != last) expected.push_back(box.ValueInt());  // a new range clamps too
    last = box.ValueInt();
    box.SetValueInt(c.Set);
    EXPECT_EQ(box.ValueInt(), c.Expected) << c.Min << ".." << c.Max << " set " << c.Set;
    EXPECT_EQ(TextOf(edit), std::to_wstring(c.Expected));
    if (c.Expected != last) expected.push_back(c.Expected);
    last = c.Expected;
  }
  EXPECT_EQ(values, expected);

  ui::ResetNativeCallCount();
  box.SetValueInt(box.ValueInt());
  box.SetRange(1, 10);
  EXPECT_EQ(ui::NativeCallCount(), 0) << "a rewrite writes nothing to the window";
}

TEST_F(NumberBoxTest, TypingChangesTheValueOnceTheTextIsANumberInRangeAndEnterClampsIt) {
  Type(L"250");  // "2" and "25" are below the range: the value waits for "250"
  EXPECT_EQ(box.ValueInt(), 250);
  EXPECT_EQ(values, (std::vector<int>{250}));

  Type(L"300");
  EXPECT_EQ(box.ValueInt(), 250) << "out of range while typing";
  EXPECT_EQ(TextOf(edit), L"300");
  Key(VK_RETURN);
  EXPECT_EQ(box.ValueInt(), 255);
  EXPECT_EQ(TextOf(edit), L"255");

  Type(L"7");
  ::SendMessageW(edit, WM_KILLFOCUS, 0, 0);  // leaving the box takes the text too
  EXPECT_EQ(box.ValueInt(), 100);
  EXPECT_EQ(TextOf(edit), L"100");
  EXPECT_EQ(values, (std::vector<int>{250, 255, 100}));

  Type(L"1x5-");
  EXPECT_EQ(TextOf(edit), L"15") << "only digits; no minus sign in a positive range";
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(TextOf(edit), L"");
  Key(VK_RETURN);
  EXPECT_EQ(TextOf(edit), L"100") << "an empty box shows its value again";
  EXPECT_EQ(values, (std::vector<int>{250, 255, 100})) << "nothing typed that changed it";
}

TEST_F(NumberBoxTest, SpinButtonsKeysAndEachWheelNotchStepByOne) {
  const os::Rect up = box.UpButtonRect();
  const os::Rect down = box.DownButtonRect();
  EXPECT_EQ(up.Width(), 20);
  EXPECT_EQ(up.Right, 100);
  auto press = [&](const os::Rect& r) {
    testing_support::ClickAt(form, 85 + (r.Left + r.Right) / 2, 135 + (r.Top + r.Bottom) / 2);
  };
  press(up);
  press(up);
  press(down);
  Key(VK_UP);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(values, (std::vector<int>{221, 222, 221, 222, 221, 220}));
  EXPECT_EQ(TextOf(edit), L"220");

  values.clear();
  Wheel(edit, 3 * WHEEL_DELTA);  // three notches: three steps, three changes
  EXPECT_EQ(values, (std::vector<int>{221, 222, 223}));
  Wheel(edit, -WHEEL_DELTA / 2);
  EXPECT_EQ(box.ValueInt(), 223) << "half a notch is no step yet";
  Wheel(edit, -WHEEL_DELTA / 2);
  EXPECT_EQ(box.ValueInt(), 222);
  Wheel(form.Handle(), WHEEL_DELTA);  // over the spin buttons, which the form paints
  EXPECT_EQ(box.ValueInt(), 223);

  box.SetValueInt(255);
  values.clear();
  press(up);
  Key(VK_UP);
  Wheel(edit, WHEEL_DELTA);
  EXPECT_TRUE(values.empty()) << "no step beyond the range";
  EXPECT_EQ(TextOf(edit), L"255");
}

TEST_F(NumberBoxTest, AStepContinuesFromWhatWasTyped) {
  Type(L"240");
  values.clear();
  Key(VK_UP);
  EXPECT_EQ(values, (std::vector<int>{241}));
  Type(L"400");
  Key(VK_DOWN);
  EXPECT_EQ(box.ValueInt(), 254) << "from the typed number, clamped";
}

TEST_F(NumberBoxTest, TheEditFillsTheBoxLeftOfTheSpinButtonsWhichTheFormPaints) {
  RECT r{};
  ::GetWindowRect(edit, &r);
  POINT origin{85, 135};
  ::ClientToScreen(form.Handle(), &origin);
  EXPECT_EQ(r.left, origin.x);
  EXPECT_EQ(r.right - r.left, 80);
  EXPECT_EQ(r.bottom - r.top, 21);
  EXPECT_TRUE(::IsWindowVisible(edit));
  const ui::Font bold{L"Tahoma", 13, true, os::clBlack};
  box.SetFont(bold);
  EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0)), ui::FontHandle(bold))
      << "the edit takes the box's font";

  testing_support::RecordingCanvas canvas;
  box.Paint(canvas);
  int inSpin = 0;
  for (const auto& op : canvas.OfKind(testing_support::CanvasOp::Fill)) {
    if (op.R.Left >= 80) ++inSpin;
  }
  EXPECT_EQ(inSpin, 2) << "two buttons";
  form.Repaint();
}

TEST_F(NumberBoxTest, ABoxMadeOnAFormWithAWindowTakesKeysToo) {
  ui::NumberBox late(&form);
  late.SetBounds(85, 20, 100, 21);
  int changes = 0;
  late.OnChangeValue = [&] { ++changes; };
  late.SetRange(1, 10);
  ::SendMessageW(late.EditHandle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(late.ValueInt(), 2) << "clamped from 0 at the range, then a step";
  EXPECT_EQ(changes, 2);
}

}  // namespace
