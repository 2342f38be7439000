#include "ui/timer.h"

#include <map>

#include "ui/application.h"
#include "ui/native_calls.h"

namespace ui {
namespace {
std::map<UINT_PTR, Timer*>& Timers() {
  static std::map<UINT_PTR, Timer*> timers;
  return timers;
}
UINT_PTR g_nextId = 1;
}  // namespace

Timer::Timer() : m_id(g_nextId++) { Timers()[m_id] = this; }

Timer::~Timer() {
  if (m_running) ::KillTimer(App().UtilityWindow(), m_id);
  Timers().erase(m_id);
}

void Timer::SetInterval(std::int64_t milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds > USER_TIMER_MAXIMUM) milliseconds = USER_TIMER_MAXIMUM;
  if (milliseconds == m_interval) return;
  m_interval = milliseconds;
  Update();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  Update();
}

void Timer::Update() {
  HWND w = App().UtilityWindow();
  if (m_running) {
    TimedSystemCall([&] { return ::KillTimer(w, m_id); });
    m_running = false;
  }
  if (m_enabled && m_interval > 0) {
    m_running = TimedSystemCall([&] {
      return ::SetTimer(w, m_id, static_cast<UINT>(m_interval), nullptr);
    }) != 0;
  }
}

void Timer::Dispatch(UINT_PTR id) {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  Timer* t = it->second;
  if (t->m_enabled && t->OnTimer) t->OnTimer();
}

}  // namespace ui
