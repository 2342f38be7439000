// The runtime filter lists: the upper-cased names of the enabled exclusion entries, read by the
// mouse hook and the monitoring pass. Only a to z are upper-cased; nothing is trimmed, sorted
// or removed as a duplicate.
#include "core/common.h"
#include "os/text.h"

namespace core {

namespace {

void BuildFilter(TStringList* filter, bool enabled, const TStringList& entries) {
  if (filter == nullptr) return;
  filter->clear();
  if (!enabled) return;
  for (const std::wstring& entry : entries) {
    if (IsExclusionEnabled(entry)) filter->push_back(os::ToUpperAscii(ExclusionName(entry)));
  }
}

}  // namespace

void TSettings::BuildFilterLists() {
  BuildFilter(FilterWindowClass.get(), IsDontShowByWindowClass, SL_Exclude_WindowClass);
  BuildFilter(FilterAppFileName.get(), IsDontShowByApplicationFilename, SL_Exclude_AppFileName);
}

void TSettings::BuildFilterList2() {
  BuildFilter(FilterAppFileName2.get(), IsDontShowByApplicationFilename2, SL_Exclude_AppFileName2);
}

}  // namespace core
