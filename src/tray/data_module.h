#pragma once
// The data module: the non-visual components several windows share.
#include "ui/component.h"

namespace tray {

class TDM : public ui::Component {
 public:
  TDM();
  ~TDM() override;
};

// The one instance, created by the main block before the main window.
inline TDM* DM = nullptr;

}  // namespace tray
