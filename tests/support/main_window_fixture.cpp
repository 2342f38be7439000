#include "support/main_window_fixture.h"

#include "core/common.h"
#include "support/program_state.h"
#include "tray/data_module.h"
#include "ui/application.h"
#include "ui/tray_icon.h"

namespace testing_support {

namespace {
// The main window's icons stay out of the test desktop's real notification area, where icons
// of ended test processes would linger beside those of the end-to-end tests.
BOOL WINAPI NoShellNotify(DWORD, PNOTIFYICONDATAW) { return TRUE; }
ui::TrayIcon::ShellNotify g_realShellNotify = nullptr;
}  // namespace

void MainWindowFixture::SetUp() {
  g_realShellNotify = ui::TrayIcon::SetShellNotify(&NoShellNotify);
  ResetProgramState();
  sys->AddFolder(kSettingsFolder);
  core::PathWorkSpace = L"C:\\Work\\";
  core::PathSettings = kSettingsFolder;
  core::FileSettings = kSettingsFile;
  core::IsStarting = true;
}

void MainWindowFixture::TearDown() {
  ResetProgramState();
  ui::tray_shell::Settle(10000);  // no call of this test reaches the real taskbar
  ui::TrayIcon::SetShellNotify(g_realShellNotify);
}

monitor::TfMain& MainWindowFixture::CreateMainWindow() {
  ui::App().CreateComponent<tray::TDM>();
  main = ui::App().CreateForm<monitor::TfMain>();
  return *main;
}

bool MainWindowFixture::PumpUntil(const std::function<bool()>& pred, int timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!pred()) {
    if (static_cast<int>(::GetTickCount() - start) > timeoutMs) return false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return pred();
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

}  // namespace testing_support
