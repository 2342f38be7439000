#pragma once
// Reading the settings file when the program starts.
#include <string>

#include "core/settings.h"
#include "core/settings_windows.h"

namespace core {

// How many copies of unreadable settings files are kept side by side.
inline constexpr int kMaxSettingsCopies = 9;

// Loads the file into settings and the windows. A file that cannot be read is reported in a
// message box and the start goes on with the defaults of what was not read. Before anything can
// write over it, the file is copied to fileName + ".bak", or where that exists (an earlier bad
// file the user has not dealt with) to ".bak2" up to ".bak9", never over an earlier copy; a copy
// that holds the same bytes already is kept as it is. Where no copy can be made (it fails, or all
// nine exist), settings refuses every save over the file for the rest of the run, so that the
// user's only copy survives, and the message says so.
void LoadSettingsAtStart(TSettings& settings, const std::wstring& fileName,
                         SettingsWindows& windows);

}  // namespace core
