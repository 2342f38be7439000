#include "ui/color_palette.h"

#include "ui/canvas.h"
#include "ui/handles.h"
#include "ui/image_list.h"
#include "ui/png.h"

namespace ui {

namespace {
constexpr os::TColor System(int index) { return static_cast<os::TColor>(0xFF000000u | index); }
}  // namespace

const std::vector<PaletteColor>& StandardPalette() {
  static const std::vector<PaletteColor> palette = {
      {0x000000, L"Black"},
      {0x000080, L"Maroon"},
      {0x008000, L"Green"},
      {0x008080, L"Olive"},
      {0x800000, L"Navy"},
      {0x800080, L"Purple"},
      {0x808000, L"Teal"},
      {0x808080, L"Gray"},
      {0xC0C0C0, L"Silver"},
      {0x0000FF, L"Red"},
      {0x00FF00, L"Lime"},
      {0x00FFFF, L"Yellow"},
      {0xFF0000, L"Blue"},
      {0xFF00FF, L"Fuchsia"},
      {0xFFFF00, L"Aqua"},
      {0xFFFFFF, L"White"},
      {System(COLOR_SCROLLBAR), L"Scroll Bar"},
      {System(COLOR_BACKGROUND), L"Desktop"},
      {System(COLOR_ACTIVECAPTION), L"Active Caption"},
      {System(COLOR_INACTIVECAPTION), L"Inactive Caption"},
      {System(COLOR_MENU), L"Menu"},
      {System(COLOR_WINDOW), L"Window"},
      {System(COLOR_WINDOWFRAME), L"Window Frame"},
      {System(COLOR_MENUTEXT), L"Menu Text"},
      {System(COLOR_WINDOWTEXT), L"Window Text"},
      {System(COLOR_CAPTIONTEXT), L"Caption Text"},
      {System(COLOR_ACTIVEBORDER), L"Active Border"},
      {System(COLOR_INACTIVEBORDER), L"Inactive Border"},
      {System(COLOR_APPWORKSPACE), L"Application Workspace"},
      {System(COLOR_HIGHLIGHT), L"Highlight"},
      {System(COLOR_HIGHLIGHTTEXT), L"Highlight Text"},
      {System(COLOR_BTNFACE), L"Button Face"},
      {System(COLOR_BTNSHADOW), L"Button Shadow"},
      {System(COLOR_GRAYTEXT), L"Gray Text"},
      {System(COLOR_BTNTEXT), L"Button Text"},
      {System(COLOR_INACTIVECAPTIONTEXT), L"Inactive Caption Text"},
      {System(COLOR_BTNHIGHLIGHT), L"Button Highlight"},
      {System(COLOR_3DDKSHADOW), L"3D Dark Shadow"},
      {System(COLOR_3DLIGHT), L"3D Light"},
      {System(COLOR_INFOTEXT), L"Info Text"},
      {System(COLOR_INFOBK), L"Info Background"},
      {System(COLOR_HOTLIGHT), L"Hot Light"},
      {System(COLOR_GRADIENTACTIVECAPTION), L"Gradient Active Caption"},
      {System(COLOR_GRADIENTINACTIVECAPTION), L"Gradient Inactive Caption"},
      {System(COLOR_MENUHILIGHT), L"Menu Highlight"},
      {System(COLOR_MENUBAR), L"Menu Bar"},
  };
  return palette;
}

ColorSwatches::ColorSwatches(const std::vector<PaletteColor>& colors, int size)
    : m_colors(colors), m_size(size) {}

void ColorSwatches::DrawImage(HDC dc, int index, int x, int y) const {
  if (index < 0 || index >= ImageCount()) return;
  Canvas canvas(dc);
  const os::Rect r{x, y, x + m_size, y + m_size};
  canvas.FillRect(r, m_colors[index].Color);
  canvas.FrameRect(r, os::clGray, 1);
}

HICON ColorSwatches::MakeIcon(int index, int size) const {
  if (index < 0 || index >= ImageCount()) return nullptr;
  if (size <= 0) size = m_size;
  const COLORREF c = ColorRef(m_colors[index].Color);
  PixelImage image;
  image.Width = image.Height = size;
  image.Pixels.assign(static_cast<size_t>(size) * size,
                      0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
  return MakeAlphaIcon(image);
}

}  // namespace ui
