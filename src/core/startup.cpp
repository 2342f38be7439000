#include "core/startup.h"

#include <memory>

#include "core/common.h"
#include "core/file_io.h"
#include "os/system.h"

namespace core {
namespace {
std::unique_ptr<os::NamedMutex> InstanceMutex;
}

bool IsAnotherInstance() {
  bool alreadyExisted = false;
  InstanceMutex = os::Sys().CreateNamedMutex(kInstanceMutexName, alreadyExisted);
  return !InstanceMutex || alreadyExisted;
}

void ReleaseInstanceMutex() noexcept { InstanceMutex.reset(); }

void PrepareWorkFolders() {
  auto& sys = os::Sys();
  PathProgram = IncludeTrailingBackslash(ExtractFilePath(sys.ExecutablePath()));
  if (sys.FileExists(PathProgram + L"portable.txt")) {
    PathWorkSpace = PathProgram;
  } else {
    PathWorkSpace = IncludeTrailingBackslash(
        IncludeTrailingBackslash(GetFolderPath(os::kCsidlAppData)) + L"Qorvane\\" + L"Halvarin" +
        L"\\WorkSpace");
  }
  PathSettings = IncludeTrailingBackslash(PathWorkSpace + L"Settings");
  ForceDirectories(PathSettings);
  FileSettings = PathSettings + L"settings.json";
  PathLog = IncludeTrailingBackslash(PathWorkSpace + L"Log");
  ForceDirectories(PathLog);
  FileLog = PathLog + L"Halvarin.log";
  PathWindows = IncludeTrailingBackslash(GetFolderPath(os::kCsidlWindows));
  PathSystem = IncludeTrailingBackslash(GetFolderPath(os::kCsidlSystem));
}

}  // namespace core
