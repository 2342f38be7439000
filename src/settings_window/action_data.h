#pragma once
// The record of one item of the navigation tree: the page it selects.
#include <string>

namespace settings_window {

struct TDataAction {
  std::wstring PageCaption;
  int PageIndex = 0;
};

}  // namespace settings_window
