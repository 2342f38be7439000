#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "ui/component.h"

namespace ui {

// A window-message timer on the UI thread. Turning it off and on again, or giving it another
// interval, starts its countdown anew. An interval of 0 or less keeps it from running; one
// longer than the system accepts is cut to the longest it does.
class Timer : public Component {
 public:
  Timer();
  ~Timer() override;

  std::int64_t Interval() const noexcept { return m_interval; }
  void SetInterval(std::int64_t milliseconds);
  // Whether a system timer is counting down for it.
  bool Running() const noexcept { return m_running; }
  bool Enabled() const noexcept { return m_enabled; }
  void SetEnabled(bool enabled);

  std::function<void()> OnTimer;

  static void Dispatch(UINT_PTR id);

 private:
  void Update();

  std::int64_t m_interval = 1000;
  bool m_enabled = false;
  bool m_running = false;
  UINT_PTR m_id;
};

}  // namespace ui
