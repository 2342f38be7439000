#include "ui/color_button.h"

#include "ui/color_palette.h"
#include "ui/form.h"
#include "ui/popup_menu.h"

namespace ui {

namespace {
constexpr os::TColor kFrame = static_cast<os::TColor>(0xFF000010);  // clBtnShadow
constexpr os::TColor kArrow = static_cast<os::TColor>(0xFF000012);  // clBtnText
constexpr int kSwatchSize = 16;
}  // namespace

ColorButton::ColorButton(Control* parent) : Control(parent) {}
ColorButton::~ColorButton() = default;

void ColorButton::SetSelectionColor(os::TColor color) {
  if (color == m_color) return;
  m_color = color;
  Invalidate();
  if (OnChange) OnChange();
}

os::Rect ColorButton::ArrowRect() const {
  // 12 of the 50 x 22 design size; it keeps that share of the height when scaled.
  const int w = Height() * 6 / 11;
  return {Width() - w, 0, Width(), Height()};
}

PopupMenu& ColorButton::Palette() {
  if (!m_palette) BuildPalette();
  return *m_palette;
}

void ColorButton::BuildPalette() {
  const auto& colors = StandardPalette();
  m_swatches = std::make_unique<ColorSwatches>(colors, kSwatchSize);
  m_palette = std::make_unique<PopupMenu>();
  m_palette->Images = m_swatches.get();
  for (size_t i = 0; i < colors.size(); ++i) {
    // The system colours start a column of their own.
    if (i > 0 && os::IsSystemColor(colors[i].Color) && !os::IsSystemColor(colors[i - 1].Color)) {
      m_palette->Items().AddSeparator();
    }
    MenuItem* item = m_palette->Items().Add(colors[i].Name);
    item->ImageIndex = static_cast<int>(i);
    item->RadioItem = true;
    item->Tag = static_cast<int>(i);
    item->OnClick = [this](MenuItem& sender) {
      SetSelectionColor(StandardPalette()[static_cast<size_t>(sender.Tag)].Color);
    };
  }
  m_palette->OnPopup = [this] {
    const auto& all = StandardPalette();
    MenuItem& root = m_palette->Items();
    for (int i = 0; i < root.Count(); ++i) {
      MenuItem* item = root.Item(i);
      if (item->Kind != MenuItemKind::Normal) continue;
      item->Checked = all[static_cast<size_t>(item->Tag)].Color == m_color;
    }
  };
}

void ColorButton::DropDown() {
  Form* form = OwnerForm();
  if (form == nullptr || !form->HandleAllocated()) return;
  const os::Rect r = RectInForm();
  POINT below{r.Left, r.Bottom};
  ::ClientToScreen(form->Handle(), &below);
  Palette().Popup(below.x, below.y);
}

void ColorButton::MouseDown(MouseButton button, int x, int y) {
  if (button == MouseButton::Left) {
    const os::Rect a = ArrowRect();
    m_pressedOnArrow = x >= a.Left && x < a.Right && y >= a.Top && y < a.Bottom;
  }
  Control::MouseDown(button, x, y);
}

void ColorButton::Click() {
  if (m_pressedOnArrow) {
    m_pressedOnArrow = false;
    DropDown();
  } else {
    Control::Click();
  }
}

void ColorButton::Paint(Canvas& canvas) {
  const os::Rect all{0, 0, Width(), Height()};
  const os::Rect arrow = ArrowRect();
  canvas.FillRect(all, Color());
  canvas.FrameRect(all, kFrame, 1);
  // The colour fills the main part, inset from the frame.
  canvas.FillRect({3, 3, arrow.Left - 2, Height() - 3}, m_color);
  canvas.Line(arrow.Left, 3, arrow.Left, Height() - 3, kFrame);
  // A small triangle pointing down, in three rows.
  const int cx = (arrow.Left + arrow.Right) / 2;
  const int cy = Height() / 2 - 1;
  for (int row = 0; row < 3; ++row) {
    canvas.Line(cx - 2 + row, cy + row, cx + 3 - row, cy + row, kArrow);
  }
}

}  // namespace ui
