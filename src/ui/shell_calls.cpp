#include "ui/shell_calls.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace ui::shell_calls {
namespace {

struct Answer {
  bool Done = false;
  BOOL Result = FALSE;
};

struct Pending {
  Notify Function;
  DWORD Message;
  NOTIFYICONDATAW Data;
  SharedIcon Icon;
  std::shared_ptr<Answer> Reply;
};

struct Queue {
  std::mutex Lock;
  std::condition_variable Queued;    // for the shell thread
  std::condition_variable Answered;  // for the callers
  std::deque<Pending> Calls;
  bool Late = false;  // a call ran past the wait, and calls may be queued behind it
  bool Started = false;
};

// Never freed: when the process ends the shell thread may still be inside a call into a
// taskbar that does not answer.
Queue& TheQueue() {
  static Queue* const queue = new Queue;
  return *queue;
}

void Run(Queue& q) noexcept {
  std::unique_lock<std::mutex> hold(q.Lock);
  for (;;) {
    q.Queued.wait(hold, [&] { return !q.Calls.empty(); });
    Pending call = std::move(q.Calls.front());
    q.Calls.pop_front();
    hold.unlock();
    const BOOL result = call.Function(call.Message, &call.Data);
    call.Icon.reset();  // the last owner destroys the icon, outside the lock
    hold.lock();
    call.Reply->Done = true;
    call.Reply->Result = result;
    if (q.Calls.empty()) q.Late = false;
    q.Answered.notify_all();
  }
}

bool SameIcon(const NOTIFYICONDATAW& a, const NOTIFYICONDATAW& b) {
  return a.hWnd == b.hWnd && a.uID == b.uID;
}

}  // namespace

BOOL Call(Notify notify, DWORD message, const NOTIFYICONDATAW& data, SharedIcon icon) {
  Queue& q = TheQueue();
  std::unique_lock<std::mutex> hold(q.Lock);
  if (!q.Started) {
    try {
      std::thread([&q] { Run(q); }).detach();
      q.Started = true;
    } catch (...) {
      hold.unlock();
      // No thread to be had: the call is made here, as the system would make it.
      NOTIFYICONDATAW copy = data;
      return notify(message, &copy);
    }
  }
  auto reply = std::make_shared<Answer>();
  // The newest queued call for this icon, when it is a change with the same flags, takes this
  // change in its place: a taskbar that comes back gets the last state, not every step to it.
  bool merged = false;
  for (auto it = q.Calls.rbegin(); it != q.Calls.rend(); ++it) {
    if (!SameIcon(it->Data, data)) continue;
    if (message == NIM_MODIFY && it->Message == NIM_MODIFY && it->Data.uFlags == data.uFlags &&
        it->Function == notify) {
      it->Data = data;
      it->Icon = std::move(icon);
      it->Reply->Done = true;  // its caller has long gone on
      it->Reply->Result = TRUE;
      it->Reply = reply;
      merged = true;
    }
    break;
  }
  if (!merged) q.Calls.push_back({notify, message, data, std::move(icon), reply});
  q.Queued.notify_one();
  if (q.Late) return TRUE;
  if (q.Answered.wait_for(hold, std::chrono::milliseconds(kAnswerWaitMs),
                          [&] { return reply->Done; })) {
    return reply->Result;
  }
  q.Late = true;
  return TRUE;
}

}  // namespace ui::shell_calls
