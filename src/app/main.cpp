// The main block: one instance per session, the work folders, the data module and the main
// window, then the message loop.
#include <windows.h>
#include <commctrl.h>

#include "core/common.h"
#include "core/startup.h"
#include "monitor/main_window.h"
#include "os/error.h"
#include "os/text.h"
#include "os/win32/win32_shell.h"
#include "os/win32/win32_system.h"
#include "tray/data_module.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // No library is ever taken from whatever folder the program was started in: a planted file of
  // a name the program loads by name alone (the LED library's fallback name among them) must
  // not run inside it.
  ::SetDllDirectoryW(L"");

  os::win32::Win32System system;
  os::SetSystem(&system);
  os::win32::Win32Shell shell;
  os::SetShell(&shell);

  // A second instance ends at once, silently, before any folder or window exists.
  if (core::IsAnotherInstance()) {
    core::ReleaseInstanceMutex();
    return 0;
  }

  int exitCode = 0;
  try {
    core::IsStarting = true;
    core::PrepareWorkFolders();

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);

    auto& app = ui::App();
    app.CreateComponent<tray::TDM>();
    app.CreateForm<monitor::TfMain>();
    app.Run();
    app.DestroyComponents();
  } catch (...) {
    ui::App().HandleException();
    exitCode = 1;
  }
  core::ReleaseInstanceMutex();
  return exitCode;
}
