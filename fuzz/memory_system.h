#pragma once
// The world as the settings code sees it in the fuzz build: files in memory, one fixed monitor,
// message boxes counted. Everything else answers as an empty desktop would.
#include <map>
#include <string>

#include "os/empty_desktop_system.h"

namespace fuzz {

class MemorySystem : public os::EmptyDesktopSystem {
 public:
  std::map<std::wstring, std::string> Files;  // full path -> bytes
  int MessageBoxCount = 0;

  bool FileExists(const std::wstring& path) override { return Files.count(path) != 0; }
  bool DirectoryExists(const std::wstring&) override { return true; }
  bool CreateFolder(const std::wstring&) override { return true; }
  std::string ReadFile(const std::wstring& path) override;
  void WriteFile(const std::wstring& path, std::string_view bytes) override {
    Files[path] = std::string(bytes);
  }
  void MoveFileReplace(const std::wstring& from, const std::wstring& to) override;
  void CopyFileTo(const std::wstring& from, const std::wstring& to) override {
    Files[to] = ReadFile(from);
  }
  bool RemoveFile(const std::wstring& path) override { return Files.erase(path) != 0; }
  os::TColor GetSysColor(int index) override { return 0x010101 * (index & 0x7F); }
  os::Rect TaskbarWindowRect() override { return {0, 1040, 1920, 1080}; }
  std::vector<std::uint64_t> KeyboardLayoutList() override { return {0x04090409}; }
  std::optional<bool> CurrentUserValueExists(const std::wstring&, const std::wstring&) override {
    return false;
  }
  int ShowMessageBox(os::WindowId, const std::wstring&, const std::wstring&, unsigned) override {
    ++MessageBoxCount;
    return 1;
  }
};

}  // namespace fuzz
