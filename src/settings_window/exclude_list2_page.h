#pragma once
// The second Exclude List page: application files in which the caret indicator is not shown.
#include "settings_window/copy_hint_picture.h"
#include "settings_window/page_layout.h"
#include "ui/bevel.h"
#include "ui/speed_button.h"

namespace settings_window {

class ExcludeList2Page {
 public:
  ui::Panel Panel_ExcludeList2{nullptr};
  ui::Panel PanelHint_ExcludeList2{&Panel_ExcludeList2};
  ui::Bevel BevelHint_ExcludeList2{&PanelHint_ExcludeList2};  // the strip's bottom edge
  ui::Panel PanelBottom_ExcludeList2{&Panel_ExcludeList2};
  ui::Panel PanelHeader_AppName2{&Panel_ExcludeList2};
  ui::TreeList vstExclude_AppName2{&Panel_ExcludeList2};
  ui::FlatButton btnExcludeListReset2{&PanelBottom_ExcludeList2};

  ui::Label L_InfoForCopy2{&PanelHint_ExcludeList2};
  ui::Label L_InfoForCopyKey2{&PanelHint_ExcludeList2};
  CopyHintPicture Image2{&PanelHint_ExcludeList2};
  ui::Label Label_F2_Enter2{&PanelBottom_ExcludeList2};

  ui::Switch swDontShowByApplicationFilename2{&PanelHeader_AppName2};
  ui::Label L_DontShowByApplicationFilename2{&PanelHeader_AppName2};
  ui::SpeedButton SpeedButton7{&PanelHeader_AppName2};  // add one from the open dialog
  ui::SpeedButton SpeedButton8{&PanelHeader_AppName2};  // add an application

  void swDontShowByApplicationFilename2Click();
  void Act_AddAppName2Execute();
  void Act_AddAppNameFromFolder2Execute();
  // The list back to cmd.exe and Far.exe, its switch on.
  void btnExcludeListReset2Click();

 protected:
  void LayoutExcludeList2Page(const PxFn& px);
};

}  // namespace settings_window
