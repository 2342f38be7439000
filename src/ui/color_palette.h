#pragma once
// The colours a colour button's drop-down offers: the sixteen basic colours and the system's
// colours, which stay system colours when chosen (they follow the user's colour scheme).
#include <string>
#include <vector>

#include "os/types.h"
#include "ui/image_source.h"

namespace ui {

struct PaletteColor {
  os::TColor Color;
  std::wstring Name;
};

// Basic colours first, then the system colours in the order of their indexes.
const std::vector<PaletteColor>& StandardPalette();

// Square swatches of the palette's colours, one image per entry, system colours drawn in their
// current value.
class ColorSwatches : public ImageSource {
 public:
  ColorSwatches(const std::vector<PaletteColor>& colors, int size);
  int ImageWidth() const override { return m_size; }
  int ImageHeight() const override { return m_size; }
  int ImageCount() const override { return static_cast<int>(m_colors.size()); }
  void DrawImage(HDC dc, int index, int x, int y) const override;
  HICON MakeIcon(int index, int size = 0) const override;

 private:
  const std::vector<PaletteColor>& m_colors;
  int m_size;
};

}  // namespace ui
