#pragma once
// The System seam: every call that reads or changes the world outside the program's own windows.
// The program installs the Win32 implementation; the tests install a scripted desktop.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/signal.h"
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

// ===== Window tree walk, clipboard, HTTP: types =====
// Input attached to another thread; detached when destroyed.
class InputAttachment {
 public:
  virtual ~InputAttachment() = default;
};

struct HttpOptions {
  std::wstring UserAgent;
  // Milliseconds for each stage of the request (a stage waits this long for its next bytes).
  int ResolveTimeout = 5000;
  int ConnectTimeout = 5000;
  int SendTimeout = 5000;
  int ReceiveTimeout = 5000;
  // Milliseconds for the whole request, redirects included: a server that trickles its answer
  // never lets a stage's time-out run out.
  int TotalTimeout = 30000;
  std::size_t MaxBodyBytes = 4u << 20;  // a longer answer counts as failed
  // Set from another thread to give the request up (program exit): the request ends within a
  // fraction of a second, whatever the server does.
  const std::atomic<bool>* Abort = nullptr;
};

struct HttpResult {
  // false: no answer (no network, no such host, a time-out, given up, a body cut short, a
  // redirect to another host)
  bool Answered = false;
  int Status = 0;         // the HTTP status code of the answer
  std::string Body;       // the answer's body bytes as sent
  std::wstring Error;     // what failed, when not answered
};
// ===== end of the window tree walk, clipboard, HTTP: types =====

// ===== Keyboard backlight: a library loaded at run time =====
// A loaded library (an HMODULE's value); 0: none.
using LibraryHandle = std::uintptr_t;
// An entry point of a loaded library; the caller casts it to the entry point's own type.
using ProcAddress = void (*)();
// ===== end of the keyboard backlight's types =====

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
  // Whether any part of a rectangle of the virtual screen lies on one of the monitors.
  virtual bool RectOnAnyMonitor(const Rect& r) = 0;
  // The work area of every monitor, the primary one's first; never empty (with no monitor to
  // ask, the primary work area alone).
  virtual std::vector<Rect> MonitorWorkAreas() = 0;
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
  // A language identifier's display name as the version library names it (VerLanguageNameW),
  // whole; empty when the query fails.
  virtual std::wstring LanguageName(unsigned languageId) = 0;
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

  // --- Messages for the user: a message box owned by `owner` (none: no window of the program
  // to keep it above); returns the button pressed. An owned box stays above its owner, also
  // when the owner is topmost.
  virtual int ShowMessageBox(WindowId owner, const std::wstring& text, const std::wstring& caption,
                             unsigned flags) = 0;

  // --- Colour dialog (ChooseColorW), modal to `owner`: opens on `initial`, a plain RGB colour
  // (0x00BBGGRR, never a system colour); the colour the user chose, none when cancelled.
  // `fullOpen` opens the custom-colour part at once. The sixteen custom colours the user mixes
  // stay with the implementation for the run.
  virtual std::optional<TColor> ShowColorDialog(WindowId owner, TColor initial, bool fullOpen) = 0;
  // --- Open-file dialog, modal to `owner`: one existing file, no type filter, no initial
  // folder; its full path, none when cancelled. The process's current folder stays as it was:
  // a folder the user browsed to must never become a place libraries are loaded from.
  virtual std::optional<std::wstring> ShowOpenFileDialog(WindowId owner) = 0;

  // ===== Window tree walk, clipboard, HTTP =====
  // The desktop window, above every top-level window of the session.
  virtual WindowId DesktopWindow() = 0;
  // The topmost child of a window (GetWindow GW_CHILD); none when it has none or is gone.
  virtual WindowId FirstChildWindow(WindowId window) = 0;
  // The window below it in the z-order among its siblings (GW_HWNDNEXT); none at the end of
  // the chain or when the window is gone.
  virtual WindowId NextSiblingWindow(WindowId window) = 0;
  virtual bool IsWindowVisible(WindowId window) = 0;
  // The window's text (GetWindowTextW), at most maxChars characters; empty when it is gone.
  virtual std::wstring WindowText(WindowId window, int maxChars) = 0;
  // The calling thread shares its input state with another thread's until the returned object
  // is destroyed, so that a query about that thread's keyboard sees what it sees. Null when the
  // attach failed (the thread is gone, or is the calling thread).
  virtual std::unique_ptr<InputAttachment> AttachThreadInput(unsigned threadId) = 0;

  // Puts the text on the clipboard as Unicode text, once; false when the clipboard could not be
  // opened (another program holds it) or the text could not be placed.
  virtual bool SetClipboardText(const std::wstring& text) = 0;

  // One GET of an http or https address. Safe to call from a worker thread; it returns when the
  // answer has been read whole, a time-out of the options has run out or the request was given
  // up. Only a whole body counts as an answer, and redirects are followed on the same host only.
  // It uses nothing of the System object itself: a request given up at the program's end that
  // does not return at once (a call the network holds) may run on after the System is gone.
  virtual HttpResult HttpGet(const std::wstring& url, const HttpOptions& options) = 0;
  // ===== end of the window tree walk, clipboard, HTTP =====

  // ===== Keyboard backlight: the vendor's library, process and window, the machine's registry,
  // the thread pool and waits that can be cancelled =====
  // Loads a library by its full path or a bare file name; a bare name is looked for beside the
  // program and in the system's folders, never in the current folder. 0 when it cannot be loaded.
  virtual LibraryHandle LoadLibraryFile(const std::wstring& pathOrName) = 0;
  // The named export of a loaded library; null when it has none.
  virtual ProcAddress LibraryEntryPoint(LibraryHandle library, const char* name) = 0;
  virtual void FreeLibraryFile(LibraryHandle library) = 0;
  // The executable file names of the running processes, as a process snapshot lists them; none
  // when the snapshot cannot be taken.
  virtual std::optional<std::vector<std::wstring>> RunningProcessNames() = 0;
  // A top-level window of any class whose title is `title`, whole (the system decides about
  // case); none when there is no such window.
  virtual WindowId FindTopLevelWindowByTitle(const std::wstring& title) = 0;
  // Asks a window to close (posts WM_CLOSE); does not wait.
  virtual void PostCloseMessage(WindowId window) = 0;
  // A string value under HKEY_LOCAL_MACHINE, an expandable one expanded; empty `valueName` is the
  // key's default value. None when the key does not exist or the value is missing or no string.
  virtual std::optional<std::wstring> LocalMachineString(const std::wstring& key,
                                                         const std::wstring& valueName) = 0;
  // Runs `work` once on a thread of the system's thread pool; false when the pool refused it.
  // `work` must not let an exception out.
  virtual bool SubmitToThreadPool(std::function<void()> work) = 0;
  // Waits up to `milliseconds` for `signal`; returns at once when it is raised. True when it was.
  virtual bool WaitForSignal(Signal& signal, unsigned milliseconds) = 0;
  // ===== end of the keyboard backlight's calls =====

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
