#include "foreground_log.h"

#include <string>

#include "desktop_input.h"

namespace e2e {

ForegroundLog::ForegroundLog() : m_start(::GetTickCount64()), m_watcher([this] { Watch(); }) {}

ForegroundLog::~ForegroundLog() {
  m_stop = true;
  m_watcher.join();
}

void ForegroundLog::Note(const std::string& step) { Add(step); }

std::string ForegroundLog::Text() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return "the foreground since the test began:" + m_lines;
}

void ForegroundLog::Add(const std::string& line) {
  const std::string stamped =
      "\n  +" + std::to_string(::GetTickCount64() - m_start) + " ms " + line;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_lines += stamped;
}

void ForegroundLog::Watch() noexcept {
  try {
    HWND lastFront = reinterpret_cast<HWND>(-1);
    HWND lastFocus = lastFront;
    while (!m_stop) {
      const HWND front = ::GetForegroundWindow();
      GUITHREADINFO gui{sizeof(gui)};
      const HWND focus = ::GetGUIThreadInfo(0, &gui) ? gui.hwndFocus : nullptr;
      if (front != lastFront || focus != lastFocus) {
        Add("front " + DescribeWindow(front) + "; focus " +
            (focus == front ? std::string("the same") : DescribeWindow(focus)));
      }
      lastFront = front;
      lastFocus = focus;
      ::Sleep(5);
    }
  } catch (...) {
    // A line lost to a failed allocation only shortens a failure's message.
  }
}

}  // namespace e2e
