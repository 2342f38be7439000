#pragma once
// Reading the settings file when the program starts.
#include <string>

#include "core/settings.h"
#include "core/settings_windows.h"

namespace core {

// Loads the file into settings and the windows. A file that cannot be read is reported in a
// message box and the start goes on with the defaults of what was not read. Before anything can
// write over it, the file is copied to fileName + ".bak"; where even that copy cannot be made,
// settings refuses every save over the file for the rest of the run, so that the user's only copy
// survives, and the message says so.
void LoadSettingsAtStart(TSettings& settings, const std::wstring& fileName,
                         SettingsWindows& windows);

}  // namespace core
