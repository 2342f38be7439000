#pragma once
// Reads where a window's program says its text caret is, through the caret's accessibility
// object (programs that draw their own caret report it only there).
//
// The object of another program is a COM proxy, and each call on it waits for as long as that
// program takes; from a single-threaded apartment the call also runs a modal loop that delivers
// sent messages, the mouse hook's calls among them, into the middle of the monitoring pass. So
// the whole query (WM_GETOBJECT, the object, accLocation) runs on a thread of its own, in the
// multithreaded apartment, where a call just blocks; the asking thread waits for it a short
// while, without taking any message meanwhile.
#include <windows.h>

#include <memory>
#include <optional>
#include <thread>

#include "os/types.h"

namespace os::win32 {

class CaretObjectQuery {
 public:
  // answerMilliseconds: how long Ask waits for the whole query.
  explicit CaretObjectQuery(unsigned answerMilliseconds);
  // Does not wait for a query that is still running: that one ends later on its own, touching
  // nothing of this object.
  ~CaretObjectQuery();
  CaretObjectQuery(const CaretObjectQuery&) = delete;
  CaretObjectQuery& operator=(const CaretObjectQuery&) = delete;

  // The caret rectangle of the window's caret object in screen coordinates, or nothing when the
  // window has none or did not give it within the wait. A query that outlives the wait goes on;
  // its answer is what the next Ask for the same window gets. While it goes on, Ask gets nothing
  // at once and starts no other query; a window that let the wait pass is not asked again for a
  // while. A window of the calling thread is asked on the calling thread: the query thread's
  // message to it would wait for the very thread that waits for the query.
  std::optional<Rect> Ask(HWND window);

 private:
  struct Shared;
  static void Work(const std::shared_ptr<Shared>& shared) noexcept;
  bool StartWorker();

  const unsigned m_answerMilliseconds;
  std::shared_ptr<Shared> m_shared;
  std::thread m_worker;
  // The last window that did not hand out its caret in time, and when (GetTickCount64).
  HWND m_silentWindow = nullptr;
  unsigned long long m_silentSince = 0;
};

}  // namespace os::win32
