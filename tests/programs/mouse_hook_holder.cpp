// A program beside Halvarin for the end-to-end tests: it holds a low-level mouse hook of its own,
// answers every call of it, and runs until it is ended. When the event named on its command line
// exists, it raises it once the hook is in.
#include <windows.h>

namespace {

HHOOK g_hook = nullptr;

LRESULT CALLBACK PassOn(int code, WPARAM message, LPARAM event) {
  return ::CallNextHookEx(g_hook, code, message, event);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* commandLine, int) {
  g_hook = ::SetWindowsHookExW(WH_MOUSE_LL, &PassOn, instance, 0);
  if (g_hook == nullptr) return 1;
  if (commandLine != nullptr && *commandLine != L'\0') {
    if (HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, commandLine)) {
      ::SetEvent(ready);
      ::CloseHandle(ready);
    }
  }
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  ::UnhookWindowsHookEx(g_hook);
  return 0;
}
