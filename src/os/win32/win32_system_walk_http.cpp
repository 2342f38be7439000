// The Win32 side of the window tree walk, the clipboard and HTTP (WinHTTP).
#include <windows.h>
#include <shlwapi.h>
#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "os/win32/unique_handle.h"
#include "os/text.h"
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

HttpResult Failed(const wchar_t* stage, DWORD error = ::GetLastError()) {
  HttpResult result;
  result.Error = std::wstring(stage) + L": " + SystemErrorText(error);
  return result;
}

HttpResult Refused(std::wstring why) {
  HttpResult result;
  result.Error = std::move(why);
  return result;
}

// ---- HTTP: WinHTTP in its asynchronous mode.
//
// The requesting thread waits for each call's completion in short slices and looks at the abort
// flag and the whole request's deadline between them, so it can give a request up at once,
// whatever the server does. It then closes the handles: that cancels the call in flight on
// Windows, while Wine 8 lets the call run on to its own time-out. Whatever that call's completion
// touches therefore lives in a state shared with the callback (the read buffer among it), which
// the request handle's closing notice, the last one the system sends about it, releases.

using Clock = std::chrono::steady_clock;

constexpr auto kWaitSlice = std::chrono::milliseconds(50);
constexpr int kMaxRedirects = 5;
constexpr DWORD kReadChunk = 16384;
constexpr DWORD kMaxAddressLength = 2084;  // as the shell's INTERNET_MAX_URL_LENGTH

struct CallState {
  UniqueKernelHandle Completed{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  std::atomic<DWORD> Notice{0};
  std::atomic<DWORD> Error{0};
  std::atomic<DWORD> Bytes{0};
  std::vector<char> Buffer = std::vector<char>(kReadChunk);
};
using SharedCallState = std::shared_ptr<CallState>;

void CALLBACK OnRequestNotice(HINTERNET, DWORD_PTR context, DWORD notice, LPVOID info,
                              DWORD length) noexcept {
  auto* holder = reinterpret_cast<SharedCallState*>(context);
  if (holder == nullptr) return;
  if (notice == WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING) {
    delete holder;
    return;
  }
  CallState& state = **holder;
  switch (notice) {
    case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
      state.Error = static_cast<const WINHTTP_ASYNC_RESULT*>(info)->dwError;
      break;
    case WINHTTP_CALLBACK_STATUS_DATA_AVAILABLE:
      state.Bytes = *static_cast<const DWORD*>(info);
      break;
    case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
      state.Bytes = length;
      break;
    case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
    case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
      break;
    default:
      return;
  }
  state.Notice = notice;
  ::SetEvent(state.Completed.Get());
}

// An http or https address taken apart.
struct Address {
  INTERNET_SCHEME Scheme = INTERNET_SCHEME_HTTP;
  std::wstring Host;
  INTERNET_PORT Port = 0;
  std::wstring Path;  // with the query
};

std::optional<Address> CrackAddress(const std::wstring& url) {
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!::WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return std::nullopt;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
    return std::nullopt;
  }
  Address address;
  address.Scheme = parts.nScheme;
  address.Host.assign(parts.lpszHostName, parts.dwHostNameLength);
  address.Port = parts.nPort;
  address.Path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  address.Path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (address.Path.empty()) address.Path = L"/";
  return address;
}

// A redirect's target, which may be relative, against the address that sent it.
std::wstring ResolveLocation(const std::wstring& base, const std::wstring& location) {
  std::wstring combined(kMaxAddressLength + 1, L'\0');
  DWORD length = static_cast<DWORD>(combined.size());
  if (FAILED(::UrlCombineW(base.c_str(), location.c_str(), combined.data(), &length, 0))) return {};
  combined.resize(length);
  return combined;
}

// The header's text; with `index`, its field of that number, and `index` moves on to the next.
std::optional<std::wstring> HeaderText(HINTERNET request, DWORD query,
                                       DWORD* index = WINHTTP_NO_HEADER_INDEX) {
  DWORD bytes = 0;
  // A failed call leaves the index where it was.
  ::WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                        &bytes, index);
  if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return std::nullopt;
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (!::WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &bytes,
                             index)) {
    return std::nullopt;
  }
  text.resize(bytes / sizeof(wchar_t));
  return text;
}

// The Content-Length an answer names, none when it names none; false when it is malformed or
// when two of its Content-Length fields disagree (which one the system went by to end the body
// cannot be known). The same value twice is one length.
bool ReadContentLength(HINTERNET request, std::optional<std::uint64_t>& length) {
  length.reset();
  constexpr DWORD kMaxFields = 16;
  for (DWORD index = 0; index < kMaxFields;) {
    const DWORD asked = index;
    const std::optional<std::wstring> text =
        HeaderText(request, WINHTTP_QUERY_CONTENT_LENGTH, &index);
    if (!text) return true;
    if (text->empty() || text->size() > 18) return false;
    std::uint64_t value = 0;
    for (wchar_t c : *text) {
      if (c < L'0' || c > L'9') return false;
      value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    if (length && *length != value) return false;
    length = value;
    if (index == asked) return true;  // a system that does not count the fields: one only
  }
  return false;  // more fields than any honest answer has
}

bool IsRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// One request of a GET and its answer; handles are closed, and the request given up, when it
// goes out of scope.
class AsyncRequest {
 public:
  AsyncRequest(const HttpOptions& options, Clock::time_point deadline)
      : m_options(options), m_deadline(deadline), m_state(std::make_shared<CallState>()) {}

  // The request's handles and its callback; false with the reason in GetLastError.
  bool Open(HINTERNET session, const Address& address) {
    if (!m_state->Completed) return false;
    m_connection.Reset(::WinHttpConnect(session, address.Host.c_str(), address.Port, 0));
    if (!m_connection) return false;
    const DWORD flags = address.Scheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    // HTTP/1.0, so that the answer comes with a Content-Length or ends with the connection: a
    // chunked body cut short reads under Wine as one that ended properly.
    m_request.Reset(::WinHttpOpenRequest(m_connection.Get(), L"GET", address.Path.c_str(),
                                         L"HTTP/1.0", WINHTTP_NO_REFERER,
                                         WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
    if (!m_request) return false;
    // Set on the request as well: the waits for the answer's head have their own time-out, which
    // otherwise stays at the system's default of minutes.
    DWORD responseTimeout = static_cast<DWORD>(m_options.ReceiveTimeout);
    // Redirects are followed by HttpGet, which looks at where they lead first.
    DWORD redirects = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    if (!::WinHttpSetTimeouts(m_request.Get(), m_options.ResolveTimeout, m_options.ConnectTimeout,
                              m_options.SendTimeout, m_options.ReceiveTimeout) ||
        !::WinHttpSetOption(m_request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT,
                            &responseTimeout, sizeof(responseTimeout)) ||
        !::WinHttpSetOption(m_request.Get(), WINHTTP_OPTION_REDIRECT_POLICY, &redirects,
                            sizeof(redirects))) {
      return false;
    }
    auto holder = std::make_unique<SharedCallState>(m_state);
    DWORD_PTR context = reinterpret_cast<DWORD_PTR>(holder.get());
    if (!::WinHttpSetOption(m_request.Get(), WINHTTP_OPTION_CONTEXT_VALUE, &context,
                            sizeof(context))) {
      return false;
    }
    if (::WinHttpSetStatusCallback(m_request.Get(), OnRequestNotice,
                                   WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS |
                                       WINHTTP_CALLBACK_FLAG_HANDLES,
                                   0) == WINHTTP_INVALID_STATUS_CALLBACK) {
      return false;
    }
    holder.release();  // the request's closing notice frees it
    m_context = context;
    return true;
  }

  HINTERNET Handle() const noexcept { return m_request.Get(); }
  const std::shared_ptr<CallState>& State() const noexcept { return m_state; }

  // Waits for the completion of the call just made. False when it failed, was given up or took
  // too long, with `failure` saying which.
  bool Await(DWORD expected, const wchar_t* stage, HttpResult& failure) {
    for (;;) {
      if (m_options.Abort != nullptr && m_options.Abort->load()) {
        failure = Refused(std::wstring(stage) + L": given up");
        return false;
      }
      const Clock::duration left = m_deadline - Clock::now();
      if (left <= Clock::duration::zero()) {
        failure = Refused(std::wstring(stage) + L": the whole request took too long");
        return false;
      }
      const auto slice = std::chrono::ceil<std::chrono::milliseconds>(
          std::min<Clock::duration>(left, kWaitSlice));
      if (::WaitForSingleObject(m_state->Completed.Get(), static_cast<DWORD>(slice.count())) !=
          WAIT_OBJECT_0) {
        continue;
      }
      if (m_state->Notice.load() == expected) return true;
      failure = Failed(stage, m_state->Notice.load() == WINHTTP_CALLBACK_STATUS_REQUEST_ERROR
                                  ? m_state->Error.load()
                                  : ERROR_WINHTTP_INTERNAL_ERROR);
      return false;
    }
  }

  DWORD_PTR Context() const noexcept { return m_context; }

 private:
  const HttpOptions& m_options;
  Clock::time_point m_deadline;
  std::shared_ptr<CallState> m_state;
  UniqueInternetHandle m_connection;
  UniqueInternetHandle m_request;  // closed first
  DWORD_PTR m_context = 0;
};

// One GET without following redirects: the answer, or the redirect's target in `location`.
HttpResult FetchOnce(HINTERNET session, const std::wstring& url, const Address& address,
                     const HttpOptions& options, Clock::time_point deadline,
                     std::wstring& location) {
  AsyncRequest request(options, deadline);
  if (!request.Open(session, address)) return Failed(L"Request");
  HttpResult failure;
  if (!::WinHttpSendRequest(request.Handle(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, request.Context())) {
    return Failed(L"Send");
  }
  if (!request.Await(WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE, L"Send", failure)) {
    return failure;
  }
  if (!::WinHttpReceiveResponse(request.Handle(), nullptr)) return Failed(L"Answer");
  if (!request.Await(WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE, L"Answer", failure)) {
    return failure;
  }

  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!::WinHttpQueryHeaders(request.Handle(),
                             WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                             WINHTTP_NO_HEADER_INDEX)) {
    return Failed(L"Status");
  }
  if (IsRedirect(status)) {
    if (const auto target = HeaderText(request.Handle(), WINHTTP_QUERY_LOCATION)) {
      location = ResolveLocation(url, *target);
      if (location.empty()) return Refused(L"Redirect: a bad target");
      return {};
    }
  }
  // A chunked body cannot be told whole from cut short under Wine, and the request asked for
  // HTTP/1.0, which has none.
  if (HeaderText(request.Handle(), WINHTTP_QUERY_TRANSFER_ENCODING)) {
    return Refused(L"Body: a transfer encoding in answer to an HTTP/1.0 request");
  }
  std::optional<std::uint64_t> announced;
  if (!ReadContentLength(request.Handle(), announced)) {
    return Refused(L"Body: a bad Content-Length");
  }
  if (announced && *announced > options.MaxBodyBytes) {
    return Refused(L"Body: the answer is longer than expected");
  }

  HttpResult result;
  CallState& state = *request.State();
  // Each read asks for no more than has come: Wine reads on the calling thread when some bytes
  // are there, and would wait there for the rest of a larger buffer.
  for (;;) {
    if (!::WinHttpQueryDataAvailable(request.Handle(), nullptr)) return Failed(L"Body");
    if (!request.Await(WINHTTP_CALLBACK_STATUS_DATA_AVAILABLE, L"Body", failure)) return failure;
    const DWORD available = std::min(state.Bytes.load(), kReadChunk);
    if (available == 0) break;
    if (!::WinHttpReadData(request.Handle(), state.Buffer.data(), available, nullptr)) {
      return Failed(L"Body");
    }
    if (!request.Await(WINHTTP_CALLBACK_STATUS_READ_COMPLETE, L"Body", failure)) return failure;
    const DWORD got = state.Bytes.load();
    if (got == 0) break;
    if (result.Body.size() + got > options.MaxBodyBytes) {
      return Refused(L"Body: the answer is longer than expected");
    }
    result.Body.append(state.Buffer.data(), got);
  }
  // The system ends a body that the server cut short like a whole one.
  if (announced && result.Body.size() != *announced) {
    return Refused(L"Body: cut short (" + std::to_wstring(result.Body.size()) + L" of " +
                   std::to_wstring(*announced) + L" bytes)");
  }
  result.Answered = true;
  result.Status = static_cast<int>(status);
  return result;
}

bool SameHost(const std::wstring& a, const std::wstring& b) {
  return os::ToUpperAscii(a) == os::ToUpperAscii(b);
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

// No member is used here, nor anywhere below: the news download's worker may be left inside this
// call at the program's end, after the System is gone.
HttpResult Win32System::HttpGet(const std::wstring& url, const HttpOptions& options) {
  const Clock::time_point deadline =
      Clock::now() + std::chrono::milliseconds(std::max(options.TotalTimeout, 0));
  const std::optional<Address> first = CrackAddress(url);
  if (!first) return Failed(L"Address", ERROR_WINHTTP_UNRECOGNIZED_SCHEME);

  UniqueInternetHandle session(::WinHttpOpen(options.UserAgent.c_str(),
                                             WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                             WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS,
                                             WINHTTP_FLAG_ASYNC));
  if (!session) return Failed(L"Session");
  if (!::WinHttpSetTimeouts(session.Get(), options.ResolveTimeout, options.ConnectTimeout,
                            options.SendTimeout, options.ReceiveTimeout)) {
    return Failed(L"Time-outs");
  }
  // Redirects are followed on the host asked only, from http to https included: the page shown
  // on the About page comes from the maker's host or not at all.
  std::wstring current = url;
  Address address = *first;
  for (int redirects = 0;; ++redirects) {
    std::wstring location;
    HttpResult result = FetchOnce(session.Get(), current, address, options, deadline, location);
    if (location.empty()) return result;
    if (redirects == kMaxRedirects) return Refused(L"Redirect: too many");
    const std::optional<Address> next = CrackAddress(location);
    if (!next) return Refused(L"Redirect: to an address that is not http or https");
    if (!SameHost(next->Host, first->Host)) {
      return Refused(L"Redirect: to another host (" + next->Host + L")");
    }
    current = location;
    address = *next;
  }
}

}  // namespace os::win32
