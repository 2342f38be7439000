#include "os/win32/win32_shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <knownfolders.h>

#include <memory>
#include <utility>

#include "os/win32/com_ref.h"
#include "os/win32/critical_errors_suppressed.h"
#include "os/win32/unique_handle.h"

namespace os::win32 {
namespace {

static_assert(kIconLarge == SHGFI_LARGEICON && kIconSmall == SHGFI_SMALLICON &&
              kIconOpen == SHGFI_OPENICON);
static_assert(kSwShowNormal == SW_SHOWNORMAL);
static_assert(kDriveFixed == DRIVE_FIXED && kDriveCdRom == DRIVE_CDROM &&
              kDriveRamDisk == DRIVE_RAMDISK);

constexpr unsigned kQueryFlagMask = SHGFI_SMALLICON | SHGFI_OPENICON;

struct TaskMemFree {
  void operator()(void* p) const noexcept { ::CoTaskMemFree(p); }
};
using UniqueIdList = std::unique_ptr<ITEMIDLIST, TaskMemFree>;

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

int IconIndexOfIdList(const ITEMIDLIST* idList, unsigned flags) {
  SHFILEINFOW info{};
  // A failing query leaves iIcon at 0, the list's first icon, which is what the callers want.
  ::SHGetFileInfoW(reinterpret_cast<const wchar_t*>(idList), 0, &info, sizeof(info),
                   SHGFI_SYSICONINDEX | SHGFI_PIDL | (flags & kQueryFlagMask));
  return info.iIcon;
}

bool CallShellApplication(const wchar_t* method) {
  CLSID clsid{};
  if (FAILED(::CLSIDFromProgID(L"Shell.Application", &clsid))) return false;
  ComRef<IDispatch> shell;
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IDispatch, shell.OutVoid())) ||
      !shell) {
    return false;
  }
  // Late-bound by name: WindowSwitcher is on a newer interface than ShutdownWindows.
  LPOLESTR name = const_cast<LPOLESTR>(method);
  DISPID id = 0;
  if (FAILED(shell->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return false;
  DISPPARAMS noArguments{};
  return SUCCEEDED(shell->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &noArguments,
                                 nullptr, nullptr, nullptr));
}

// The shell's calls need COM on the calling thread. The UI thread joins its apartment when the
// shell is made; another thread that asks (the tray menu asks each drive on a thread of its own)
// joins one on its first call and leaves it as the thread ends.
class ThreadApartment {
 public:
  ThreadApartment() noexcept
      : m_joined(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ThreadApartment(const ThreadApartment&) = delete;
  ThreadApartment& operator=(const ThreadApartment&) = delete;
  ~ThreadApartment() {
    if (m_joined) ::CoUninitialize();
  }

 private:
  bool m_joined;
};

void JoinApartment() noexcept { thread_local const ThreadApartment apartment; }

std::wstring ModulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return buffer.substr(0, n);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

Win32Shell::Win32Shell() {
  // S_FALSE (already initialised the same way) also needs its CoUninitialize; another apartment
  // model on this thread is left as it is.
  m_comInitialized = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Win32Shell::~Win32Shell() {
  if (m_comInitialized) ::CoUninitialize();
}

ImageListHandle Win32Shell::SystemImageList(unsigned flags) {
  SHFILEINFOW info{};
  const std::wstring exe = ModulePath();
  return static_cast<ImageListHandle>(::SHGetFileInfoW(
      exe.c_str(), 0, &info, sizeof(info),
      SHGFI_SYSICONINDEX | SHGFI_ICONLOCATION | (flags & kQueryFlagMask)));
}

std::optional<int> Win32Shell::IconIndexOfName(const std::wstring& name, unsigned flags) {
  JoinApartment();
  ComRef<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(desktop.Out())) || !desktop) return std::nullopt;
  std::wstring buffer = name;  // ParseDisplayName takes a writable text
  ULONG eaten = static_cast<ULONG>(buffer.size());
  ULONG attributes = 0;
  PIDLIST_RELATIVE raw = nullptr;
  const HRESULT hr =
      desktop->ParseDisplayName(nullptr, nullptr, buffer.data(), &eaten, &raw, &attributes);
  UniqueIdList idList(raw);
  if (FAILED(hr) || !idList) return std::nullopt;
  return IconIndexOfIdList(idList.get(), flags);
}

std::optional<int> Win32Shell::IconIndexOfFileType(const std::wstring& name, unsigned flags) {
  JoinApartment();
  SHFILEINFOW info{};
  if (::SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | (flags & kQueryFlagMask)) ==
      0) {
    return std::nullopt;
  }
  return info.iIcon;
}

std::optional<int> Win32Shell::IconIndexOfSpecialFolder(int csidl, unsigned flags) {
  JoinApartment();
  PIDLIST_ABSOLUTE raw = nullptr;
  const HRESULT hr = ::SHGetSpecialFolderLocation(nullptr, csidl, &raw);
  UniqueIdList idList(raw);
  if (FAILED(hr) || !idList) return std::nullopt;
  return IconIndexOfIdList(idList.get(), flags);
}

int Win32Shell::Execute(const ShellCommand& command) {
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(reinterpret_cast<HWND>(command.Owner), OrNull(command.Verb),
                      command.File.c_str(), OrNull(command.Parameters), OrNull(command.Directory),
                      command.ShowCommand));
  if (result > 32) return 0;
  return result == 0 ? ERROR_NOT_ENOUGH_MEMORY : static_cast<int>(result);
}

bool Win32Shell::ShowShutdownDialog() { return CallShellApplication(L"ShutdownWindows"); }

bool Win32Shell::ShowWindowSwitcher() { return CallShellApplication(L"WindowSwitcher"); }

WindowHandle Win32Shell::FindTopWindow(const std::wstring& className) {
  return reinterpret_cast<WindowHandle>(::FindWindowW(className.c_str(), nullptr));
}

std::wstring Win32Shell::TempFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, buffer);
  if (n == 0 || n > MAX_PATH) return {};
  return std::wstring(buffer, n);
}

std::wstring Win32Shell::ReserveTempFileName(const std::wstring& folder,
                                             const std::wstring& prefix) {
  wchar_t buffer[MAX_PATH] = {};
  if (::GetTempFileNameW(folder.c_str(), prefix.c_str(), 0, buffer) == 0) return {};
  return buffer;
}

bool Win32Shell::CreateNewFile(const std::wstring& path) {
  UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr));
  return static_cast<bool>(file);
}

bool Win32Shell::RemoveFile(const std::wstring& path) { return ::DeleteFileW(path.c_str()) != 0; }

bool Win32Shell::FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }
  // A link: what counts is its target, which opening follows.
  UniqueKernelHandle target(::CreateFileW(path.c_str(), 0,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                          nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  return target && ::GetFileInformationByHandle(target.Get(), &info) &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring Win32Shell::SpecialFolderPath(int csidl) {
  JoinApartment();
  wchar_t buffer[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, buffer, csidl, FALSE)) return {};
  return buffer;
}

std::wstring Win32Shell::DownloadsFolderPath() {
  JoinApartment();
  PWSTR raw = nullptr;
  const HRESULT hr = ::SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &raw);
  const std::unique_ptr<wchar_t, TaskMemFree> path(raw);  // to be freed also on failure
  if (FAILED(hr) || !path) return {};
  return path.get();
}

std::vector<std::wstring> Win32Shell::LogicalDrives() {
  std::vector<std::wstring> roots;
  std::wstring buffer(128, L'\0');
  for (;;) {
    const DWORD n = ::GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n == 0) return roots;
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.assign(n + 1, L'\0');  // a drive came in between: ask again with room for it
  }
  for (std::size_t start = 0; start < buffer.size();) {
    const std::size_t end = buffer.find(L'\0', start);
    const std::size_t stop = end == std::wstring::npos ? buffer.size() : end;
    if (stop > start) roots.push_back(buffer.substr(start, stop - start));
    start = stop + 1;
  }
  return roots;
}

std::wstring Win32Shell::VolumeLabel(const std::wstring& root) {
  wchar_t label[MAX_PATH + 1] = {};
  CriticalErrorsSuppressed quiet;
  if (!::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0)) {
    return {};
  }
  return label;
}

int Win32Shell::DriveType(const std::wstring& root) {
  return static_cast<int>(::GetDriveTypeW(root.c_str()));
}

}  // namespace os::win32
