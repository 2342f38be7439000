#include "core/settings_start.h"

#include "os/error.h"
#include "os/system.h"

namespace core {

void LoadSettingsAtStart(TSettings& settings, const std::wstring& fileName,
                         SettingsWindows& windows) {
  try {
    settings.Load(fileName, windows);
    return;
  } catch (const os::Error& e) {
    auto& sys = os::Sys();
    const std::wstring backup = fileName + L".bak";
    std::wstring kept;
    try {
      sys.CopyFileTo(fileName, backup);
      kept = L"\n\nThe file was kept as \"" + backup + L"\".";
    } catch (const os::Error& copyError) {
      settings.RefuseToReplace(fileName);
      kept = L"\n\nNo copy of it could be made as \"" + backup + L"\" (" + copyError.Message() +
             L"). So that it is not lost, the program does not write over it in this run: "
             L"changes to the settings are not saved.";
    }
    sys.ShowMessageBox(os::WindowId{},  // at start: no window of the program is shown yet
                       L"The settings file \"" + fileName + L"\" cannot be read.\n\n" +
                           e.Message() + kept +
                           L"\n\nThe program starts with default values for the settings it could "
                           L"not read.",
                       L"Halvarin", os::kMbOk | os::kMbIconWarning | os::kMbTaskModal);
  }
}

}  // namespace core
