#pragma once
// A System for builds that run without a desktop (the native fuzz build of the settings code): no
// windows, no files, no keys, no network, no libraries. A user of it overrides what it needs; every
// call it does not override answers as an empty desktop would. Every call of the seam has an answer
// here, so a new call added to the seam without one here stops the program's own build.
#include "os/system.h"

namespace os {

class EmptyDesktopSystem : public System {
 public:
  std::wstring ExecutablePath() override { return L"C:\\Halvarin\\Halvarin.exe"; }
  std::unique_ptr<NamedMutex> CreateNamedMutex(const std::wstring& name,
                                               bool& alreadyExisted) override;
  bool FileExists(const std::wstring&) override { return false; }
  bool DirectoryExists(const std::wstring&) override { return false; }
  bool CreateFolder(const std::wstring&) override { return false; }
  std::string ReadFile(const std::wstring& path) override;
  void WriteFile(const std::wstring& path, std::string_view bytes) override;
  void MoveFileReplace(const std::wstring& from, const std::wstring& to) override;
  void CopyFileTo(const std::wstring& from, const std::wstring& to) override;
  bool RemoveFile(const std::wstring&) override { return false; }
  std::wstring GetFolderPath(int) override { return {}; }

  int ScreenPixelsPerInch() override { return 96; }
  Rect PrimaryMonitorRect() override { return {0, 0, 1920, 1080}; }
  Rect PrimaryWorkArea() override { return {0, 0, 1920, 1040}; }
  bool RectOnAnyMonitor(const Rect& r) override {
    return r.Left < 1920 && r.Right > 0 && r.Top < 1080 && r.Bottom > 0;
  }
  std::vector<Rect> MonitorWorkAreas() override { return {PrimaryWorkArea()}; }
  TColor GetSysColor(int) override { return 0; }
  Rect TaskbarWindowRect() override { return {}; }
  Point CursorPos() override { return {}; }

  std::int64_t PerformanceCounter() override { return 0; }
  std::int64_t PerformanceFrequency() override { return 1; }
  void Sleep(unsigned) override {}

  std::vector<std::uint64_t> KeyboardLayoutList() override { return {}; }
  std::wstring LocaleValue(unsigned, unsigned) override { return {}; }
  std::wstring LanguageName(unsigned) override { return {}; }
  std::uint64_t ThreadKeyboardLayout(unsigned) override { return 0; }
  WindowId ForegroundWindow() override { return {}; }
  ThreadProcess WindowThreadProcess(WindowId) override { return {}; }
  WindowId WindowFromPoint(Point) override { return {}; }
  std::wstring WindowClassName(WindowId) override { return {}; }
  std::optional<std::wstring> ProcessImagePath(unsigned) override { return std::nullopt; }
  bool KeyToggled(int) override { return false; }
  bool KeyDown(int) override { return false; }
  GuiThreadInfo GuiThread(unsigned) override { return {}; }
  std::optional<Point> ClientToScreen(WindowId, Point) override { return std::nullopt; }
  std::optional<Rect> AccessibleCaret(WindowId) override { return std::nullopt; }

  std::optional<bool> CurrentUserValueExists(const std::wstring&, const std::wstring&) override {
    return std::nullopt;
  }
  int ShowMessageBox(WindowId, const std::wstring&, const std::wstring&, unsigned) override {
    return 1;
  }
  std::optional<TColor> ShowColorDialog(WindowId, TColor, bool) override { return std::nullopt; }
  std::optional<std::wstring> ShowOpenFileDialog(WindowId) override { return std::nullopt; }

  WindowId DesktopWindow() override { return {}; }
  WindowId FirstChildWindow(WindowId) override { return {}; }
  WindowId NextSiblingWindow(WindowId) override { return {}; }
  bool IsWindowVisible(WindowId) override { return false; }
  std::wstring WindowText(WindowId, int) override { return {}; }
  std::unique_ptr<InputAttachment> AttachThreadInput(unsigned) override { return nullptr; }
  bool SetClipboardText(const std::wstring&) override { return false; }
  HttpResult HttpGet(const std::wstring&, const HttpOptions&) override;

  LibraryHandle LoadLibraryFile(const std::wstring&) override { return 0; }
  ProcAddress LibraryEntryPoint(LibraryHandle, const char*) override { return nullptr; }
  void FreeLibraryFile(LibraryHandle) override {}
  std::optional<std::vector<std::wstring>> RunningProcessNames() override { return std::nullopt; }
  WindowId FindTopLevelWindowByTitle(const std::wstring&) override { return {}; }
  void PostCloseMessage(WindowId) override {}
  std::optional<std::wstring> LocalMachineString(const std::wstring&,
                                                 const std::wstring&) override {
    return std::nullopt;
  }
  bool SubmitToThreadPool(std::function<void()>) override { return false; }
  bool WaitForSignal(Signal&, unsigned) override { return false; }

  void WriteCurrentUserString(const std::wstring& key, const std::wstring& valueName,
                              const std::wstring& data) override;
  void DeleteCurrentUserValue(const std::wstring& key, const std::wstring& valueName) override;
};

}  // namespace os
