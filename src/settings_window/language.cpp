// The UI text tables and the captions that take their texts.
#include "core/common.h"
#include "monitor/main_window.h"
#include "os/text.h"
#include "tray/data_module.h"

namespace monitor {

bool TfMain::SetLanguage(const std::wstring& name) {
  using namespace core;
  LangTable.reset();
  CurrentLanguageName.clear();
  const settings_window::TStringListComponent* table = nullptr;
  if (tray::DM != nullptr) {
    const std::wstring upper = os::ToUpperAscii(name);
    if (upper == L"ENGLISH") table = &tray::DM->LangEnglish;
    if (upper == L"RUSSIAN") table = &tray::DM->LangRussian;
  }
  if (table == nullptr) return false;
  LangTable = std::make_unique<Json>(ParseJsonText(os::WideToUtf8(table->Text())));
  if (const Json* n = FindMember(*LangTable, "LanguageName"); n != nullptr && n->is_string()) {
    CurrentLanguageName = os::Utf8ToWide(n->get<std::string>());
  }
  return true;
}

void TfMain::ApplyLanguage() {
  using core::GetLangText;
  if (!core::LangTable) return;
  L_Autorun.SetCaption(GetLangText(10));
  L_MinimizedOnStart.SetCaption(GetLangText(11));
  L_MinimizedOnClose.SetCaption(GetLangText(12));
  L_MinimizedToTray.SetCaption(GetLangText(13));
  L_MinimizedOnEsc.SetCaption(GetLangText(14));
  L_TemporaryHide.SetCaption(GetLangText(150) + L":");
  L_Enabled_MouseIndicator.SetCaption(GetLangText(153));
  L_Enabled_AllIndicators.SetCaption(GetLangText(154));
  ApplyLanguageToMenu();
}

}  // namespace monitor

namespace monitor {

// The tray menu's captions come with the data module's menu.
void TfMain::ApplyLanguageToMenu() {}

}  // namespace monitor
