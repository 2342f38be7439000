#pragma once
#include <climits>
#include <functional>
#include <memory>

#include "ui/control.h"

namespace ui {

// An integer box: a native edit with two spin buttons inline at its right. The value stays
// within MinValue..MaxValue: a value set from code outside the range is stored as the nearest
// bound. Typing changes the value as soon as the text is a number inside the range; Enter or
// leaving the box takes what was typed, clamped, and an unreadable text falls back to the value.
// The spin buttons, the Up and Down keys and each notch of the mouse wheel step by one.
// OnChangeValue runs on every actual change of the value, whether the user or code made it.
class NumberBox : public Control {
 public:
  explicit NumberBox(Control* parent);
  ~NumberBox() override;

  int ValueInt() const noexcept { return m_value; }
  void SetValueInt(int value);
  int MinValue() const noexcept { return m_min; }
  int MaxValue() const noexcept { return m_max; }
  // The value is clamped into a new range (raising OnChangeValue when that changes it).
  void SetRange(int minValue, int maxValue);
  // Width of the spin buttons' column in pixels (20 at 96 DPI).
  void SetSpinWidth(int width);
  int SpinWidth() const noexcept { return m_spinWidth; }

  std::function<void()> OnChangeValue;

  // The native edit's window (made with the form's window).
  HWND EditHandle();
  // The spin buttons, in own coordinates: the upper one steps up.
  os::Rect UpButtonRect() const;
  os::Rect DownButtonRect() const;

  os::Rect ClientRect() const override;  // the edit's part, left of the spin buttons
  void MouseDown(MouseButton button, int x, int y) override;
  bool MouseWheel(int delta) override;
  void Paint(Canvas& canvas) override;

 protected:
  void FontChanged() override;  // the edit shows the box's font
  void ChangeScale(int m, int d) override;  // the spin buttons' width

 private:
  class NumberEdit;
  friend class NumberEdit;

  void Step(int steps);
  // The user typed: a number inside the range becomes the value at once.
  void TextEdited();
  // Enter or focus lost: the text is read, clamped and shown as the value.
  void Commit();
  void ShowValue();
  bool WheelNotches(int delta);

  std::unique_ptr<NumberEdit> m_edit;
  int m_value = 0;
  int m_min = INT_MIN;
  int m_max = INT_MAX;
  int m_spinWidth = 20;
  int m_wheelRest = 0;  // part of a notch left over from a fine-grained wheel
  bool m_showing = false;  // the edit's text is being written by the box itself
};

}  // namespace ui
