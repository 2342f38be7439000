#include "support/program_state.h"

#include "backlight/led_state.h"
#include "core/common.h"
#include "core/startup.h"
#include "monitor/globals.h"
#include "monitor/mouse_hook.h"
#include "tray/sys_image_list.h"
#include "window_tree/win_tree.h"
#include "ui/application.h"

namespace testing_support {

void ResetProgramState() {
  ui::App().DestroyComponents();
  // A closed main form leaves a quit message in the queue; drain it with everything else.
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message != WM_QUIT) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  monitor::fLangInfo.reset();
  monitor::fLangInfoMouse.reset();
  monitor::fLangInfoCaret.reset();
  for (auto* b : {&monitor::fWorkareaBorderL, &monitor::fWorkareaBorderR,
                  &monitor::fWorkareaBorderT, &monitor::fWorkareaBorderB,
                  &monitor::fTaskbarBorderL, &monitor::fTaskbarBorderR,
                  &monitor::fTaskbarBorderT, &monitor::fTaskbarBorderB}) {
    b->reset();
  }
  window_tree::fWinTree.reset();
  tray::ResetSpecialFolderList();
  monitor::fMain = nullptr;
  monitor::IsFirstShowDone = false;
  monitor::RemoveMouseHook();
  // Also forgets the exit's cancel, so that the next test's attempts run.
  backlight::ResetLedState(0);

  using namespace core;
  ReleaseInstanceMutex();
  PathProgram.clear(), PathWorkSpace.clear(), PathSettings.clear(), FileSettings.clear();
  PathLog.clear(), FileLog.clear(), PathWindows.clear(), PathSystem.clear();
  IsStarting = false;
  ScreenDPI = 0;
  Settings.reset();
  IsCreatingIndicators = false;
  IsEnabled_AllIndicator = IsEnabled_MouseIndicator = false;
  IsFillingDesktopIndicator = IsFillingDesktopBorder = IsFillingSystemTray = false;
  IsFillingMouseIndicator = IsFillingExcludeList = IsFillingCaretIndicator = false;
  IsFillingExcludeList2 = IsFillingRGBLighting = false;
  LangTable.reset();
  CurrentLanguageName.clear();
  FilterWindowClass.reset(), FilterAppFileName.reset(), FilterAppFileName2.reset();
  PerfFrequency = NowStamp = LastPassStamp = LastToggleStamp = 0;
  LastCaretPoint = {};
  CaretX = CaretY = 0;
}

}  // namespace testing_support
