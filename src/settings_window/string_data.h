#pragma once
// The record of one row of the exclusion trees; the tree keeps the row's check state.
#include <string>

namespace settings_window {

struct TStringData {
  std::wstring EntryText;
};

}  // namespace settings_window
