#pragma once
// The first Exclude List page: window classes and application files over which the mouse
// indicator is not shown.
#include "settings_window/copy_hint_picture.h"
#include "settings_window/page_layout.h"
#include "ui/bevel.h"
#include "ui/speed_button.h"
#include "ui/splitter.h"

namespace settings_window {

class ExcludeListPage {
 public:
  ui::Panel Panel_ExcludeList{nullptr};
  ui::Panel PanelHint_ExcludeList{&Panel_ExcludeList};
  ui::Bevel BevelHint_ExcludeList{&PanelHint_ExcludeList};  // the strip's bottom edge
  ui::Panel PanelBottom_ExcludeList{&Panel_ExcludeList};
  ui::Panel PanelWindowClass{&Panel_ExcludeList};
  ui::Splitter Splitter1{&Panel_ExcludeList};
  ui::Panel PanelAppName{&Panel_ExcludeList};
  ui::FlatButton btnExcludeListReset{&PanelBottom_ExcludeList};

  ui::Label L_InfoForCopy{&PanelHint_ExcludeList};
  ui::Label L_InfoForCopyKey{&PanelHint_ExcludeList};
  CopyHintPicture Image1{&PanelHint_ExcludeList};
  ui::Label Label_F2_Enter{&PanelBottom_ExcludeList};

  ui::Panel PanelHeader_WindowClass{&PanelWindowClass};
  ui::TreeList vstExclude_WindowClass{&PanelWindowClass};
  ui::Switch swDontShowByWindowClass{&PanelHeader_WindowClass};
  ui::Label L_DontShowByWindowClass{&PanelHeader_WindowClass};

  ui::Panel PanelHeader_AppName{&PanelAppName};
  ui::TreeList vstExclude_AppName{&PanelAppName};
  ui::Switch swDontShowByApplicationFilename{&PanelHeader_AppName};
  ui::Label L_DontShowByApplicationFilename{&PanelHeader_AppName};
  ui::SpeedButton SpeedButton3{&PanelHeader_WindowClass};  // add a window class
  ui::SpeedButton SpeedButton1{&PanelHeader_AppName};      // add one from the open dialog
  ui::SpeedButton SpeedButton2{&PanelHeader_AppName};      // add an application

  // Both switches: the filters follow at once.
  void swDontShowByWindowClassClick();
  void Act_AddWinClassNameExecute();
  void Act_AddAppNameExecute();
  void Act_AddAppNameFromFolderExecute();
  // Both lists back to the built-in entries, both switches on.
  void btnExcludeListResetClick();

 protected:
  void LayoutExcludeListPage(const PxFn& px);
};

}  // namespace settings_window
