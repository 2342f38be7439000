#pragma once
#include <functional>

#include "ui/control.h"

namespace ui {

// A bar docked beside another docked control (the one before it on the same edge); dragging the
// bar resizes that control. Neither it nor the space left for the rest may become smaller than
// MinSize.
class Splitter : public Control {
 public:
  explicit Splitter(Control* parent);

  int MinSize() const noexcept { return m_minSize; }
  void SetMinSize(int size) { m_minSize = size; }

  // The control the splitter resizes: the visible sibling docked to the same edge whose edge
  // touches the splitter; null when there is none.
  Control* ResizedControl() const;

  // Runs after a drag changed the size of the resized control.
  std::function<void()> OnMoved;

  void MouseDown(MouseButton button, int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(int x, int y) override;
  const wchar_t* CursorName() const override;
  void Paint(Canvas& canvas) override;

 private:
  bool Horizontal() const;  // docked left or right: the bar moves sideways
  int Room() const;         // how far the resized control may grow

  int m_minSize = 30;
  bool m_dragging = false;
  int m_grip = 0;        // where in the bar the pointer went down
  bool m_moved = false;  // the drag changed a size
};

}  // namespace ui
