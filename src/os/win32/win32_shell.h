#pragma once
#include <windows.h>

#include "os/shell.h"

namespace os::win32 {

// The real shell. It joins the creating thread to a single-threaded COM apartment for its
// lifetime, as the shell's folders and automation objects need; create it on the UI thread.
class Win32Shell final : public Shell {
 public:
  Win32Shell();
  ~Win32Shell() override;
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;

  ImageListHandle SystemImageList(unsigned flags) override;
  std::optional<int> IconIndexOfName(const std::wstring& name, unsigned flags) override;
  std::optional<int> IconIndexOfFileType(const std::wstring& name, unsigned flags) override;
  std::optional<int> IconIndexOfSpecialFolder(int csidl, unsigned flags) override;

  int Execute(const ShellCommand& command) override;
  bool ShowShutdownDialog() override;
  bool ShowWindowSwitcher() override;
  WindowHandle FindTopWindow(const std::wstring& className) override;

  std::wstring TempFolder() override;
  std::wstring ReserveTempFileName(const std::wstring& folder, const std::wstring& prefix) override;
  bool CreateNewFile(const std::wstring& path) override;
  bool RemoveFile(const std::wstring& path) override;
  bool FileExists(const std::wstring& path) override;

  std::wstring SpecialFolderPath(int csidl) override;
  std::wstring DownloadsFolderPath() override;
  std::vector<std::wstring> LogicalDrives() override;
  std::wstring VolumeLabel(const std::wstring& root) override;
  int DriveType(const std::wstring& root) override;

 private:
  bool m_comInitialized = false;
};

}  // namespace os::win32
