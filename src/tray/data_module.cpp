#include "tray/data_module.h"

#include "ui/resource.h"

namespace tray {

TDM::TDM() {
  Name = L"DM";
  DM = this;
  LangEnglish.Name = L"LangEnglish";
  LangEnglish.SetText(ui::ResourceBytes(L"UITEXT_ENGLISH"));
  LangRussian.Name = L"LangRussian";
  LangRussian.SetText(ui::ResourceBytes(L"UITEXT_RUSSIAN"));
}

TDM::~TDM() {
  if (DM == this) DM = nullptr;
}

}  // namespace tray
