#pragma once
#include <windows.h>

#include <functional>

#include "ui/component.h"

namespace ui {

// A window-message timer on the UI thread.
class Timer : public Component {
 public:
  Timer();
  ~Timer() override;

  unsigned Interval() const noexcept { return m_interval; }
  void SetInterval(unsigned milliseconds);
  bool Enabled() const noexcept { return m_enabled; }
  void SetEnabled(bool enabled);

  std::function<void()> OnTimer;

  static void Dispatch(UINT_PTR id);

 private:
  void Update();

  unsigned m_interval = 1000;
  bool m_enabled = false;
  bool m_running = false;
  UINT_PTR m_id;
};

}  // namespace ui
