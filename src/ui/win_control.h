#pragma once
// A control that owns a native child window of its form (edits, the tree list with its header).
// The window is made when the form's own window exists, placed over the control's rectangle in
// the form and shown while the control and every container above it are visible.
#include <windows.h>

#include "ui/control.h"
#include "ui/form.h"

namespace ui {

class WinControl : public Control {
 public:
  explicit WinControl(Control* parent);
  ~WinControl() override;

  // The native window; asking for it makes the form's window (and so this one) when needed.
  HWND Handle();
  bool HandleAllocated() const noexcept { return m_hwnd != nullptr; }
  // The control whose native window this is; null for any other window.
  static WinControl* FromHandle(HWND hwnd) noexcept;

  bool Focused() const noexcept;
  void SetFocus();

  // Messages that a native control sends its parent (WM_NOTIFY, WM_COMMAND, WM_CTLCOLOR...) go
  // back to the control that owns the sending window. True when one took the message.
  static bool RouteParentMessage(WindowMessage& message);

 protected:
  // Makes the native window as a child of `parent` at `r` (form client coordinates), hidden;
  // the control binds it with AttachWindow from its window procedure or right after creation.
  virtual void CreateWindowHandle(HWND parent, const os::Rect& r) = 0;
  // A message the native window sent to its parent, for this control.
  virtual bool HandleParentMessage(WindowMessage& message);
  // Runs after the window exists and is bound (fonts, columns, texts set before it existed).
  virtual void WindowCreated() {}
  // Runs when the window is gone (destroyed with its form or by this control).
  virtual void WindowDestroyed() {}

  void AttachWindow(HWND hwnd) noexcept;
  void DetachWindow() noexcept;
  // Destroys the native window. A derived class calls it from its own destructor, so that the
  // messages of the window's end still find the whole object.
  void DestroyHandle() noexcept;
  // The form's key preview, for a key pressed in this control's window; true when it was taken.
  bool PreviewKey(WORD& key);

  void NativePlacementChanged() override;

 private:
  // Visible itself and inside visible containers (the form's own showing aside).
  bool Showing() const;

  HWND m_hwnd = nullptr;  // owned: destroyed with the control
  bool m_creating = false;
  os::Rect m_placed;
  bool m_shown = false;
};

}  // namespace ui
