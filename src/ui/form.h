#pragma once
// A top-level window. Its system window is created when first needed; properties set before
// that are applied at creation. Children are windowless controls painted double-buffered.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/control.h"
#include "ui/handles.h"

namespace ui {

enum class BorderStyle { Sizeable, Single, None };
enum class CloseAction { None, Hide, Free };
enum class WindowState { Normal, Minimized };

struct CreateParams {
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Owner = nullptr;
};

struct WindowMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result = 0;
};

class PopupMenu;

class Form : public Control {
 public:
  Form();
  ~Form() override;

  Form* OwnerForm() override { return this; }

  // The system window, created (not shown) when first asked for.
  HWND Handle();
  bool HandleAllocated() const noexcept { return m_hwnd != nullptr; }
  // The window class the system window is registered under: the form's own class name
  // ("TfMain", "TfLangInfo" ...), which is what a window inspector shows.
  virtual std::wstring WindowClassName() const;

  void SetCaption(const std::wstring& caption) override;
  void SetVisible(bool visible) override;
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Asks OnCloseQuery, then runs OnClose; a main form's close ends the message loop.
  void Close();

  BorderStyle GetBorderStyle() const noexcept { return m_borderStyle; }
  void SetBorderStyle(BorderStyle style) { m_borderStyle = style; }
  // Window styles besides those of the border style (caption buttons of a main window).
  void SetSystemButtons(bool minimize, bool maximize);
  void SetConstraints(int minWidth, int minHeight);
  // Show without taking the focus (indicator windows).
  void SetShowActivates(bool activates) { m_showActivates = activates; }
  void SetKeyPreview(bool on) { m_keyPreview = on; }
  bool KeyPreview() const noexcept { return m_keyPreview; }
  // A key pressed in one of the form's native child controls: with key preview on, OnKeyDown
  // sees it before the control does. True when the handler took it (set it to 0).
  bool PreviewKeyDown(WORD& key);

  os::Rect ClientRect() const override;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientSize(int width, int height);

  WindowState GetWindowState() const;
  void SetWindowState(WindowState state);

  // Alpha blending through a layered window.
  void SetAlphaBlend(bool on);
  void SetAlphaBlendValue(BYTE value);
  bool AlphaBlend() const noexcept { return m_alphaBlend; }
  BYTE AlphaBlendValue() const noexcept { return m_alphaValue; }

  void InvalidateRect(const os::Rect* r);
  // Paints the window now (invalidates it and updates it at once).
  void Repaint();

  // SetWindowPos on the system window (created when needed). Showing or hiding it this way
  // leaves Visible as it is: the indicators are shown and hidden so while the form stays
  // "visible" for the rest of the program.
  void SetWindowPosNative(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

  // Hints of the controls shown as tooltips.
  void SetShowHint(bool show);
  bool ShowHint() const noexcept { return m_showHint; }

  // Lets the user move the window with the pointer as if its caption were dragged: releases the
  // mouse capture and sends the window WM_SYSCOMMAND SC_MOVE + HTCAPTION (0xF012).
  void BeginDragMove();
  // Tests replace the move loop (which would wait for the real mouse); null restores it.
  using DragMoveFunction = void (*)(HWND hwnd);
  static DragMoveFunction SetDragMoveFunction(DragMoveFunction f) noexcept;

  // The pixel value of a 96-DPI layout size for the form's DPI: the one it was created on, and
  // after a move to a monitor of another DPI that monitor's.
  int Px(int value) const;
  int Dpi() const noexcept { return m_dpi; }
  // The tooltip window that shows the hints; null until the first pointer move over the form.
  HWND HintWindow() const noexcept { return m_tooltip.Get(); }

  std::function<void()> OnCreate;
  // Paints the window's own drawing over its colour, before its controls.
  std::function<void(Canvas& canvas)> OnPaint;
  std::function<void()> OnShow;
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void(CloseAction& action)> OnClose;
  std::function<void()> OnDestroy;
  std::function<void(WORD& key)> OnKeyDown;
  // After the window moved to a monitor of another DPI and the form and all its controls were
  // scaled to it (see ChangeDpi).
  std::function<void(int oldDpi, int newDpi)> OnAfterMonitorDpiChanged;

  // Runs OnCreate behind the exception barrier; called once after construction.
  void DoCreate() noexcept;
  void BeforeDestruction() noexcept override;
  void Paint(Canvas& canvas) override;

 protected:
  // The creation parameters as the layer makes them; a class may change them.
  virtual void MakeCreateParams(CreateParams& params);
  // A message for the class itself; true when handled (then WindowMessage::Result is returned).
  virtual bool HandleMessage(WindowMessage& message);
  void BoundsChanged() override;
  // The minimum size holds for sizes set from code too, as it does for the user's dragging.
  void ConstrainSize(int& width, int& height) const override;

 private:
  template <class T>
  friend LRESULT CALLBACK WindowThunk(HWND, UINT, WPARAM, LPARAM) noexcept;
  void AttachWindow(HWND hwnd) noexcept;
  void DetachWindow() noexcept;
  LRESULT ThunkMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  bool DefaultHandling(WindowMessage& m);
  void CreateHandle();
  void PaintWindow();
  void RouteMouseDown(MouseButton button, LPARAM lp);
  void RouteMouseUp(LPARAM lp);
  void RouteMouseMove(LPARAM lp);
  bool RouteMouseWheel(WPARAM wp, LPARAM lp);
  bool SetControlCursor();
  void ApplyLayered();
  void SetShowHintWindow();
  void SyncHintTools();
  bool HintText(UINT_PTR id, NMTTDISPINFOW& info);
  DWORD BorderStyleBits() const;
  void ChangeDpi(int newDpi, const RECT& suggested);
  void ApplyHintFont();

  HWND m_hwnd = nullptr;  // owned; destroyed in BeforeDestruction / the destructor
  BorderStyle m_borderStyle = BorderStyle::Sizeable;
  bool m_minimizeBox = true;
  bool m_maximizeBox = true;
  int m_minWidth = 0;
  int m_minHeight = 0;
  bool m_showActivates = true;
  bool m_keyPreview = false;
  bool m_alphaBlend = false;
  BYTE m_alphaValue = 255;
  bool m_destroying = false;
  int m_dpi = 96;
  WindowState m_state = WindowState::Normal;
  Control* m_pressed = nullptr;
  bool m_nativePos = false;  // inside SetWindowPosNative
  bool m_showHint = false;
  // The tooltip's font: the system's status font for the form's DPI. Declared before the
  // tooltip, so that it outlives the window that uses it.
  UniqueFont m_hintFont;
  // The tooltip window, made at the first pointer move over the form. It has no owner: an owned
  // topmost tooltip keeps the form out of the topmost band under Wine.
  UniqueWindow m_tooltip;
  std::vector<std::pair<Control*, os::Rect>> m_hintTools;
};

}  // namespace ui
