#pragma once
// What the inspector shows of one window, read once when the tree is filled.
#include <string>

#include "os/types.h"

namespace window_tree {

struct TWinTree {
  std::wstring Title;
  std::wstring WindowClass;  // with the system classes' readable names
  os::WindowId Handle;
  unsigned ProcessId = 0;
  unsigned ThreadId = 0;
  std::wstring LangISO639;      // upper case
  std::wstring CountryISO3166;  // upper case
  std::wstring LangName;
  std::wstring ImagePath;  // empty when the process cannot be opened
};

// Texts are read into buffers of 128 characters, as the inspector always did: longer titles and
// class names show cut.
inline constexpr int kTextBuffer = 128;

// The readable name of the system's own window classes ("#32770" is a dialog box); any other
// class name as it is.
std::wstring ShownClassName(const std::wstring& className);
// Everything after the last backslash, slash or colon.
std::wstring FileNamePart(const std::wstring& path);
// Reads a window's record through the System seam. The calling thread's input is attached to
// the window's thread only while its keyboard layout is read.
TWinTree ReadWindow(os::WindowId window);

}  // namespace window_tree
