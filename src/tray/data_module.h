#pragma once
// The data module: the non-visual components several windows share.
#include "settings_window/string_list_component.h"
#include "ui/component.h"

namespace tray {

class TDM : public ui::Component {
 public:
  TDM();
  ~TDM() override;

  // The built-in UI text tables.
  settings_window::TStringListComponent LangEnglish;
  settings_window::TStringListComponent LangRussian;
};

// The one instance, created by the main block before the main window.
inline TDM* DM = nullptr;

}  // namespace tray
