// The Win32 side of the calls the keyboard backlight needs: its library, the vendor's process
// and window, the machine's registry and the thread pool.
#include <windows.h>
// after <windows.h>, which it needs
#include <tlhelp32.h>

#include <memory>

#include "os/win32/unique_handle.h"
#include "os/win32/win32_system.h"

namespace os::win32 {
namespace {

bool IsAbsolutePath(const std::wstring& path) {
  return path.size() > 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
}

VOID CALLBACK RunPoolWork(PTP_CALLBACK_INSTANCE, PVOID context) noexcept {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(context));
  (*work)();
}

}  // namespace

LibraryHandle Win32System::LoadLibraryFile(const std::wstring& pathOrName) {
  // Never the current folder: a library of that name planted in whatever folder the program
  // was started from must not be loaded into it.
  const DWORD flags = IsAbsolutePath(pathOrName)
                          ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
                          : LOAD_LIBRARY_SEARCH_DEFAULT_DIRS;
  return reinterpret_cast<LibraryHandle>(::LoadLibraryExW(pathOrName.c_str(), nullptr, flags));
}

ProcAddress Win32System::LibraryEntryPoint(LibraryHandle library, const char* name) {
  return reinterpret_cast<ProcAddress>(::GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

void Win32System::FreeLibraryFile(LibraryHandle library) {
  if (library != 0) ::FreeLibrary(reinterpret_cast<HMODULE>(library));
}

std::optional<std::vector<std::wstring>> Win32System::RunningProcessNames() {
  UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return std::nullopt;
  std::vector<std::wstring> names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
       more = ::Process32NextW(snapshot.Get(), &entry)) {
    names.emplace_back(entry.szExeFile);
  }
  return names;
}

WindowId Win32System::FindTopLevelWindowByTitle(const std::wstring& title) {
  return ToWindowId(::FindWindowW(nullptr, title.c_str()));
}

void Win32System::PostCloseMessage(WindowId window) {
  ::PostMessageW(ToHwnd(window), WM_CLOSE, 0, 0);
}

std::optional<std::wstring> Win32System::LocalMachineString(const std::wstring& key,
                                                            const std::wstring& valueName) {
  std::wstring path = key;
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  UniqueRegistryKey opened(raw);
  // RegGetValueW terminates the text and expands an expandable string, which a plain
  // RegQueryValueExW does neither. RRF_RT_REG_SZ admits both kinds: an expandable string comes
  // back expanded, as REG_SZ (asking for REG_EXPAND_SZ is only allowed without expansion).
  const DWORD kinds = RRF_RT_REG_SZ;
  for (int tries = 0; tries < 4; ++tries) {
    DWORD bytes = 0;
    if (::RegGetValueW(opened.Get(), nullptr, valueName.c_str(), kinds, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status = ::RegGetValueW(opened.Get(), nullptr, valueName.c_str(), kinds, nullptr,
                                          text.data(), &size);
    if (status == ERROR_MORE_DATA) continue;  // the value grew in between
    if (status != ERROR_SUCCESS) return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
  }
  return std::nullopt;
}

bool Win32System::SubmitToThreadPool(std::function<void()> work) {
  auto* context = new std::function<void()>(std::move(work));
  if (::TrySubmitThreadpoolCallback(RunPoolWork, context, nullptr)) return true;
  delete context;
  return false;
}

bool Win32System::WaitForSignal(Signal& signal, unsigned milliseconds) {
  return signal.WaitFor(milliseconds);
}

}  // namespace os::win32
