// Showing and hiding the main window: the notification-area click, the Hide button, Escape, the
// close button and the minimise button.
#include "monitor/main_window.h"
#include "ui/application.h"
#include "window_tree/win_tree.h"

namespace monitor {

void TfMain::HideToTray() {
  ui::App().Minimize();
  // After the minimise: its event clears the mark, and the window is in the notification area
  // now whatever the Minimize switches say.
  TrayIcon.Tag = 1;
  if (ui::App().MainForm() == nullptr) return;
  Hide();
  SetWindowState(ui::WindowState::Minimized);
  if (HandleAllocated()) ::ShowWindow(Handle(), SW_HIDE);
}

void TfMain::ToggleMainWindow() {
  // The window's real state decides, so one click always does one thing.
  const bool shown = Visible() && GetWindowState() != ui::WindowState::Minimized &&
                     !ui::App().IsMinimized();
  if (shown) {
    HideToTray();
  } else {
    ShowMainWindow(false, -1);
  }
}

void TfMain::ShowMainWindow(bool topMost, int pageIndex) {
  TrayIcon.Tag = 0;
  if (ui::App().MainForm() == nullptr) return;
  ui::App().Restore();
  if (GetWindowState() == ui::WindowState::Minimized) SetWindowState(ui::WindowState::Normal);
  Show();
  ::SetForegroundWindow(Handle());
  ::BringWindowToTop(Handle());
  if (topMost) {
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
  }
  SelectPage(pageIndex);
}

void TfMain::TrayIconClick() { ToggleMainWindow(); }

void TfMain::btnHideClick() { ToggleMainWindow(); }

void TfMain::btnExitClick() {
  Tag = 1;  // lets the close request pass
  Close();
}

// Owned by the main window: it stays above it and goes with it; FormDestroy frees it.
void TfMain::btnWinTreeClick() { window_tree::ShowWinTree(this); }

void TfMain::FormCloseQuery(bool& canClose) {
  if (Tag == 1) {
    canClose = true;
  } else if (swMinimizedOnClose.Checked()) {
    canClose = false;
    if (swMinimizedToTray.Checked()) {
      HideToTray();
    } else {
      ui::App().Minimize();
    }
  } else {
    canClose = true;
  }
}

void TfMain::FormKeyDown(WORD& key) {
  // An Escape that ends an in-place edit never reaches here: the edit takes it.
  if (key == VK_ESCAPE && swMinimizedOnEsc.Checked()) HideToTray();
}

void TfMain::ApplicationEventsMinimize() {
  TrayIcon.Tag = 0;
  if (!swMinimizedOnClose.Checked()) return;
  if (swMinimizedToTray.Checked()) {
    HideToTray();
  } else {
    ui::App().Minimize();
  }
}

}  // namespace monitor
