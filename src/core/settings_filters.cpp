#include "core/common.h"
#include "core/settings.h"
#include "os/text.h"

namespace core {
namespace {

// Only ASCII letters change case; nothing is trimmed, sorted or removed as a duplicate.
void Build(std::unique_ptr<TStringList>& filter, bool on, const TStringList& entries) {
  if (!filter) filter = std::make_unique<TStringList>();
  filter->clear();
  if (!on) return;
  for (const std::wstring& entry : entries) {
    if (IsExclusionEnabled(entry)) filter->push_back(os::ToUpperAscii(ExclusionName(entry)));
  }
}

}  // namespace

void TSettings::BuildFilterLists() const {
  Build(FilterWindowClass, IsDontShowByWindowClass, SL_Exclude_WindowClass);
  Build(FilterAppFileName, IsDontShowByApplicationFilename, SL_Exclude_AppFileName);
}

void TSettings::BuildFilterList2() const {
  Build(FilterAppFileName2, IsDontShowByApplicationFilename2, SL_Exclude_AppFileName2);
}

}  // namespace core
