#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"

namespace ui {

class FlatButton;

// A command that several buttons share: its caption, hint, image, enabled and visible state show
// on every button linked to it, and a click on any of them runs OnExecute.
class Action : public Component {
 public:
  Action() = default;
  ~Action() override;  // the buttons keep what they show, unlinked

  const std::wstring& Caption() const noexcept { return m_caption; }
  void SetCaption(const std::wstring& caption);
  const std::wstring& Hint() const noexcept { return m_hint; }
  void SetHint(const std::wstring& hint);
  int ImageIndex() const noexcept { return m_imageIndex; }
  void SetImageIndex(int index);
  bool Enabled() const noexcept { return m_enabled; }
  void SetEnabled(bool enabled);
  bool Visible() const noexcept { return m_visible; }
  void SetVisible(bool visible);

  std::function<void()> OnExecute;
  // Runs OnExecute when the action is enabled and has one; true when it ran.
  bool Execute();

  const std::vector<FlatButton*>& Clients() const noexcept { return m_clients; }

 private:
  friend class FlatButton;
  void Changed();

  std::wstring m_caption;
  std::wstring m_hint;
  int m_imageIndex = -1;
  bool m_enabled = true;
  bool m_visible = true;
  std::vector<FlatButton*> m_clients;
};

}  // namespace ui
