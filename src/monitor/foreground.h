#pragma once
// What the monitoring asks about the window that has the focus: the locale names of its keyboard
// layout, its text caret, its class and its application. Nothing is kept between calls: every
// call asks the system afresh.
#include <optional>
#include <string>
#include <string_view>

#include "os/types.h"

namespace monitor {

// The five locale names of the keyboard layout that the foreground window's thread uses: the
// ISO 639 language name in upper case, the language's display name, the abbreviated country
// name, the ISO 3166 country name and the abbreviated language name. Each is empty when it cannot
// be read, all of them when there is no foreground window.
void GetForegroundLayoutInfo(std::wstring& iso639, std::wstring& languageName,
                             std::wstring& countryAbbrev, std::wstring& iso3166,
                             std::wstring& languageAbbrev);

// The foreground window's text caret in screen coordinates with its size, the window's class
// name and the file name of its application. True only when the accessibility caret gave the
// location. A point of (0, 0) means no caret was found. className and appName keep the caller's
// values when there is no foreground window, and appName also when the process cannot be asked.
bool GetCaretPosition(os::Point& pt, int& caretWidth, int& caretHeight, std::wstring& className,
                      std::wstring& appName);

// A window's class name as the indicators show it: at most 126 characters; empty when the
// window is gone.
std::wstring WindowClassText(os::WindowId window);

// The file name of a process's executable, without its folder; none when the process cannot be
// opened or asked.
std::optional<std::wstring> AppFileName(unsigned processId);

// The part of a path after its last backslash or colon.
std::wstring FileNameOfPath(std::wstring_view path);

}  // namespace monitor
