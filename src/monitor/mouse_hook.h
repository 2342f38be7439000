#pragma once
// The low-level mouse hook: on every pointer move the mouse indicator goes beside the pointer,
// shows the class and the program of the window under it, lays out its rows, and is shown or
// hidden by the enable switches and the two exclusion lists.
#include <windows.h>

#include <cstdint>

#include "os/types.h"
#include "ui/handles.h"

namespace monitor {

// Installed by the start-up timer; removed at the end of the session or at destruction, once.
inline ui::UniqueHook MouseHookHandle;

// The hook itself: acts only on pointer moves reported with HC_ACTION, and always passes the
// event on to the next hook.
LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM event) noexcept;

// What one pointer move does to the mouse indicator, at a point in screen pixels.
void MouseIndicatorFollowPointer(os::Point at);

// The indicator's size for its rows; the rows' labels are placed on the way.
void LayoutMouseIndicatorRows();

void InstallMouseHook();
void RemoveMouseHook() noexcept;

// Installs a hook as SetWindowsHookExW does. The system's own unless a test counts the installs;
// null puts the system's back.
using MouseHookInstaller = HHOOK(WINAPI*)(int hookId, HOOKPROC proc, HINSTANCE module,
                                          DWORD threadId);
void SetMouseHookInstaller(MouseHookInstaller installer) noexcept;

// Run by every full pass: while the hook is wanted but the system refused its install, tries
// the install again, at most once a second; installs the hook anew when the pointer has moved
// and then no hook call has come for over a second. Windows removes a low-level hook without a
// word when it once answers too late, and Wine stops calling one when another process's hook
// goes with its process. Once per such gap: the next one needs a hook call first.
void WatchMouseHook(std::int64_t nowStamp);

}  // namespace monitor
