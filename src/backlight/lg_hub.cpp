#include "backlight/lg_hub.h"

#include <cwctype>
#include <string>

#include "core/common.h"
#include "os/shell.h"
#include "os/system.h"

namespace backlight {
namespace {

constexpr int kSwMinimize = 6;  // SW_MINIMIZE

// Whether a process of that file name runs; the snapshot may give a path or a bare name, and
// the name is compared whole, in lower case.
bool IsProcessRunning(const std::wstring& fileName) {
  const auto names = os::Sys().RunningProcessNames();
  if (!names) return false;
  for (const std::wstring& name : *names) {
    std::wstring file = name.substr(name.find_last_of(L"\\/") + 1);
    for (wchar_t& c : file) c = static_cast<wchar_t>(std::towlower(c));
    if (file == fileName) return true;
  }
  return false;
}

}  // namespace

bool IsLGHubRunning() {
  ++core::LGHubCheckCount;  // also when the snapshot fails: the attempts count on it
  return IsProcessRunning(L"lghub.exe");
}

bool IsLGHubInstallerRunning() { return IsProcessRunning(L"lghub_installer.exe"); }

void StartLGHub(const std::function<void(unsigned)>& wait) {
  if (!os::Shl().FileExists(kLGHubPath) || IsLGHubInstallerRunning()) return;
  core::LGHubStarted = true;
  wait(2000);
  os::ShellCommand command;
  command.File = kLGHubPath;
  command.Verb = L"open";
  command.ShowCommand = kSwMinimize;
  os::Shl().Execute(command);
  wait(500);
}

}  // namespace backlight
