#include "os/win32/win32_system.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "os/error.h"
#include "os/win32/unique_handle.h"

namespace os::win32 {
namespace {

static_assert(kVkCapital == VK_CAPITAL && kVkNumLock == VK_NUMLOCK && kVkMenu == VK_MENU &&
              kVkPause == VK_PAUSE && kVkLShift == VK_LSHIFT && kVkRShift == VK_RSHIFT &&
              kVkLMenu == VK_LMENU && kVkRMenu == VK_RMENU);
static_assert(kLocaleSAbbrevCtryName == LOCALE_SABBREVCTRYNAME &&
              kLocaleSIso639LangName == LOCALE_SISO639LANGNAME &&
              kLocaleSIso3166CtryName == LOCALE_SISO3166CTRYNAME);

// Class names have at most 256 characters.
constexpr int kClassNameBuffer = 257;
// Room for the image path of a process; a longer path counts as a failed query.
constexpr DWORD kImagePathBuffer = 4096;
// The image name is all that is read of a process: these rights are granted also on a process
// of higher rights (an elevated program), where reading its memory would be refused.
constexpr DWORD kImageNameRights = PROCESS_QUERY_LIMITED_INFORMATION;
// How long the UI thread waits for a program to give the place of its caret: the monitoring
// pass and the mouse hook run on that thread, and a program that has stopped answering would
// hold them both.
constexpr unsigned kCaretAnswerMilliseconds = 100;

class Win32NamedMutex final : public NamedMutex {
 public:
  explicit Win32NamedMutex(HANDLE h) : m_handle(h) {}

 private:
  UniqueKernelHandle m_handle;
};

[[noreturn]] void ThrowFileError(const wchar_t* what, const std::wstring& path, DWORD code) {
  throw Error(std::wstring(what) + L" \"" + path + L"\". " + SystemErrorText(code));
}

}  // namespace

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n != 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"System error " + std::to_wstring(code) + L".";
  return text;
}

Win32System::Win32System() : m_caretObjects(kCaretAnswerMilliseconds) {
  // S_FALSE (already initialised the same way) also needs its CoUninitialize; another apartment
  // model on this thread is left as it is.
  m_comInitialized = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Win32System::~Win32System() {
  if (m_comInitialized) ::CoUninitialize();
}

std::wstring Win32System::ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::unique_ptr<NamedMutex> Win32System::CreateNamedMutex(const std::wstring& name,
                                                          bool& alreadyExisted) {
  HANDLE h = ::CreateMutexW(nullptr, FALSE, name.c_str());
  alreadyExisted = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (h == nullptr) return nullptr;
  return std::make_unique<Win32NamedMutex>(h);
}

bool Win32System::FileExists(const std::wstring& path) {
  const DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32System::DirectoryExists(const std::wstring& path) {
  const DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32System::CreateFolder(const std::wstring& path) {
  return ::CreateDirectoryW(path.c_str(), nullptr) != 0 ||
         ::GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string Win32System::ReadFile(const std::wstring& path) {
  UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowFileError(L"Cannot open file", path, ::GetLastError());
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) ThrowFileError(L"Cannot read file", path, ::GetLastError());
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!::ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) {
      ThrowFileError(L"Cannot read file", path, ::GetLastError());
    }
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

void Win32System::WriteFile(const std::wstring& path, std::string_view bytes) {
  UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowFileError(L"Cannot create file", path, ::GetLastError());
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD put = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!::WriteFile(file.Get(), bytes.data() + done, want, &put, nullptr) || put == 0) {
      ThrowFileError(L"Cannot write file", path, ::GetLastError());
    }
    done += put;
  }
  if (!::FlushFileBuffers(file.Get())) ThrowFileError(L"Cannot write file", path, ::GetLastError());
}

void Win32System::MoveFileReplace(const std::wstring& from, const std::wstring& to) {
  // A file that another process holds open cannot be replaced, whatever sharing it allowed
  // (Wine refuses every such replace, Windows unless the opener let it be deleted): a virus
  // scanner, an indexer or a sync tool reading the file for a moment would lose the save. Such
  // a hold is brief, so the replace is tried again for a bounded while before it counts as
  // failed.
  constexpr int kTries = 20;
  constexpr DWORD kPauseMs = 25;
  for (int attempt = 1;; ++attempt) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return;
    }
    const DWORD code = ::GetLastError();
    const bool held = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION;
    if (!held || attempt == kTries) ThrowFileError(L"Cannot replace file", to, code);
    ::Sleep(kPauseMs);
  }
}

void Win32System::CopyFileTo(const std::wstring& from, const std::wstring& to) {
  if (!::CopyFileW(from.c_str(), to.c_str(), FALSE)) {
    ThrowFileError(L"Cannot copy file", from, ::GetLastError());
  }
}

bool Win32System::RemoveFile(const std::wstring& path) { return ::DeleteFileW(path.c_str()) != 0; }

std::wstring Win32System::GetFolderPath(int csidl) {
  wchar_t buffer[261] = {};
  const HRESULT hr = ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
  if (FAILED(hr)) return {};
  return buffer;
}

int Win32System::ScreenPixelsPerInch() {
  HDC dc = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

Rect Win32System::PrimaryMonitorRect() {
  MONITORINFO info{sizeof(info)};
  HMONITOR monitor = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (!::GetMonitorInfoW(monitor, &info)) {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

bool Win32System::RectOnAnyMonitor(const Rect& r) {
  const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
  return ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

std::vector<Rect> Win32System::MonitorWorkAreas() {
  std::vector<Rect> areas;
  auto addOne = [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
    MONITORINFO info{sizeof(info)};
    if (::GetMonitorInfoW(monitor, &info)) {
      const RECT& w = info.rcWork;
      auto& list = *reinterpret_cast<std::vector<Rect>*>(data);
      const Rect area{w.left, w.top, w.right, w.bottom};
      // The primary one first, as the callers read it.
      if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
        list.insert(list.begin(), area);
      } else {
        list.push_back(area);
      }
    }
    return TRUE;
  };
  ::EnumDisplayMonitors(nullptr, nullptr, addOne, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty()) areas.push_back(PrimaryWorkArea());
  return areas;
}

Rect Win32System::PrimaryWorkArea() {
  RECT r{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right, r.bottom};
}

TColor Win32System::GetSysColor(int index) { return static_cast<TColor>(::GetSysColor(index)); }

Rect Win32System::TaskbarWindowRect() {
  RECT r{};
  HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  if (taskbar == nullptr || !::GetWindowRect(taskbar, &r)) return {};
  return {r.left, r.top, r.right, r.bottom};
}

Point Win32System::CursorPos() {
  POINT p{};
  if (!::GetCursorPos(&p)) return {};
  return {p.x, p.y};
}

std::int64_t Win32System::PerformanceCounter() {
  LARGE_INTEGER v{};
  ::QueryPerformanceCounter(&v);
  return v.QuadPart;
}

std::int64_t Win32System::PerformanceFrequency() {
  LARGE_INTEGER v{};
  ::QueryPerformanceFrequency(&v);
  return v.QuadPart;
}

void Win32System::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

std::vector<std::uint64_t> Win32System::KeyboardLayoutList() {
  const int n = ::GetKeyboardLayoutList(0, nullptr);
  std::vector<HKL> layouts(static_cast<std::size_t>(std::max(n, 0)));
  if (n > 0 && ::GetKeyboardLayoutList(n, layouts.data()) != n) {
    throw Error(L"Error loading keyboard layout list");
  }
  std::vector<std::uint64_t> result;
  for (HKL h : layouts) result.push_back(reinterpret_cast<std::uintptr_t>(h));
  return result;
}

std::wstring Win32System::LocaleValue(unsigned languageId, unsigned lcType) {
  const LCID lcid = MAKELCID(languageId, SORT_DEFAULT);
  const int n = ::GetLocaleInfoW(lcid, lcType, nullptr, 0);
  if (n <= 0) return {};
  std::wstring value(static_cast<std::size_t>(n), L'\0');
  if (::GetLocaleInfoW(lcid, lcType, value.data(), n) <= 0) return {};
  value.resize(static_cast<std::size_t>(n - 1));
  return value;
}

std::wstring Win32System::LanguageName(unsigned languageId) {
  // A name longer than the buffer is cut and its whole length returned: then once more with
  // room for all of it.
  std::wstring name(128, L'\0');
  DWORD n = ::VerLanguageNameW(languageId, name.data(), static_cast<DWORD>(name.size()));
  if (n >= name.size()) {
    name.assign(static_cast<std::size_t>(n) + 1, L'\0');
    n = ::VerLanguageNameW(languageId, name.data(), static_cast<DWORD>(name.size()));
  }
  name.resize(std::min<std::size_t>(n, name.size()));
  const auto zero = name.find(L'\0');
  if (zero != std::wstring::npos) name.resize(zero);
  return name;
}

std::uint64_t Win32System::ThreadKeyboardLayout(unsigned threadId) {
  return reinterpret_cast<std::uintptr_t>(::GetKeyboardLayout(threadId));
}

WindowId Win32System::ForegroundWindow() { return ToWindowId(::GetForegroundWindow()); }

ThreadProcess Win32System::WindowThreadProcess(WindowId window) {
  DWORD processId = 0;
  const DWORD threadId = ::GetWindowThreadProcessId(ToHwnd(window), &processId);
  if (threadId == 0) return {};
  return {threadId, processId};
}

WindowId Win32System::WindowFromPoint(Point screen) {
  return ToWindowId(::WindowFromPoint(POINT{screen.X, screen.Y}));
}

std::wstring Win32System::WindowClassName(WindowId window) {
  wchar_t buffer[kClassNameBuffer] = {};
  const int n = ::GetClassNameW(ToHwnd(window), buffer, kClassNameBuffer);
  return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n)) : std::wstring();
}

std::optional<std::wstring> Win32System::ProcessImagePath(unsigned processId) {
  UniqueKernelHandle process(
      ::OpenProcess(kImageNameRights, FALSE, processId));
  if (!process) return std::nullopt;
  std::vector<wchar_t> buffer(kImagePathBuffer);
  DWORD size = kImagePathBuffer;
  if (!::QueryFullProcessImageNameW(process.Get(), 0, buffer.data(), &size)) return std::nullopt;
  return std::wstring(buffer.data(), size);
}

// GetKeyState, not GetAsyncKeyState: a lock key counts by its toggle bit, and a chord by the
// keys the thread's input state holds down.
bool Win32System::KeyToggled(int virtualKey) { return (::GetKeyState(virtualKey) & 0x0001) != 0; }

bool Win32System::KeyDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

// Asked on the UI thread only, which is where the program wants this query to run.
GuiThreadInfo Win32System::GuiThread(unsigned threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(threadId, &info)) return {};
  const RECT& c = info.rcCaret;
  return {ToWindowId(info.hwndFocus), ToWindowId(info.hwndCaret),
          Rect{c.left, c.top, c.right, c.bottom}};
}

std::optional<Point> Win32System::ClientToScreen(WindowId window, Point client) {
  POINT p{client.X, client.Y};
  if (!window || !::ClientToScreen(ToHwnd(window), &p)) return std::nullopt;
  return Point{p.x, p.y};
}

// Asked up to 20 times a second by the monitoring pass, which must not wait on the program.
std::optional<Rect> Win32System::AccessibleCaret(WindowId window) {
  return m_caretObjects.Ask(ToHwnd(window));
}

std::optional<bool> Win32System::CurrentUserValueExists(const std::wstring& key,
                                                        const std::wstring& valueName) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  UniqueRegistryKey k(raw);
  return ::RegQueryValueExW(k.Get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

int Win32System::ShowMessageBox(WindowId owner, const std::wstring& text,
                                const std::wstring& caption, unsigned flags) {
  return ::MessageBoxW(ToHwnd(owner), text.c_str(), caption.c_str(), flags);
}

// --- Colour dialog

std::optional<TColor> Win32System::ShowColorDialog(WindowId owner, TColor initial, bool fullOpen) {
  CHOOSECOLORW cc{sizeof(cc)};
  cc.hwndOwner = ToHwnd(owner);
  cc.rgbResult = static_cast<COLORREF>(initial) & 0xFFFFFF;
  cc.lpCustColors = m_customColors;
  cc.Flags = CC_RGBINIT | CC_ANYCOLOR | (fullOpen ? CC_FULLOPEN : 0);
  if (!::ChooseColorW(&cc)) return std::nullopt;
  return static_cast<TColor>(cc.rgbResult & 0xFFFFFF);
}

// --- Open-file dialog

std::optional<std::wstring> Win32System::ShowOpenFileDialog(WindowId owner) {
  std::wstring buffer(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = ToHwnd(owner);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  // OFN_NOCHANGEDIR: the dialog would otherwise leave the current folder where the user browsed.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR |
              OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (!::GetOpenFileNameW(&ofn)) return std::nullopt;
  buffer.resize(::wcslen(buffer.c_str()));
  return buffer;
}

// --- Registry writes of the current user

void Win32System::WriteCurrentUserString(const std::wstring& key, const std::wstring& valueName,
                                         const std::wstring& data) {
  HKEY raw = nullptr;
  LONG rc = ::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &raw, nullptr);
  if (rc != ERROR_SUCCESS) {
    throw Error(L"Cannot open the registry key \"" + key + L"\". " +
                SystemErrorText(static_cast<DWORD>(rc)));
  }
  UniqueRegistryKey k(raw);
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  rc = ::RegSetValueExW(k.Get(), valueName.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()), bytes);
  if (rc != ERROR_SUCCESS) {
    throw Error(L"Failed to set data for '" + valueName + L"'. " +
                SystemErrorText(static_cast<DWORD>(rc)));
  }
}

void Win32System::DeleteCurrentUserValue(const std::wstring& key, const std::wstring& valueName) {
  HKEY raw = nullptr;
  LONG rc = ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &raw);
  if (rc == ERROR_FILE_NOT_FOUND) return;
  if (rc != ERROR_SUCCESS) {
    throw Error(L"Cannot open the registry key \"" + key + L"\". " +
                SystemErrorText(static_cast<DWORD>(rc)));
  }
  UniqueRegistryKey k(raw);
  rc = ::RegDeleteValueW(k.Get(), valueName.c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
    throw Error(L"Failed to delete '" + valueName + L"'. " +
                SystemErrorText(static_cast<DWORD>(rc)));
  }
}

}  // namespace os::win32
