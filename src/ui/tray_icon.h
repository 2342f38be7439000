#pragma once
// An icon in the taskbar's notification area. It is added while Visible, added again when the
// taskbar is re-created, and made again at the new size when the display's DPI changes.
// Setting a property to the value it has makes no call to the shell.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "ui/component.h"
#include "ui/control.h"
#include "ui/handles.h"
#include "ui/image_source.h"
#include "ui/tray_shell.h"

namespace ui {

class PopupMenu;

class TrayIcon : public Component {
 public:
  TrayIcon();
  ~TrayIcon() override;

  bool Visible() const noexcept { return m_visible; }
  void SetVisible(bool visible);
  const std::wstring& Hint() const noexcept { return m_hint; }
  void SetHint(const std::wstring& hint);
  const ImageSource* Images() const noexcept { return m_images; }
  void SetImages(const ImageSource* images);
  int IconIndex() const noexcept { return m_iconIndex; }
  void SetIconIndex(int index);
  // Shown at the cursor on a right click.
  PopupMenu* GetPopupMenu() const noexcept { return m_popupMenu; }
  void SetPopupMenu(PopupMenu* menu) noexcept { m_popupMenu = menu; }
  // Makes the icon again from its image list, whose images may have changed.
  void RefreshIcon();

  std::function<void()> OnClick;                                    // left click
  std::function<void(MouseButton button, int x, int y)> OnMouseUp;  // screen coordinates

  // The hidden window that receives the shell's notices; created when first needed.
  HWND Handle();
  // The icon's number among those of the window, unique in the process.
  UINT Id() const noexcept { return m_id; }

  void BeforeDestruction() noexcept override;

  // Replaces the call into the shell (for tests); returns the one it replaces. Either is made
  // on the shell thread (ui/tray_shell.h).
  using ShellNotify = tray_shell::Notify;
  static ShellNotify SetShellNotify(ShellNotify notify) noexcept;

 private:
  template <class T>
  friend LRESULT CALLBACK WindowThunk(HWND, UINT, WPARAM, LPARAM) noexcept;
  void AttachWindow(HWND hwnd) noexcept;
  void DetachWindow() noexcept;
  LRESULT ThunkMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void MouseNotice(UINT mouseMessage);
  void DisplayChanged();
  tray_shell::IconState State();
  void MakeIcon();
  // Tells the shell thread what the icon should now show.
  void ToShell();

  bool m_visible = false;
  std::wstring m_hint;
  const ImageSource* m_images = nullptr;
  int m_iconIndex = 0;
  PopupMenu* m_popupMenu = nullptr;

  UINT m_id;
  UniqueWindow m_window;
  tray_shell::SharedIcon m_icon;  // shared with the shell thread
  bool m_iconMade = false;  // m_icon matches images, index and size (it may be null)
  int m_iconSize = 0;
};

}  // namespace ui
