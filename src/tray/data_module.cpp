#include "tray/data_module.h"

namespace tray {

TDM::TDM() {
  Name = L"DM";
  DM = this;
}

TDM::~TDM() {
  if (DM == this) DM = nullptr;
}

}  // namespace tray
