#pragma once
#include "os/types.h"
#include "ui/component.h"

namespace ui {

class Form;

// The system's colour dialog, through the System seam. It opens on Color; a system colour is
// resolved to its current RGB value first, since the dialog knows only plain colours.
class ColorDialog : public Component {
 public:
  os::TColor Color() const noexcept { return m_color; }
  void SetColor(os::TColor color) noexcept { m_color = color; }
  // Opens with the custom-colour part shown.
  bool FullOpen = false;

  // Shows the dialog modally to the owner (null: the main form). False when the user cancelled;
  // Color is unchanged then. OK on the colour it opened with keeps Color as it was, so a system
  // colour stays one and follows the colour scheme.
  bool Execute(Form* owner = nullptr);

 private:
  os::TColor m_color = os::clBlack;
};

}  // namespace ui
