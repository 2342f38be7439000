#pragma once
// A scripted desktop for the tests: windows of named applications with their layouts and carets,
// key states, an in-memory file system, special folders, a manual clock,
// a registry, a display, and a record of what the program asked for.
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "os/system.h"

namespace testing_support {

struct ShownMessageBox {
  os::WindowId Owner;  // none: an unowned box
  std::wstring Text;
  std::wstring Caption;
  unsigned Flags;
};

// ===== Scripted desktop: windows, threads, processes =====
// A process of the scripted desktop; its image path empty: the path query fails.
struct FakeProcess {
  std::wstring ImagePath;
  bool CannotOpen = false;  // for example one running with higher rights
};

// A GUI thread: its keyboard layout and what its thread record says about focus and caret.
struct FakeThread {
  unsigned ProcessId = 0;
  std::uint64_t Layout = 0x04090409;
  os::WindowId Focus;
  os::WindowId CaretWindow;
  os::Rect Caret;  // in CaretWindow's client coordinates
};

struct FakeWindow {
  std::wstring ClassName;
  unsigned ThreadId = 0;
  os::Rect Bounds;         // screen coordinates; WindowFromPoint finds the window by them
  os::Point ClientOrigin;  // the client area's (0, 0) on the screen
  bool Visible = true;
  // What the window's accessibility caret object reports, in screen coordinates; none: the
  // object is missing or has no location.
  std::optional<os::Rect> AccessibleCaret;
};
// ===== end of the scripted desktop's types =====

// ===== Colour dialog =====
// What the user does in the next colour dialog: cancel it, press OK on the colour it opened
// with, or choose another colour.
struct ColorDialogAnswer {
  enum Kind { Cancel, Keep, Choose } What = Cancel;
  os::TColor Color = 0;  // Choose
};
struct ColorDialogCall {
  os::WindowId Owner;
  os::TColor Initial;
  bool FullOpen;
};
// ===== end of the colour dialog's types =====

class FakeSystem : public os::System {
 public:
  FakeSystem();

  // --- Script
  std::wstring ExePath = L"C:\\Programs\\Halvarin\\Halvarin.exe";
  bool MutexCreationFails = false;
  std::map<int, std::wstring> Folders;  // CSIDL -> path; absent means the call fails
  int Dpi = 96;
  os::Rect Monitor{0, 0, 1920, 1080};
  std::vector<os::Rect> OtherMonitors;  // beside the primary one
  os::Rect WorkArea{0, 0, 1920, 1040};
  os::Rect Taskbar{0, 1040, 1920, 1080};  // all zero: no taskbar window
  // When set, asking for the taskbar's rectangle raises this error (a failure inside a pass).
  std::optional<std::wstring> TaskbarError;
  os::Point Cursor{400, 300};
  std::map<int, os::TColor> SysColors;
  std::int64_t Counter = 1'000'000;
  std::int64_t Frequency = 10'000'000;
  // Registry of the current user: key (upper case) -> value names (upper case).
  std::map<std::wstring, std::set<std::wstring>> Registry;
  int MessageBoxAnswer = 1;  // IDOK
  // Runs while a message box is "shown", as the handlers of a nested message loop would.
  std::function<void()> DuringMessageBox;
  // Keyboard layouts (HKL values) and locale values by (language identifier, LOCALE_* type).
  std::vector<std::uint64_t> KeyboardLayouts{0x04090409};
  std::map<std::pair<unsigned, unsigned>, std::wstring> Locales;
  bool KeyboardLayoutListFails = false;
  // The version library's language names (VerLanguageNameW) by language identifier: shorter
  // than the locale's display name, as Wine gives them, so that a read of the other shows.
  std::map<unsigned, std::wstring> LanguageNames{{0x0409, L"English"}};
  // Adds a language's locale values: ISO 639 and ISO 3166 codes, display and short names.
  void AddLocale(unsigned languageId, const std::wstring& iso639, const std::wstring& iso3166,
                 const std::wstring& name, const std::wstring& abbrev,
                 const std::wstring& countryAbbrev = {});

  // Files: full path (compared without regard to case) -> bytes; folders likewise.
  void AddFile(const std::wstring& path, const std::string& bytes);
  void AddFolder(const std::wstring& path);  // with every parent folder
  bool HasFile(const std::wstring& path) const;
  std::string FileText(const std::wstring& path) const;
  std::vector<std::wstring> FilesIn(const std::wstring& folder) const;
  std::set<std::wstring> FailWritesTo;    // upper-case paths whose writes fail
  std::set<std::wstring> FailReadsFrom;   // upper-case paths whose reads fail
  std::set<std::wstring> FailFolders;     // upper-case folders that cannot be created

  // ===== Scripted desktop: windows, layouts, carets, keys =====
  // No foreground window until a test sets one. Windows added later lie above earlier ones.
  os::WindowId Foreground;
  std::map<os::WindowId, FakeWindow> Windows;
  std::map<unsigned, FakeThread> Threads;
  std::map<unsigned, FakeProcess> Processes;
  std::set<int> KeysToggled;  // virtual keys whose toggle bit is set
  std::set<int> KeysDown;     // virtual keys held down
  // A window of its own thread and process: an application with one window.
  os::WindowId AddApp(const std::wstring& imagePath, const std::wstring& className,
                      std::uint64_t layout = 0x04090409, os::Rect bounds = {0, 0, 800, 600});
  // Another window on an existing thread (a child control, a second top-level window).
  os::WindowId AddWindow(FakeWindow window);
  FakeWindow& Window(os::WindowId window);
  FakeThread& ThreadOf(os::WindowId window);
  FakeProcess& ProcessOf(os::WindowId window);
  // The window's thread switches its keyboard layout.
  void SwitchLayout(os::WindowId window, std::uint64_t layout);
  // The window takes the focus and a GUI-thread caret at a place of its client area.
  void PlaceCaret(os::WindowId window, os::Rect caretInClient);
  // When set, asking for the foreground window raises this error (a failure inside a pass).
  std::optional<std::wstring> ForegroundError;
  // Recorded: the windows whose accessibility caret was asked for.
  std::vector<os::WindowId> AccessibleCaretQueries;
  // ===== end of the scripted desktop =====

  // ===== Colour dialog: answers taken in order (none left: cancel), and the calls made =====
  std::vector<ColorDialogAnswer> ColorDialogAnswers;
  std::vector<ColorDialogCall> ColorDialogCalls;
  // ===== end of the colour dialog =====

  // ===== Open-file dialog: answers taken in order (none left: cancel), the owners asked for
  std::vector<std::optional<std::wstring>> OpenDialogAnswers;
  std::vector<os::WindowId> OpenDialogCalls;
  // ===== end of the open-file dialog =====

  // ===== Registry writes: string data by (upper-case key, upper-case name), failures to script
  std::map<std::pair<std::wstring, std::wstring>, std::wstring> RegistryData;
  bool RegistryKeyOpenFails = false;  // the key can be neither opened nor created
  bool RegistryWriteFails = false;
  bool RegistryDeleteFails = false;
  // ===== end of the registry writes =====

  // --- Record
  std::vector<ShownMessageBox> MessageBoxes;
  // How often each file (upper-case path) was replaced by a moved file: the saves of a file
  // written through a temporary file.
  std::map<std::wstring, int> Replacements;
  int ReplacementsOf(const std::wstring& path) const;
  std::vector<unsigned> Sleeps;
  std::set<std::wstring> OpenMutexes;

  // --- os::System
  std::wstring ExecutablePath() override;
  std::unique_ptr<os::NamedMutex> CreateNamedMutex(const std::wstring& name,
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
  os::Rect PrimaryMonitorRect() override;
  bool RectOnAnyMonitor(const os::Rect& r) override;
  // WorkArea, then each of OtherMonitors whole (they have no taskbar).
  std::vector<os::Rect> MonitorWorkAreas() override;
  os::Rect PrimaryWorkArea() override;
  os::TColor GetSysColor(int index) override;
  os::Rect TaskbarWindowRect() override;
  os::Point CursorPos() override;
  std::int64_t PerformanceCounter() override;
  std::int64_t PerformanceFrequency() override;
  void Sleep(unsigned milliseconds) override;
  std::vector<std::uint64_t> KeyboardLayoutList() override;
  std::wstring LocaleValue(unsigned languageId, unsigned lcType) override;
  std::wstring LanguageName(unsigned languageId) override;
  std::uint64_t ThreadKeyboardLayout(unsigned threadId) override;
  os::WindowId ForegroundWindow() override;
  os::ThreadProcess WindowThreadProcess(os::WindowId window) override;
  os::WindowId WindowFromPoint(os::Point screen) override;
  std::wstring WindowClassName(os::WindowId window) override;
  std::optional<std::wstring> ProcessImagePath(unsigned processId) override;
  bool KeyToggled(int virtualKey) override;
  bool KeyDown(int virtualKey) override;
  os::GuiThreadInfo GuiThread(unsigned threadId) override;
  std::optional<os::Point> ClientToScreen(os::WindowId window, os::Point client) override;
  std::optional<os::Rect> AccessibleCaret(os::WindowId window) override;
  std::optional<bool> CurrentUserValueExists(const std::wstring& key,
                                             const std::wstring& valueName) override;
  int ShowMessageBox(os::WindowId owner, const std::wstring& text, const std::wstring& caption,
                     unsigned flags) override;
  std::optional<os::TColor> ShowColorDialog(os::WindowId owner, os::TColor initial,
                                        bool fullOpen) override;
  std::optional<std::wstring> ShowOpenFileDialog(os::WindowId owner) override;
  void WriteCurrentUserString(const std::wstring& key, const std::wstring& valueName,
                              const std::wstring& data) override;
  void DeleteCurrentUserValue(const std::wstring& key, const std::wstring& valueName) override;

  // ===== Window tree walk, clipboard, HTTP (fake_system_walk_http.cpp) =====
  // The desktop window ("#32769"); a window without an entry in Parents lies right under it.
  // Siblings run from the last added (the topmost) to the first, unless NextSibling says else.
  os::WindowId Desktop{0x10000};
  std::map<os::WindowId, os::WindowId> Parents;
  std::map<os::WindowId, os::WindowId> NextSibling;  // scripted chain links, cycles included
  std::map<os::WindowId, std::wstring> Titles;
  // A child window on its parent's thread.
  os::WindowId AddChildWindow(os::WindowId parent, const std::wstring& className,
                              bool visible = true);
  // Runs as each window's text is read: a test destroys windows here.
  std::function<void(os::WindowId)> OnWindowText;
  void DestroyWindow(os::WindowId window);  // with every window below it
  // Input attachments: threads that refuse one, every attach made, and how many are open now.
  std::set<unsigned> AttachRefused;
  std::vector<unsigned> InputAttaches;
  int OpenAttachments = 0;
  // The clipboard: its text, and how many of the next attempts find it held by another program.
  std::wstring Clipboard;
  int ClipboardBusyAttempts = 0;
  int ClipboardAttempts = 0;
  // HTTP: the answer to each GET (called on the thread that asks); none set: no network.
  std::function<os::HttpResult(const std::wstring& url, const os::HttpOptions& options)> HttpAnswer;
  std::vector<std::wstring> HttpRequests() const;
  os::HttpOptions LastHttpOptions() const;

  os::WindowId DesktopWindow() override;
  os::WindowId FirstChildWindow(os::WindowId window) override;
  os::WindowId NextSiblingWindow(os::WindowId window) override;
  bool IsWindowVisible(os::WindowId window) override;
  std::wstring WindowText(os::WindowId window, int maxChars) override;
  std::unique_ptr<os::InputAttachment> AttachThreadInput(unsigned threadId) override;
  bool SetClipboardText(const std::wstring& text) override;
  os::HttpResult HttpGet(const std::wstring& url, const os::HttpOptions& options) override;
  // ===== end of the window tree walk, clipboard, HTTP =====

  // ===== Keyboard backlight: libraries, processes, titled windows, the machine's registry, the
  // thread pool and cancellable waits =====
  // A library that LoadLibraryFile finds under the name it was asked for (compared without
  // regard to case): its exports by name.
  struct FakeLibrary {
    std::map<std::string, os::ProcAddress> Exports;
  };
  std::map<std::wstring, FakeLibrary> Libraries;  // keys in upper case
  std::vector<std::wstring> LibraryLoads;         // every name asked for, loaded or not
  std::vector<std::string> EntryPointQueries;      // names asked of LibraryEntryPoint
  std::vector<os::LibraryHandle> LibraryFrees;
  std::set<os::LibraryHandle> LoadedLibraries;
  // The snapshot's process names; none: the snapshot fails.
  std::optional<std::vector<std::wstring>> ProcessNames = std::vector<std::wstring>{};
  std::map<os::WindowId, std::wstring> WindowTitles;  // top-level windows that have a title
  std::vector<os::WindowId> CloseRequests;
  // HKEY_LOCAL_MACHINE: key (upper case, no trailing backslash) -> value name (upper case,
  // empty for the default value) -> text.
  std::map<std::wstring, std::map<std::wstring, std::wstring>> MachineRegistry;
  // Thread pool: work waits in the queue until RunPoolWork, or, with PoolOnThreads, runs at
  // once on a thread of its own (joined by JoinPoolThreads and at the end of the fake).
  bool PoolRefuses = false;
  bool PoolOnThreads = false;
  std::size_t PoolQueueSize();
  void RunPoolWork();  // on this thread, in order, also work queued meanwhile
  void JoinPoolThreads();
  // Waits for a signal: each is recorded; then OnWait runs (it may act as another thread would
  // meanwhile, or block); then, unless the signal has been raised, the clock moves on by the
  // wait's length and the wait ends unraised.
  std::vector<unsigned> Waits();
  std::function<void(os::Signal&, unsigned)> OnWait;

  os::LibraryHandle LoadLibraryFile(const std::wstring& pathOrName) override;
  os::ProcAddress LibraryEntryPoint(os::LibraryHandle library, const char* name) override;
  void FreeLibraryFile(os::LibraryHandle library) override;
  std::optional<std::vector<std::wstring>> RunningProcessNames() override;
  os::WindowId FindTopLevelWindowByTitle(const std::wstring& title) override;
  void PostCloseMessage(os::WindowId window) override;
  std::optional<std::wstring> LocalMachineString(const std::wstring& key,
                                                 const std::wstring& valueName) override;
  bool SubmitToThreadPool(std::function<void()> work) override;
  bool WaitForSignal(os::Signal& signal, unsigned milliseconds) override;
  ~FakeSystem() override;
  // ===== end of the keyboard backlight =====

 private:
  static std::wstring Key(const std::wstring& path);
  static std::wstring ParentOf(const std::wstring& path);
  std::map<std::wstring, std::string> m_files;
  std::set<std::wstring> m_folders;
  std::uintptr_t m_nextWindow = 0x10010;
  unsigned m_nextThread = 1000;
  unsigned m_nextProcess = 4000;
  // Window tree walk, HTTP
  os::WindowId WindowParent(os::WindowId window) const;
  mutable std::mutex m_httpMutex;
  std::vector<std::wstring> m_httpRequests;
  os::HttpOptions m_lastHttpOptions;

  // Keyboard backlight: the task's thread and the test's share these.
  std::mutex m_backlightMutex;
  std::vector<std::function<void()>> m_poolQueue;
  std::vector<std::thread> m_poolThreads;
  std::vector<unsigned> m_waits;
  std::map<os::LibraryHandle, std::wstring> m_libraryNames;
  os::LibraryHandle m_nextLibrary = 0x7FF0'0000;
};

// Installs a fake for the life of the object; the tests run with no other System.
class ScopedFakeSystem {
 public:
  ScopedFakeSystem();
  ~ScopedFakeSystem();
  FakeSystem& operator*() { return m_fake; }
  FakeSystem* operator->() { return &m_fake; }

 private:
  FakeSystem m_fake;
};

}  // namespace testing_support
