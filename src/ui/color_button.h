#pragma once
#include <functional>
#include <memory>

#include "ui/control.h"

namespace ui {

class ColorSwatches;
class PopupMenu;

// A flat button showing a colour. Its main part raises OnClick (the page opens the colour dialog
// there); its drop-down arrow at the right opens a palette of colours, system colours included,
// whose choice becomes SelectionColor. OnChange runs on every actual change of SelectionColor,
// whether a choice or code made it; setting the colour it already has does nothing.
class ColorButton : public Control {
 public:
  explicit ColorButton(Control* parent);
  ~ColorButton() override;

  os::TColor SelectionColor() const noexcept { return m_color; }
  void SetSelectionColor(os::TColor color);

  std::function<void()> OnChange;

  // The drop-down arrow's part at the right edge, in own coordinates.
  os::Rect ArrowRect() const;
  // The palette's menu: one item per palette colour, the current colour checked when it shows.
  PopupMenu& Palette();

  void MouseDown(MouseButton button, int x, int y) override;
  void Click() override;
  void Paint(Canvas& canvas) override;

 protected:
  // Shows the palette below the button until the user chose or dismissed it.
  virtual void DropDown();

 private:
  void BuildPalette();

  os::TColor m_color = os::clBlack;
  bool m_pressedOnArrow = false;
  std::unique_ptr<PopupMenu> m_palette;
  std::unique_ptr<ColorSwatches> m_swatches;
};

}  // namespace ui
