#include "ui/tray_shell.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <iterator>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace ui::tray_shell {
namespace {

std::atomic<Notify> g_notify{&::Shell_NotifyIconW};

// What the taskbar holds of an icon, as its answers tell.
struct Held {
  bool Added = false;
  std::wstring Tip;
  SharedIcon Icon;
};

struct Entry {
  IconState Wish;
  bool Pending = false;  // the wish is still to be carried out
  Held Taskbar;
  // Counts the taskbar's re-creations: an answer that comes from an older taskbar says nothing
  // about the new one.
  unsigned Generation = 0;
};

using Key = std::pair<HWND, UINT>;

struct Shell {
  std::mutex Lock;
  std::condition_variable Wished;   // wakes the shell thread
  std::condition_variable Settled;  // wakes Settle
  std::map<Key, Entry> Icons;       // every icon shown, or still held by the taskbar
  bool Busy = false;                // a wish is being carried out, outside the lock
  bool Started = false;

  bool AnyPending() const {
    return std::any_of(Icons.begin(), Icons.end(), [](const auto& e) { return e.second.Pending; });
  }
};

// Never freed: when the process ends the shell thread may still be inside a call into a
// taskbar that does not answer.
Shell& TheShell() {
  static Shell* const shell = new Shell;
  return *shell;
}

BOOL Call(DWORD message, const IconState& icon, UINT flags) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = icon.Window;
  data.uID = icon.Id;
  data.uFlags = flags;
  data.uCallbackMessage = icon.CallbackMessage;
  data.hIcon = icon.Icon.get();
  const std::size_t n = std::min(icon.Tip.size(), std::size(data.szTip) - 1);
  std::copy_n(icon.Tip.data(), n, data.szTip);
  return g_notify.load()(message, &data);
}

// Adds the icon with everything it shows. A taskbar that refuses the add may still hold the icon
// (from before it was re-created, or from an add it made after its own time-out had already
// refused it): then a change of everything brings it up to date.
bool AddWhole(const IconState& icon) {
  constexpr UINT kAll = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  return Call(NIM_ADD, icon, kAll) != FALSE || Call(NIM_MODIFY, icon, kAll) != FALSE;
}

// The calls that take the taskbar from what it holds to the wish; returns what it holds then.
Held CarryOut(const IconState& wish, const Held& held) {
  if (!wish.Shown) {
    if (held.Added) Call(NIM_DELETE, wish, 0);
    return {};
  }
  Held now{true, wish.Tip, wish.Icon};
  if (held.Added) {
    const UINT flags =
        (held.Tip != wish.Tip ? NIF_TIP : 0u) | (held.Icon != wish.Icon ? NIF_ICON : 0u);
    if (flags == 0 || Call(NIM_MODIFY, wish, flags) != FALSE) return now;
    // Refused: the taskbar lost the icon without our hearing of it yet.
  }
  if (AddWhole(wish)) return now;
  return {};  // offered again with the icon's next wish
}

// Carries out one pending wish, making its calls outside the lock; false when none is pending.
bool CarryOutNext(Shell& shell, std::unique_lock<std::mutex>& hold) noexcept {
  const auto next = std::find_if(shell.Icons.begin(), shell.Icons.end(),
                                 [](const auto& e) { return e.second.Pending; });
  if (next == shell.Icons.end()) return false;
  const Key key = next->first;
  Entry& entry = next->second;
  entry.Pending = false;
  const unsigned generation = entry.Generation;
  IconState wish = entry.Wish;
  Held held = entry.Taskbar;
  shell.Busy = true;
  hold.unlock();
  Held now = CarryOut(wish, held);
  hold.lock();
  shell.Busy = false;
  // Only this function removes entries, so the icon's entry is still there.
  Entry& after = shell.Icons[key];
  if (after.Generation == generation) after.Taskbar = std::move(now);
  if (!after.Pending && !after.Wish.Shown && !after.Taskbar.Added) shell.Icons.erase(key);
  shell.Settled.notify_all();
  return true;
}

void Run(Shell& shell) noexcept {
  std::unique_lock<std::mutex> hold(shell.Lock);
  for (;;) {
    if (!CarryOutNext(shell, hold)) shell.Wished.wait(hold);
  }
}

// Hands the new wish to the shell thread, started when first needed.
void Wake(Shell& shell, std::unique_lock<std::mutex>& hold) {
  if (!shell.Started) {
    try {
      std::thread([&shell] { Run(shell); }).detach();
      shell.Started = true;
    } catch (...) {
      // No thread to be had: the calls are made here, as the system would make them.
      while (CarryOutNext(shell, hold)) {
      }
      return;
    }
  }
  shell.Wished.notify_one();
}

void Wish(const IconState& state, bool taskbarRecreated) {
  Shell& shell = TheShell();
  std::unique_lock<std::mutex> hold(shell.Lock);
  const Key key{state.Window, state.Id};
  if (!state.Shown && shell.Icons.find(key) == shell.Icons.end()) return;  // nothing to take away
  Entry& entry = shell.Icons[key];
  if (taskbarRecreated) {
    ++entry.Generation;
    entry.Taskbar = {};
  }
  entry.Wish = state;
  entry.Pending = true;
  Wake(shell, hold);
}

}  // namespace

void Put(const IconState& state) { Wish(state, false); }

void TaskbarRecreated(const IconState& state) { Wish(state, true); }

bool Settle(DWORD limitMs) {
  Shell& shell = TheShell();
  std::unique_lock<std::mutex> hold(shell.Lock);
  return shell.Settled.wait_for(hold, std::chrono::milliseconds(limitMs),
                                [&] { return !shell.Busy && !shell.AnyPending(); });
}

Notify SetNotify(Notify notify) noexcept {
  return g_notify.exchange(notify != nullptr ? notify : &::Shell_NotifyIconW);
}

}  // namespace ui::tray_shell
