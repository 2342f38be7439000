#include "ui/action.h"

#include "ui/flat_button.h"

namespace ui {

Action::~Action() {
  // Copied: unlinking changes the list.
  const std::vector<FlatButton*> clients = m_clients;
  for (FlatButton* b : clients) b->SetAction(nullptr);
}

void Action::SetCaption(const std::wstring& caption) {
  if (caption == m_caption) return;
  m_caption = caption;
  Changed();
}

void Action::SetHint(const std::wstring& hint) {
  if (hint == m_hint) return;
  m_hint = hint;
  Changed();
}

void Action::SetImageIndex(int index) {
  if (index == m_imageIndex) return;
  m_imageIndex = index;
  Changed();
}

void Action::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  Changed();
}

void Action::SetVisible(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  Changed();
}

bool Action::Execute() {
  if (!m_enabled || !OnExecute) return false;
  OnExecute();
  return true;
}

void Action::Changed() {
  for (FlatButton* b : m_clients) b->ActionChanged();
}

}  // namespace ui
