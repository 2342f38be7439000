#include "os/win32/caret_object_query.h"

#include <objbase.h>
#include <oleacc.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>

#include "os/win32/com_ref.h"

namespace os::win32 {
namespace {

// How long the query thread waits for a window to answer WM_GETOBJECT. Longer than the asker's
// wait, so that a program that answers a little late still has its answer used; short enough
// that a window that has stopped answering frees the thread for the next window soon.
constexpr UINT kSendMilliseconds = 1000;
// How long a window that let the asker's wait pass is not asked again.
constexpr ULONGLONG kSilentWindowMilliseconds = 2000;
// A late answer that nobody asked for within this time describes a caret long gone.
constexpr ULONGLONG kLateAnswerMilliseconds = 2000;

struct Answer {
  std::optional<Rect> Caret;
  // The window did not take WM_GETOBJECT in time, was hung or is gone.
  bool Silent = false;
};

// What AccessibleObjectFromWindow does, with a bound on the message; SMTO_ABORTIFHUNG gives up
// at once on a program the system already counts as hung.
Answer ReadCaretObject(HWND window, UINT sendMilliseconds) noexcept {
  DWORD_PTR sent = 0;
  if (!::SendMessageTimeoutW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CARET),
                             SMTO_BLOCK | SMTO_ABORTIFHUNG, sendMilliseconds, &sent)) {
    return {std::nullopt, true};
  }
  ComRef<IAccessible> caret;
  const auto result = static_cast<LRESULT>(sent);
  // Zero: the program serves no object of its own, and the system's stand-in describes the caret.
  const HRESULT hr =
      result > 0 ? ::ObjectFromLresult(sent, IID_IAccessible, 0, caret.OutVoid())
      : result == 0
          ? ::CreateStdAccessibleObject(window, OBJID_CARET, IID_IAccessible, caret.OutVoid())
          : static_cast<HRESULT>(result);
  if (FAILED(hr) || !caret) return {};
  VARIANT self;
  ::VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  long left = 0, top = 0, width = 0, height = 0;
  // S_FALSE means the object has no location to give, and leaves the four values undefined.
  if (caret->accLocation(&left, &top, &width, &height, self) != S_OK) return {};
  return {Rect{left, top, left + width, top + height}, false};
}

}  // namespace

// Owned jointly by the asker and the query thread, so that a thread still inside a call when
// the asker goes away finds its state alive.
struct CaretObjectQuery::Shared {
  std::mutex Lock;
  std::condition_variable Queued;    // for the query thread
  std::condition_variable Answered;  // for the asker
  HWND Asked = nullptr;              // the window of the query not yet taken up
  bool Busy = false;                 // a query is queued or running
  bool Stopping = false;
  HWND AnswerFor = nullptr;          // the window of the answer not yet taken, if any
  std::optional<Answer> Reply;
  ULONGLONG RepliedAt = 0;
};

CaretObjectQuery::CaretObjectQuery(unsigned answerMilliseconds)
    : m_answerMilliseconds(answerMilliseconds), m_shared(std::make_shared<Shared>()) {}

CaretObjectQuery::~CaretObjectQuery() {
  if (!m_worker.joinable()) return;
  bool idle = false;
  {
    std::lock_guard<std::mutex> hold(m_shared->Lock);
    m_shared->Stopping = true;
    idle = !m_shared->Busy;
  }
  m_shared->Queued.notify_all();
  // A thread held by a program that does not answer is let go: it ends when the call returns.
  if (idle) {
    m_worker.join();
  } else {
    m_worker.detach();
  }
}

bool CaretObjectQuery::StartWorker() {
  if (m_worker.joinable()) return true;
  try {
    m_worker = std::thread([shared = m_shared] { Work(shared); });
    return true;
  } catch (const std::system_error&) {
    return false;  // no thread to be had: no caret object this time
  }
}

std::optional<Rect> CaretObjectQuery::Ask(HWND window) {
  if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
    return ReadCaretObject(window, m_answerMilliseconds).Caret;
  }
  const ULONGLONG now = ::GetTickCount64();
  Shared& s = *m_shared;
  std::unique_lock<std::mutex> hold(s.Lock);
  if (s.Reply) {
    // The answer of a query that outlived the wait.
    const Answer late = *std::exchange(s.Reply, std::nullopt);
    // Written after `now` was read, RepliedAt may be later than it.
    if (s.AnswerFor == window && now <= s.RepliedAt + kLateAnswerMilliseconds) return late.Caret;
  }
  if (s.Busy) return std::nullopt;
  if (window == m_silentWindow && now - m_silentSince < kSilentWindowMilliseconds) {
    return std::nullopt;
  }
  if (!StartWorker()) return std::nullopt;
  s.Asked = window;
  s.Busy = true;
  s.Queued.notify_one();
  // A plain wait: no message is taken, so neither the mouse hook nor a timer runs inside the pass.
  if (s.Answered.wait_for(hold, std::chrono::milliseconds(m_answerMilliseconds),
                          [&] { return !s.Busy; })) {
    const Answer answer = *std::exchange(s.Reply, std::nullopt);
    if (!answer.Silent) return answer.Caret;
  }
  // Timed out, hung or gone: the window has no caret for this pass and the next few.
  m_silentWindow = window;
  m_silentSince = now;
  return std::nullopt;
}

void CaretObjectQuery::Work(const std::shared_ptr<Shared>& shared) noexcept {
  // The multithreaded apartment: a call on another program's object blocks this thread and
  // delivers nothing to it meanwhile.
  const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  Shared& s = *shared;
  std::unique_lock<std::mutex> hold(s.Lock);
  for (;;) {
    s.Queued.wait(hold, [&] { return s.Stopping || s.Asked != nullptr; });
    if (s.Asked == nullptr) break;
    const HWND window = std::exchange(s.Asked, nullptr);
    hold.unlock();
    const Answer answer = ReadCaretObject(window, kSendMilliseconds);
    hold.lock();
    s.AnswerFor = window;
    s.Reply = answer;
    s.RepliedAt = ::GetTickCount64();
    s.Busy = false;
    s.Answered.notify_all();
  }
  hold.unlock();
  if (com) ::CoUninitialize();
}

}  // namespace os::win32
