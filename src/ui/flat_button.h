#pragma once
#include "ui/control.h"

namespace ui {

class Action;
class ImageSource;

// A flat push button with a caption and an optional image left of it. Linked to an action, it
// shows the action's caption, hint, image, enabled and visible state, and a click runs the
// action; otherwise a click raises OnClick. A disabled button ignores clicks.
class FlatButton : public Control {
 public:
  explicit FlatButton(Control* parent);
  ~FlatButton() override;

  Action* GetAction() const noexcept { return m_action; }
  // Links the button (null: unlinks it; it keeps what it shows).
  void SetAction(Action* action);

  bool Enabled() const noexcept { return m_enabled; }
  void SetEnabled(bool enabled);
  void SetImages(const ImageSource* images);
  const ImageSource* Images() const noexcept { return m_images; }
  void SetImageIndex(int index);
  int ImageIndex() const noexcept { return m_imageIndex; }

  void MouseDown(MouseButton button, int x, int y) override;
  void MouseUp(int x, int y) override;
  void Click() override;
  void Paint(Canvas& canvas) override;

 private:
  friend class Action;
  void ActionChanged();

  Action* m_action = nullptr;
  bool m_enabled = true;
  bool m_down = false;
  const ImageSource* m_images = nullptr;
  int m_imageIndex = -1;
};

}  // namespace ui
