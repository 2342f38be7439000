#pragma once
// Calls into the taskbar's notification area, made one after another on a thread of their own.
// Shell_NotifyIcon sends its request to the taskbar's process and waits for the answer (under
// Wine without any bound): a taskbar that stops answering then holds that thread, never the UI
// thread, whose monitoring pass and mouse hook must go on.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <type_traits>

namespace ui::shell_calls {

using Notify = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
// An icon that stays alive until every call that names it has been made.
using SharedIcon = std::shared_ptr<std::remove_pointer_t<HICON>>;

// How long the caller waits for the taskbar's answer.
inline constexpr DWORD kAnswerWaitMs = 200;

// Makes the call on the shell thread and returns its answer. A call not answered within
// kAnswerWaitMs counts as taken (the taskbar makes it once it answers again); until the calls
// queued behind it have been made, later calls are queued without a wait. A change of an icon
// that a later change with the same flags replaces before it was made is not made.
BOOL Call(Notify notify, DWORD message, const NOTIFYICONDATAW& data, SharedIcon icon);

}  // namespace ui::shell_calls
