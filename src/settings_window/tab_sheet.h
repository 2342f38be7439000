#pragma once
// One page of the hidden page control: it only gives the navigation tree its caption and level
// (Tag 1: a top-level item, 2: a child of the item before it).
#include <string>

#include "ui/component.h"

namespace settings_window {

class TTabSheet : public ui::Component {
 public:
  TTabSheet(const wchar_t* name, int tag) {
    Name = name;
    Tag = tag;
  }
  std::wstring Caption;
  bool TabVisible = true;
};

}  // namespace settings_window
