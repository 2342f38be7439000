#include "ui/color_dialog.h"

#include "os/system.h"
#include "ui/application.h"
#include "ui/form.h"

namespace ui {

bool ColorDialog::Execute(Form* owner) {
  if (owner == nullptr) owner = App().MainForm();
  const os::WindowId ownerId{
      owner != nullptr ? reinterpret_cast<std::uintptr_t>(owner->Handle()) : 0};
  const os::TColor shown = os::IsSystemColor(m_color)
                               ? os::Sys().GetSysColor(os::SystemColorIndex(m_color)) & 0xFFFFFF
                               : m_color & 0xFFFFFF;
  const std::optional<os::TColor> chosen = os::Sys().ShowColorDialog(ownerId, shown, FullOpen);
  if (!chosen) return false;
  if (*chosen != shown) m_color = *chosen;
  return true;
}

}  // namespace ui
