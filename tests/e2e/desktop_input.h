#pragma once
// Input as the user makes it, sent to the test desktop through SendInput, so that the program's
// low-level mouse hook and its key-state reads see it; and windows of the program found from
// outside.
#include <windows.h>

namespace e2e {

// A key pressed or released. Wine tells the right Shift key from the left one by the
// extended-key flag alone, so VK_RSHIFT carries it.
void Key(WORD key, bool up);
// Pressed and released.
void Press(WORD key);
// A pointer move as the mouse makes it, to screen coordinates.
void MovePointer(int x, int y);
// The pointer moved there, then a left click.
void ClickAt(POINT at);
// A point of a window's client area on the screen.
POINT ClientPoint(HWND window, int x, int y);
// A top-level window of the process with this class; null when it has none.
HWND TopLevelOf(DWORD pid, const wchar_t* cls);

}  // namespace e2e
