#pragma once
// The taskbar's notification area as our icons want it to be, brought about by a thread of its
// own. Shell_NotifyIcon sends its request to the taskbar's process and waits for the answer
// (under Wine without any bound): a taskbar that stops answering then holds that thread, never
// the UI thread, whose monitoring pass and mouse hook must go on.
//
// The UI thread only says what each icon should look like; the shell thread remembers what the
// taskbar said it holds and makes the calls that take it from there to the newest wish. So an
// answer that comes late still counts: an add the taskbar refused after a long wait is tried
// again with the icon's next change, and a taskbar that comes back after a hang gets the icon's
// last state, not every step to it.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <type_traits>

namespace ui::tray_shell {

using Notify = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
// An icon that stays alive while a call or the taskbar's state names it.
using SharedIcon = std::shared_ptr<std::remove_pointer_t<HICON>>;

// What one icon, named by its window and number, should show.
struct IconState {
  HWND Window = nullptr;
  UINT Id = 0;
  bool Shown = false;
  UINT CallbackMessage = 0;
  std::wstring Tip;  // at most what NOTIFYICONDATAW::szTip holds
  SharedIcon Icon;   // may be null
};

// Makes `state` the icon's wish. Returns at once; the shell thread makes the calls.
void Put(const IconState& state);
// The taskbar was made anew and holds none of our icons: whatever the old one said it held no
// longer counts, and a shown icon is added again in `state`.
void TaskbarRecreated(const IconState& state);
// Waits until every wish has been carried out, at most `limitMs`; true when they all have.
bool Settle(DWORD limitMs);

// How long an icon's removal at its destruction waits for the taskbar.
inline constexpr DWORD kRemoveWaitMs = 200;

// The call into the shell; Shell_NotifyIconW unless a test models the taskbar. Returns the one it
// replaces.
Notify SetNotify(Notify notify) noexcept;

}  // namespace ui::tray_shell
