#pragma once
// Input as the user makes it, sent to the test desktop through SendInput, so that the program's
// low-level mouse hook and its key-state reads see it; and windows of the program found from
// outside.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A key pressed or released. Wine tells the right Shift key from the left one by the
// extended-key flag alone, so VK_RSHIFT carries it.
void Key(WORD key, bool up);
// Pressed and released.
void Press(WORD key);
// A pointer move as the mouse makes it, to screen coordinates.
void MovePointer(int x, int y);
// A pointer move there, made again (a pixel off and back) while `done` does not come to hold
// within the deadline: on a busy machine the system passes over a low-level mouse hook that
// answers late, and the program misses that move. False when three moves brought nothing.
bool MoveUntil(POINT at, const std::function<bool()>& done, int timeoutMs = 3000);
// The left button pressed or released with the pointer there, in one input: a press alone comes
// where the system has the pointer, which under Wine may be an earlier place for a moment.
void LeftButton(POINT at, bool up);
// The pointer moved there, then a left click there.
void ClickAt(POINT at);
// A point of a window's client area on the screen.
POINT ClientPoint(HWND window, int x, int y);
// The process's top-level windows, topmost first.
std::vector<HWND> TopLevelsOf(DWORD pid);
// Its topmost top-level window with this class; null when it has none.
HWND TopLevelOf(DWORD pid, const wchar_t* cls);
// A window as a failure's message names it: its class, its process, shown or hidden, its place.
std::string DescribeWindow(HWND window);
// What the desktop looks like to the input, for a failure's message: the foreground window and
// the focus, the pointer and the window under it, the Shift keys, and the process's top-level
// windows.
std::string DesktopState(DWORD pid);

}  // namespace e2e
