// The Win32 side of the window tree walk, the clipboard and HTTP (WinHTTP).
#include <windows.h>
#include <winhttp.h>

#include <cstring>
#include <vector>

#include "os/win32/unique_handle.h"
#include "os/win32/win32_system.h"

namespace os::win32 {
namespace {

class Win32InputAttachment final : public InputAttachment {
 public:
  Win32InputAttachment(DWORD self, DWORD other) : m_self(self), m_other(other) {}
  ~Win32InputAttachment() override { ::AttachThreadInput(m_self, m_other, FALSE); }
  Win32InputAttachment(const Win32InputAttachment&) = delete;
  Win32InputAttachment& operator=(const Win32InputAttachment&) = delete;

 private:
  DWORD m_self;
  DWORD m_other;
};

using InternetHandleTraits = os::win32::NullHandleTraits<HINTERNET, ::WinHttpCloseHandle>;
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;

// The global memory block of the clipboard text until the clipboard takes it.
using GlobalMemoryTraits = os::win32::NullHandleTraits<HGLOBAL, ::GlobalFree>;
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// Closes the clipboard however the placing ends.
class OpenedClipboard {
 public:
  OpenedClipboard() : m_open(::OpenClipboard(nullptr) != 0) {}
  ~OpenedClipboard() {
    if (m_open) ::CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const noexcept { return m_open; }

 private:
  bool m_open;
};

HttpResult Failed(const wchar_t* stage) {
  HttpResult result;
  result.Error = std::wstring(stage) + L": " + SystemErrorText(::GetLastError());
  return result;
}

}  // namespace

WindowId Win32System::DesktopWindow() { return ToWindowId(::GetDesktopWindow()); }

WindowId Win32System::FirstChildWindow(WindowId window) {
  return ToWindowId(::GetWindow(ToHwnd(window), GW_CHILD));
}

WindowId Win32System::NextSiblingWindow(WindowId window) {
  return ToWindowId(::GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

bool Win32System::IsWindowVisible(WindowId window) { return ::IsWindowVisible(ToHwnd(window)) != 0; }

std::wstring Win32System::WindowText(WindowId window, int maxChars) {
  if (maxChars <= 0) return {};
  std::wstring text(static_cast<size_t>(maxChars) + 1, L'\0');
  const int n = ::GetWindowTextW(ToHwnd(window), text.data(), maxChars + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

std::unique_ptr<InputAttachment> Win32System::AttachThreadInput(unsigned threadId) {
  const DWORD self = ::GetCurrentThreadId();
  if (threadId == 0 || threadId == self || !::AttachThreadInput(self, threadId, TRUE)) {
    return nullptr;
  }
  return std::make_unique<Win32InputAttachment>(self, threadId);
}

bool Win32System::SetClipboardText(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* target = ::GlobalLock(memory.Get());
  if (target == nullptr) return false;
  std::memcpy(target, text.c_str(), bytes);
  ::GlobalUnlock(memory.Get());
  OpenedClipboard clipboard;
  if (!clipboard || !::EmptyClipboard()) return false;
  if (::SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

HttpResult Win32System::HttpGet(const std::wstring& url, const HttpOptions& options) {
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!::WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return Failed(L"Address");
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty()) path = L"/";

  UniqueInternetHandle session(::WinHttpOpen(options.UserAgent.c_str(),
                                             WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                             WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return Failed(L"Session");
  if (!::WinHttpSetTimeouts(session.Get(), options.ResolveTimeout, options.ConnectTimeout,
                            options.SendTimeout, options.ReceiveTimeout)) {
    return Failed(L"Time-outs");
  }
  UniqueInternetHandle connection(::WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
  if (!connection) return Failed(L"Connect");
  const DWORD flags = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  UniqueInternetHandle request(::WinHttpOpenRequest(connection.Get(), L"GET", path.c_str(), nullptr,
                                                    WINHTTP_NO_REFERER,
                                                    WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
  if (!request) return Failed(L"Request");
  // Set on the request as well: the waits for the answer's head have their own time-out, which
  // otherwise stays at the system's default of minutes.
  DWORD responseTimeout = static_cast<DWORD>(options.ReceiveTimeout);
  if (!::WinHttpSetTimeouts(request.Get(), options.ResolveTimeout, options.ConnectTimeout,
                            options.SendTimeout, options.ReceiveTimeout) ||
      !::WinHttpSetOption(request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                          sizeof(responseTimeout))) {
    return Failed(L"Time-outs");
  }
  const auto aborted = [&options] { return options.Abort != nullptr && options.Abort->load(); };
  if (aborted()) return Failed(L"Given up");
  if (!::WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
    return Failed(L"Send");
  }
  if (!::WinHttpReceiveResponse(request.Get(), nullptr)) return Failed(L"Answer");
  if (aborted()) return Failed(L"Given up");

  HttpResult result;
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!::WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                             WINHTTP_NO_HEADER_INDEX)) {
    return Failed(L"Status");
  }
  std::vector<char> chunk(16384);
  for (;;) {
    DWORD got = 0;
    if (!::WinHttpReadData(request.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got)) {
      return Failed(L"Body");
    }
    if (got == 0) break;
    if (aborted()) return Failed(L"Given up");
    if (result.Body.size() + got > options.MaxBodyBytes) {
      HttpResult tooLong;
      tooLong.Error = L"Body: the answer is longer than expected";
      return tooLong;
    }
    result.Body.append(chunk.data(), got);
  }
  result.Answered = true;
  result.Status = static_cast<int>(status);
  return result;
}

}  // namespace os::win32
