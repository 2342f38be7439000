#pragma once
// A label that stands for an address: the hand cursor over it, an optional underline, and
// events when the pointer comes onto it and leaves it, so that its owner can change its look.
#include <functional>
#include <optional>

#include "ui/label.h"
#include "ui/timer.h"

namespace ui {

class LinkLabel : public Label {
 public:
  explicit LinkLabel(Control* parent);

  bool Underline() const noexcept { return m_underline; }
  void SetUnderline(bool underline);
  bool Hovered() const noexcept { return m_hovered; }

  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;

  // The form asks the control under the pointer for its cursor whenever the pointer moves over
  // the window: that is how the label learns that the pointer has come. A short timer then
  // watches for it to leave, and stops once it has.
  const wchar_t* CursorName() const override;
  // Where the pointer is, in the form's client coordinates; none when it is off the form's
  // window. Raises OnMouseEnter or OnMouseLeave on a change.
  void PointerAt(std::optional<os::Point> inForm);

  void Paint(Canvas& canvas) override;

 private:
  void WatchPointer();

  bool m_underline = false;
  bool m_hovered = false;
  mutable Timer m_watch;  // started from CursorName, which the form calls on a const control
};

}  // namespace ui
