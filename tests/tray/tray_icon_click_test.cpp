// The three notification-area icons of the main window, clicked as the shell reports a click:
// the left button shows or hides the settings window, whichever icon it is.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <map>
#include <mutex>

#include "os/text.h"
#include "settings_window/pages_fixture.h"
#include "ui/tray_icon.h"

namespace {

// What each icon asked the shell for when it was added, by icon number (from the shell thread).
std::mutex g_lock;
std::map<UINT, NOTIFYICONDATAW> g_added;

BOOL WINAPI RecordAdd(DWORD message, PNOTIFYICONDATAW data) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (message == NIM_ADD) g_added[data->uID] = *data;
  return TRUE;
}

class TrayIconClicks : public testing_support::PagesFixture {
 protected:
  void SetUp() override {
    PagesFixture::SetUp();
    ui::tray_shell::Settle(10000);
    ui::TrayIcon::SetShellNotify(&RecordAdd);  // the fixture's tear-down puts the real one back
    std::lock_guard<std::mutex> hold(g_lock);
    g_added.clear();
  }

  // The message the shell sends to the icon's window when the user clicks it.
  void ShellReports(ui::TrayIcon& icon, UINT mouseMessage) {
    ASSERT_TRUE(ui::tray_shell::Settle(10000));
    NOTIFYICONDATAW added;
    {
      std::lock_guard<std::mutex> hold(g_lock);
      ASSERT_EQ(g_added.count(icon.Id()), 1u) << "the icon is in the notification area";
      added = g_added[icon.Id()];
    }
    ::SendMessageW(added.hWnd, added.uCallbackMessage, added.uID, mouseMessage);
  }
};

TEST_F(TrayIconClicks, ALeftClickOnAnyOfTheThreeIconsTogglesTheSettingsWindow) {
  auto& w = ShownMainWindow();
  w.TrayIcon.SetVisible(true);  // as the start-up timer shows it
  w.Show();
  for (ui::TrayIcon* icon : {&w.TrayIcon, &w.TrayIcon_CAPS, &w.TrayIcon_NumLock}) {
    SCOPED_TRACE(os::WideToUtf8(icon->Name));
    ASSERT_TRUE(::IsWindowVisible(w.Handle()));
    ShellReports(*icon, WM_LBUTTONUP);
    EXPECT_FALSE(::IsWindowVisible(w.Handle())) << "hidden to the notification area";
    EXPECT_EQ(w.TrayIcon.Tag, 1);
    ShellReports(*icon, WM_LBUTTONUP);
    EXPECT_TRUE(::IsWindowVisible(w.Handle())) << "shown again";
    EXPECT_EQ(w.TrayIcon.Tag, 0);
  }
}

}  // namespace
