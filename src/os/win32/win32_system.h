#pragma once
#include <windows.h>

#include "os/system.h"
#include "os/win32/caret_object_query.h"

namespace os::win32 {

// The real desktop.
// Construct it on the UI thread: it joins that thread to a single-threaded COM apartment (the
// system's dialogs want one), and leaves it again when destroyed.
// Not final: a test may shorten its waits while everything else stays real.
class Win32System : public System {
 public:
  Win32System();
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

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
  bool RectOnAnyMonitor(const Rect& r) override;
  std::vector<Rect> MonitorWorkAreas() override;
  TColor GetSysColor(int index) override;
  Rect TaskbarWindowRect() override;
  Point CursorPos() override;

  std::int64_t PerformanceCounter() override;
  std::int64_t PerformanceFrequency() override;
  void Sleep(unsigned milliseconds) override;

  std::vector<std::uint64_t> KeyboardLayoutList() override;
  std::wstring LocaleValue(unsigned languageId, unsigned lcType) override;
  std::wstring LanguageName(unsigned languageId) override;
  std::uint64_t ThreadKeyboardLayout(unsigned threadId) override;

  WindowId ForegroundWindow() override;
  ThreadProcess WindowThreadProcess(WindowId window) override;
  WindowId WindowFromPoint(Point screen) override;
  std::wstring WindowClassName(WindowId window) override;
  std::optional<std::wstring> ProcessImagePath(unsigned processId) override;

  bool KeyToggled(int virtualKey) override;
  bool KeyDown(int virtualKey) override;

  GuiThreadInfo GuiThread(unsigned threadId) override;
  std::optional<Point> ClientToScreen(WindowId window, Point client) override;
  std::optional<Rect> AccessibleCaret(WindowId window) override;

  std::optional<bool> CurrentUserValueExists(const std::wstring& key,
                                             const std::wstring& valueName) override;

  int ShowMessageBox(WindowId owner, const std::wstring& text, const std::wstring& caption,
                     unsigned flags) override;

  std::optional<TColor> ShowColorDialog(WindowId owner, TColor initial, bool fullOpen) override;
  std::optional<std::wstring> ShowOpenFileDialog(WindowId owner) override;
  void WriteCurrentUserString(const std::wstring& key, const std::wstring& valueName,
                              const std::wstring& data) override;
  void DeleteCurrentUserValue(const std::wstring& key, const std::wstring& valueName) override;

  // ===== Window tree walk, clipboard, HTTP (win32_system_walk_http.cpp) =====
  WindowId DesktopWindow() override;
  WindowId FirstChildWindow(WindowId window) override;
  WindowId NextSiblingWindow(WindowId window) override;
  bool IsWindowVisible(WindowId window) override;
  std::wstring WindowText(WindowId window, int maxChars) override;
  std::unique_ptr<InputAttachment> AttachThreadInput(unsigned threadId) override;
  bool SetClipboardText(const std::wstring& text) override;
  HttpResult HttpGet(const std::wstring& url, const HttpOptions& options) override;
  // ===== end of the window tree walk, clipboard, HTTP =====

  // ===== Keyboard backlight =====
  LibraryHandle LoadLibraryFile(const std::wstring& pathOrName) override;
  ProcAddress LibraryEntryPoint(LibraryHandle library, const char* name) override;
  void FreeLibraryFile(LibraryHandle library) override;
  std::optional<std::vector<std::wstring>> RunningProcessNames() override;
  WindowId FindTopLevelWindowByTitle(const std::wstring& title) override;
  void PostCloseMessage(WindowId window) override;
  std::optional<std::wstring> LocalMachineString(const std::wstring& key,
                                                 const std::wstring& valueName) override;
  bool SubmitToThreadPool(std::function<void()> work) override;
  bool WaitForSignal(Signal& signal, unsigned milliseconds) override;
  // ===== end of the keyboard backlight =====

 private:
  bool m_comInitialized = false;
  CaretObjectQuery m_caretObjects;
  // The colour dialog's custom colours, kept from one opening to the next; white at start.
  COLORREF m_customColors[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};

// The handle a window identifier stands for, and back.
inline HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window.Value); }
inline WindowId ToWindowId(HWND window) { return WindowId{reinterpret_cast<std::uintptr_t>(window)}; }

// The system's text for an error code, without its trailing line break.
std::wstring SystemErrorText(DWORD code);

}  // namespace os::win32
