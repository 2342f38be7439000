// The flag images of the installed keyboard layouts.
#include "monitor/main_window.h"
#include "os/system.h"
#include "os/text.h"
#include "tray/data_module.h"
#include "ui/resource.h"

#include <cwctype>

namespace monitor {

void TfMain::FillFlagImages() {
  tray::TDM* dm = tray::DM;
  if (dm == nullptr) return;
  dm->IL_Flag16.Clear();
  dm->IL_Flag25.Clear();
  auto& sys = os::Sys();
  for (std::uint64_t layout : sys.KeyboardLayoutList()) {
    const unsigned language = static_cast<unsigned>(layout & 0xFFFF);
    std::wstring code = sys.LocaleValue(language, os::kLocaleSIso3166CtryName);
    for (auto& c : code) c = static_cast<wchar_t>(::towlower(c));
    // A region without a flag of its own (a numeric code such as 029, or a failed query) gets
    // no image: the lists are looked up by name, and a missing name means no image.
    if (code.empty()) continue;
    const std::string_view small = ui::ResourceBytes((L"png4x3_16_" + code).c_str());
    const std::string_view large = ui::ResourceBytes((L"png4x3_25_" + code).c_str());
    if (small.empty() || large.empty()) continue;
    dm->IL_Flag16.Add(small, code);
    dm->IL_Flag25.Add(large, code);
  }
}

}  // namespace monitor
