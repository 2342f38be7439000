#include "core/settings_start.h"

#include <optional>

#include "os/error.h"
#include "os/system.h"

namespace core {
namespace {

// The name of copy n of the file: the first is fileName + ".bak", as it always was, the later
// ones ".bak2", ".bak3" and so on.
std::wstring CopyName(const std::wstring& fileName, int n) {
  return fileName + L".bak" + (n == 1 ? std::wstring() : std::to_wstring(n));
}

bool SameBytes(os::System& sys, const std::wstring& a, const std::wstring& b) {
  try {
    return sys.ReadFile(a) == sys.ReadFile(b);
  } catch (const os::Error&) {
    return false;
  }
}

// Keeps the file as the first of its copies that is free, or as the copy that already holds the
// same bytes (the same bad file at the next start is not copied again). A copy that exists is
// never written over: it may hold the user's only settings from an earlier bad start. Returns
// the copy's name, or nothing when all kMaxSettingsCopies exist; raises Error when the copy
// fails, with `tried` the name it was to have.
std::optional<std::wstring> KeepACopy(os::System& sys, const std::wstring& fileName,
                                      std::wstring& tried) {
  for (int n = 1; n <= kMaxSettingsCopies; ++n) {
    const std::wstring copy = CopyName(fileName, n);
    if (!sys.FileExists(copy)) {
      tried = copy;
      sys.CopyFileTo(fileName, copy);
      return copy;
    }
    if (SameBytes(sys, fileName, copy)) return copy;
  }
  return std::nullopt;
}

}  // namespace

void LoadSettingsAtStart(TSettings& settings, const std::wstring& fileName,
                         SettingsWindows& windows) {
  try {
    settings.Load(fileName, windows);
    return;
  } catch (const os::Error& e) {
    auto& sys = os::Sys();
    const std::wstring notSaved =
        L" So that it is not lost, the program does not write over it in this run: changes to "
        L"the settings are not saved.";
    std::wstring kept;
    std::wstring tried;
    try {
      if (const auto copy = KeepACopy(sys, fileName, tried)) {
        kept = L"\n\nThe file was kept as \"" + *copy + L"\".";
      } else {
        settings.RefuseToReplace(fileName);
        kept = L"\n\nNo copy of it was made: \"" + CopyName(fileName, 1) + L"\" to \"" +
               CopyName(fileName, kMaxSettingsCopies) +
               L"\" hold copies of earlier files that could not be read; delete those that are "
               L"no longer needed." +
               notSaved;
      }
    } catch (const os::Error& copyError) {
      settings.RefuseToReplace(fileName);
      kept = L"\n\nNo copy of it could be made as \"" + tried + L"\" (" + copyError.Message() +
             L")." + notSaved;
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
