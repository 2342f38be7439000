#include "desktop_input.h"

#include <string>
#include <vector>

#include "program_run.h"

namespace e2e {

void Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (key == VK_RSHIFT) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  ::SendInput(1, &input, sizeof(INPUT));
}

void Press(WORD key) {
  Key(key, false);
  Key(key, true);
}

void MovePointer(int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = ::MulDiv(x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(INPUT));
}

bool MoveUntil(POINT at, const std::function<bool()>& done, int timeoutMs) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (attempt > 0) MovePointer(at.x - 1, at.y);
    MovePointer(at.x, at.y);
    if (Eventually(done, timeoutMs)) return true;
  }
  return false;
}

void LeftButton(POINT at, bool up) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = ::MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags =
      MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
  ::SendInput(1, &input, sizeof(INPUT));
}

void ClickAt(POINT at) {
  ::SetCursorPos(at.x, at.y);
  ::Sleep(100);
  for (bool up : {false, true}) {
    LeftButton(at, up);
    ::Sleep(50);
  }
}

POINT ClientPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(window, &p);
  return p;
}

std::vector<HWND> TopLevelsOf(DWORD pid) {
  struct Data {
    DWORD Pid;
    std::vector<HWND> Found;
  } data{pid, {}};
  ::EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* d = reinterpret_cast<Data*>(lp);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner == d->Pid) d->Found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&data));
  return data.Found;
}

HWND TopLevelOf(DWORD pid, const wchar_t* cls) {
  for (HWND h : TopLevelsOf(pid)) {
    wchar_t name[64] = {};
    ::GetClassNameW(h, name, 64);
    if (std::wstring(name) == cls) return h;
  }
  return nullptr;
}

std::string DescribeWindow(HWND window) {
  if (window == nullptr) return "none";
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  RECT r{};
  ::GetWindowRect(window, &r);
  std::string text;
  for (const wchar_t* c = name; *c != 0; ++c) text += *c < 128 ? static_cast<char>(*c) : '?';
  return text + " pid " + std::to_string(pid) + (::IsWindowVisible(window) ? " shown" : " hidden") +
         " at " + std::to_string(r.left) + "," + std::to_string(r.top) + "-" +
         std::to_string(r.right) + "," + std::to_string(r.bottom);
}

std::string DesktopState(DWORD pid) {
  POINT at{};
  ::GetCursorPos(&at);
  // The focus of the thread that owns the foreground, wherever that thread is.
  GUITHREADINFO gui{sizeof(gui)};
  const bool known = ::GetGUIThreadInfo(0, &gui) != FALSE;
  std::string state = "foreground: " + DescribeWindow(::GetForegroundWindow()) + "\nfocus: " +
                      (known ? DescribeWindow(gui.hwndFocus) : "unknown") + "\npointer " +
                      std::to_string(at.x) + "," + std::to_string(at.y) +
                      " over: " + DescribeWindow(::WindowFromPoint(at)) + "\nShift keys down:" +
                      ((::GetAsyncKeyState(VK_LSHIFT) & 0x8000) != 0 ? " left" : "") +
                      ((::GetAsyncKeyState(VK_RSHIFT) & 0x8000) != 0 ? " right" : "") +
                      "\nthe process's top-level windows:";
  for (HWND h : TopLevelsOf(pid)) state += "\n  " + DescribeWindow(h);
  return state;
}

}  // namespace e2e
