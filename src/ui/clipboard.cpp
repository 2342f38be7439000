#include "ui/clipboard.h"

#include "os/system.h"
#include "ui/application.h"
#include "ui/window_id.h"

namespace ui {
namespace {

constexpr int kAttempts = 10;
constexpr unsigned kPauseMs = 25;  // about a quarter of a second in all

}  // namespace

bool CopyToClipboard(const std::wstring& text) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) os::Sys().Sleep(kPauseMs);
    if (os::Sys().SetClipboardText(text)) return true;
  }
  return false;
}

bool CopyToClipboardOrTell(const std::wstring& text) {
  if (CopyToClipboard(text)) return true;
  // Above the window whose copy command failed.
  os::Sys().ShowMessageBox(ActiveWindowId(),
                           L"Nothing was copied: another program is using the clipboard.",
                           App().Title, os::kMbIconWarning | os::kMbTaskModal);
  return false;
}

}  // namespace ui
