#pragma once
#include <windows.h>

#include "os/system.h"

namespace os::win32 {

// The real desktop.
class Win32System final : public System {
 public:
  std::wstring ExecutablePath() override;
  std::unique_ptr<NamedMutex> CreateNamedMutex(const std::wstring& name,
                                               bool& alreadyExisted) override;

  bool FileExists(const std::wstring& path) override;
  bool DirectoryExists(const std::wstring& path) override;
  bool CreateFolder(const std::wstring& path) override;
  std::string ReadFile(const std::wstring& path) override;
  void WriteFile(const std::wstring& path, std::string_view bytes) override;
  void MoveFileReplace(const std::wstring& from, const std::wstring& to) override;
  void CopyFileTo(const std::wstring& from, const std::wstring& to) override;
  bool RemoveFile(const std::wstring& path) override;

  std::wstring GetFolderPath(int csidl) override;

  int ScreenPixelsPerInch() override;
  Rect PrimaryMonitorRect() override;
  Rect PrimaryWorkArea() override;
  TColor GetSysColor(int index) override;
  Rect TaskbarWindowRect() override;
  Point CursorPos() override;

  std::int64_t PerformanceCounter() override;
  std::int64_t PerformanceFrequency() override;
  void Sleep(unsigned milliseconds) override;

  std::vector<std::uint64_t> KeyboardLayoutList() override;
  std::wstring LocaleValue(unsigned languageId, unsigned lcType) override;

  std::optional<bool> CurrentUserValueExists(const std::wstring& key,
                                             const std::wstring& valueName) override;

  int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags) override;
};

// The system's text for an error code, without its trailing line break.
std::wstring SystemErrorText(DWORD code);

}  // namespace os::win32
