#pragma once
// A column of a TreeList as its owner describes it; the header shows it.
#include <string>

namespace ui {

enum class ColumnAlign { Left, Center, Right };

struct TreeColumn {
  std::wstring Text;
  int Width = 100;
  ColumnAlign Align = ColumnAlign::Left;
};

}  // namespace ui
