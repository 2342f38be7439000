#pragma once
// The foreground window's and its focus's changes, each with its time, for a failure's message:
// which window took the front, and when. A thread of its own looks every few milliseconds, whatever the test is
// doing (Wine sends no foreground event to a hook).
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace e2e {

class ForegroundLog {
 public:
  ForegroundLog();
  ~ForegroundLog();
  ForegroundLog(const ForegroundLog&) = delete;
  ForegroundLog& operator=(const ForegroundLog&) = delete;

  // A step of the test, put among the changes.
  void Note(const std::string& step);
  // One line a change or a step: milliseconds since the log began, then the window or the step.
  std::string Text() const;

 private:
  void Add(const std::string& line);
  void Watch() noexcept;

  const ULONGLONG m_start;
  mutable std::mutex m_mutex;
  std::string m_lines;
  std::atomic<bool> m_stop{false};
  std::thread m_watcher;
};

}  // namespace e2e
