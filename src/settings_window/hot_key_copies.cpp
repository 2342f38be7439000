// The two chords of the monitoring pass that copy what the mouse indicator shows into the
// exclusion lists.
#include "core/common.h"
#include "indicators/lang_info_mouse.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "os/system.h"
#include "settings_window/exclusion_lists.h"
#include "settings_window/page_saving.h"
#include "ui/window_id.h"

namespace monitor {

namespace {

constexpr int kFirstExcludeListPage = 4;
constexpr int kSecondExcludeListPage = 7;
constexpr unsigned kCopyBoxFlags = MB_OK | MB_ICONINFORMATION | MB_TASKMODAL;

// Only while the mouse indicator is on and shown: its labels then name the window under the
// pointer (the hook marks a hidden indicator with Tag 1).
bool MouseIndicatorShown() {
  return core::Settings != nullptr && core::Settings->MouseIndicator_IsShow &&
         fLangInfoMouse != nullptr && fLangInfoMouse->Tag == 0;
}

void AppendFocused(ui::TreeList& tree, const std::wstring& name) {
  ui::TreeNode* node = settings_window::AppendExclusion(tree, name);
  tree.SetFocusedNode(node);
  tree.SetSelected(node);
}

// Owned by the main window, which the copy has just brought up topmost: an unowned box could
// lie behind it while the box keeps it disabled, and the program would look frozen.
void TellAdded(TfMain& main, const std::wstring& names) {
  os::Sys().ShowMessageBox(ui::WindowIdOf(&main), names + L"\r\n\r\nhas beed added to list.",
                           L"Halvarin", kCopyBoxFlags);
}

}  // namespace

void TfMain::CopyPointerInfoToExcludeLists() {
  if (!MouseIndicatorShown()) return;
  const std::wstring windowClass = fLangInfoMouse->L_WindowClass.Caption();
  const std::wstring app = fLangInfoMouse->L_AppName.Caption();
  if (windowClass.empty() && app.empty()) return;
  // Rows added before the pages' first fill would be replaced by that fill: fill them first.
  FormShow();
  if (!windowClass.empty()) AppendFocused(vstExclude_WindowClass, windowClass);
  if (!app.empty()) AppendFocused(vstExclude_AppName, app);
  settings_window::SavePages(settings_window::FilterRebuild::Lists1);
  ShowMainWindow(true, kFirstExcludeListPage);
  TellAdded(*this, L"Window Class: " + windowClass + L"\r\n\r\nApp Name: " + app);
}

void TfMain::CopyAppNameToCaretExcludeList() {
  if (!MouseIndicatorShown()) return;
  const std::wstring app = fLangInfoMouse->L_AppName.Caption();
  if (app.empty()) return;
  FormShow();
  AppendFocused(vstExclude_AppName2, app);
  settings_window::SavePages(settings_window::FilterRebuild::List2);
  ShowMainWindow(true, kSecondExcludeListPage);
  TellAdded(*this, L"App Name: " + app);
}

}  // namespace monitor
