#pragma once
// The System seam: every call that reads or changes the world outside the program's own windows.
// The program installs the Win32 implementation; the tests install a scripted desktop.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/types.h"

namespace os {

// Message box flags, as the platform defines them.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconWarning = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbTaskModal = 0x2000;

// Locale value types (LOCALE_*).
inline constexpr unsigned kLocaleSLanguage = 0x02;
inline constexpr unsigned kLocaleSAbbrevLangName = 0x03;
inline constexpr unsigned kLocaleSAbbrevCtryName = 0x07;
inline constexpr unsigned kLocaleSIso639LangName = 0x59;
inline constexpr unsigned kLocaleSIso3166CtryName = 0x5A;

// Virtual keys (VK_*) that the monitoring reads.
inline constexpr int kVkMenu = 0x12;  // either Alt key
inline constexpr int kVkPause = 0x13;
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkNumLock = 0x90;
inline constexpr int kVkLShift = 0xA0;
inline constexpr int kVkRShift = 0xA1;
inline constexpr int kVkLMenu = 0xA4;
inline constexpr int kVkRMenu = 0xA5;

// Special folders (CSIDL values).
inline constexpr int kCsidlAppData = 0x1A;
inline constexpr int kCsidlWindows = 0x24;
inline constexpr int kCsidlSystem = 0x25;

// The thread that created a window and the process it belongs to; zero ids when the window is gone.
struct ThreadProcess {
  unsigned ThreadId = 0;
  unsigned ProcessId = 0;
  friend bool operator==(const ThreadProcess&, const ThreadProcess&) = default;
};

// What a GUI thread's record says about its focus and its text caret; all zero when the thread
// cannot be asked.
struct GuiThreadInfo {
  WindowId Focus;        // the window with the keyboard focus
  WindowId CaretWindow;  // the window that owns the caret
  Rect Caret;            // in the client coordinates of CaretWindow
};

// An open named mutex; closed when destroyed.
class NamedMutex {
 public:
  virtual ~NamedMutex() = default;
};

class System {
 public:
  virtual ~System() = default;

  // --- Process and single instance
  virtual std::wstring ExecutablePath() = 0;
  // Creates or opens the named mutex: null when the system refused, else the handle, with
  // alreadyExisted telling whether another process had created it first.
  virtual std::unique_ptr<NamedMutex> CreateNamedMutex(const std::wstring& name,
                                                       bool& alreadyExisted) = 0;

  // --- Files and folders (full paths). The throwing calls raise Error naming path and reason.
  virtual bool FileExists(const std::wstring& path) = 0;  // a file; a folder does not count
  virtual bool DirectoryExists(const std::wstring& path) = 0;
  virtual bool CreateFolder(const std::wstring& path) = 0;  // one level; false when it failed
  virtual std::string ReadFile(const std::wstring& path) = 0;
  virtual void WriteFile(const std::wstring& path, std::string_view bytes) = 0;  // create or truncate
  virtual void MoveFileReplace(const std::wstring& from, const std::wstring& to) = 0;
  virtual void CopyFileTo(const std::wstring& from, const std::wstring& to) = 0;  // overwrites
  virtual bool RemoveFile(const std::wstring& path) = 0;

  // --- Shell: a special folder's current path (SHGetFolderPathW); empty when it fails.
  virtual std::wstring GetFolderPath(int csidl) = 0;

  // --- Display
  virtual int ScreenPixelsPerInch() = 0;
  virtual Rect PrimaryMonitorRect() = 0;
  virtual Rect PrimaryWorkArea() = 0;
  virtual TColor GetSysColor(int index) = 0;  // as 0x00BBGGRR
  // The window rectangle of the taskbar (the top-level window of class "Shell_TrayWnd"); all
  // zero when there is no taskbar window.
  virtual Rect TaskbarWindowRect() = 0;
  // The pointer's position in screen coordinates; (0, 0) when it cannot be read.
  virtual Point CursorPos() = 0;

  // --- Time
  virtual std::int64_t PerformanceCounter() = 0;
  virtual std::int64_t PerformanceFrequency() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;

  // --- Keyboard layouts and locales
  // The installed keyboard layouts (HKL values) in the system's order; raises Error when the
  // list cannot be read whole.
  virtual std::vector<std::uint64_t> KeyboardLayoutList() = 0;
  // A locale value (LOCALE_* type) of a language identifier; empty when the query fails.
  virtual std::wstring LocaleValue(unsigned languageId, unsigned lcType) = 0;
  // The keyboard layout (HKL value) that a thread uses; 0 when the thread is gone.
  virtual std::uint64_t ThreadKeyboardLayout(unsigned threadId) = 0;

  // --- Windows of the desktop and their programs
  virtual WindowId ForegroundWindow() = 0;  // none while the desktop switches
  virtual ThreadProcess WindowThreadProcess(WindowId window) = 0;
  virtual WindowId WindowFromPoint(Point screen) = 0;
  // The window class's name, whole (class names have at most 256 characters); empty when the
  // window is gone.
  virtual std::wstring WindowClassName(WindowId window) = 0;
  // The full path of the process's executable; none when the process cannot be opened for
  // querying (for example one running with higher rights) or the query fails.
  virtual std::optional<std::wstring> ProcessImagePath(unsigned processId) = 0;

  // --- Keyboard state of the calling thread, as its message queue last saw it
  virtual bool KeyToggled(int virtualKey) = 0;  // the toggle bit (Caps Lock, Num Lock on)
  virtual bool KeyDown(int virtualKey) = 0;     // the key is held down

  // --- Text caret
  virtual GuiThreadInfo GuiThread(unsigned threadId) = 0;
  // A client-area point of the window in screen coordinates; none when the window is gone.
  virtual std::optional<Point> ClientToScreen(WindowId window, Point client) = 0;
  // The caret's location in screen coordinates as the window's accessibility caret object gives
  // it; none when there is no such object or it has no location.
  virtual std::optional<Rect> AccessibleCaret(WindowId window) = 0;

  // --- Registry of the current user. Null when the key cannot be opened.
  virtual std::optional<bool> CurrentUserValueExists(const std::wstring& key,
                                                     const std::wstring& valueName) = 0;

  // --- Messages for the user: a message box; returns the button pressed.
  virtual int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                         unsigned flags) = 0;

  // --- Colour dialog (ChooseColorW), modal to `owner`: opens on `initial`, a plain RGB colour
  // (0x00BBGGRR, never a system colour); the colour the user chose, none when cancelled.
  // `fullOpen` opens the custom-colour part at once. The sixteen custom colours the user mixes
  // stay with the implementation for the run.
  virtual std::optional<TColor> ShowColorDialog(WindowId owner, TColor initial, bool fullOpen) = 0;

  // ===== Registry writes of the current user (the autorun value) =====
  // Opens the key with full access, creating it when missing, and writes a string value over
  // any value of that name. Raises Error when the key cannot be opened or the write fails.
  virtual void WriteCurrentUserString(const std::wstring& key, const std::wstring& valueName,
                                      const std::wstring& data) = 0;
  // Deletes a value of the key; a missing key or value is no failure. Raises Error when the
  // key cannot be opened for writing or the delete fails.
  virtual void DeleteCurrentUserValue(const std::wstring& key, const std::wstring& valueName) = 0;
  // ===== end of the registry writes =====
};

// The installed implementation. Installing is not owning.
System& Sys();
void SetSystem(System* system) noexcept;

}  // namespace os
