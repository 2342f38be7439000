#pragma once
// Text to the clipboard. Another program may hold the clipboard for a moment (a clipboard
// manager reading what we put there, a remote-desktop client): the copy tries again for a short
// while before it gives up, and a copy that did not happen is never passed off as done.
#include <string>

namespace ui {

// True when the text is on the clipboard.
bool CopyToClipboard(const std::wstring& text);
// The same; when nothing could be copied the user is told so.
bool CopyToClipboardOrTell(const std::wstring& text);

}  // namespace ui
