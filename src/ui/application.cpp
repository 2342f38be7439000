#include "ui/application.h"

#include <memory>

#include "os/error.h"
#include "os/system.h"
#include "os/text.h"
#include "ui/timer.h"
#include "ui/window_id.h"
#include "ui/window_thunk.h"

namespace ui {

Application& Application::Instance() {
  static Application app;
  return app;
}

bool Application::ProcessOneMessage() {
  MSG msg;
  if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    m_terminated = true;
    return true;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return true;
}

void Application::Run() {
  if (m_mainForm != nullptr && !m_terminated) Guarded([this] { m_mainForm->Show(); });
  while (!m_terminated) {
    if (ProcessOneMessage()) continue;
    if (OnIdle) Guarded([this] { OnIdle(); });
    if (!m_terminated) ::WaitMessage();
  }
}

void Application::Terminate() noexcept {
  if (!m_terminated) ::PostQuitMessage(0);
}

void Application::ProcessMessages() {
  while (ProcessOneMessage()) {
    if (m_terminated) {
      ::PostQuitMessage(0);  // let the outer loop see it too
      break;
    }
  }
}

void Application::DestroyComponents() noexcept {
  while (!m_owned.empty()) {
    Owned<Component> last = std::move(m_owned.back());
    m_owned.pop_back();
    if (last.get() == m_mainForm) m_mainForm = nullptr;
    last.reset();
  }
  m_mainForm = nullptr;
  m_terminated = false;
  m_minimized = false;
  OnIdle = nullptr;
  OnMinimize = nullptr;
  OnRestore = nullptr;
}

void Application::Minimize() {
  if (m_minimized) return;
  m_minimized = true;
  if (m_mainForm != nullptr) m_mainForm->SetWindowState(WindowState::Minimized);
  if (OnMinimize) OnMinimize();
}

void Application::Restore() {
  if (!m_minimized) return;
  m_minimized = false;
  if (m_mainForm != nullptr) m_mainForm->SetWindowState(WindowState::Normal);
  if (OnRestore) OnRestore();
}

void Application::HandleException() noexcept {
  try {
    std::wstring text;
    try {
      throw;
    } catch (const os::Error& e) {
      text = e.Message();
    } catch (const std::exception& e) {
      text = os::Utf8ToWide(e.what());
    } catch (...) {
      text = L"An unknown error occurred.";
    }
    // Above the window the user is working in, also when that window is topmost.
    os::Sys().ShowMessageBox(ActiveWindowId(), text, Title,
                             os::kMbOk | os::kMbIconError | os::kMbTaskModal);
  } catch (...) {
    // Nothing more can be done for the user here.
  }
}

void ReportException() noexcept { App().HandleException(); }

namespace {
void RunSynchronizedCall(LPARAM lp) noexcept;
constexpr UINT kSynchronizeMessage = WM_APP + 0x51;

LRESULT CALLBACK UtilityProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == kSynchronizeMessage) {
    RunSynchronizedCall(lp);
    return 0;
  }
  if (msg == WM_TIMER) {
    Guarded([wp] { Timer::Dispatch(static_cast<UINT_PTR>(wp)); });
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

HWND Application::UtilityWindow() {
  if (m_utility == nullptr) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = UtilityProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HalvarinUtility";
    ::RegisterClassW(&wc);
    m_utility = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
    m_syncWindow.store(m_utility);
  }
  return m_utility;
}

// ===== Synchronous calls from other threads =====
namespace {
// One call in flight. Its state changes only under the abandon signal's lock, so that the
// caller's giving up and the UI thread's beginning cannot both happen.
struct SynchronizedCall {
  enum class State { Pending, Running, Done, Abandoned };
  const std::function<void()>* Fn = nullptr;  // the caller's; valid until Done or Abandoned
  os::Signal* Abandon = nullptr;
  State Now = State::Pending;
};

void RunSynchronizedCall(LPARAM lp) noexcept {
  std::unique_ptr<std::shared_ptr<SynchronizedCall>> posted(
      reinterpret_cast<std::shared_ptr<SynchronizedCall>*>(lp));
  SynchronizedCall& call = **posted;
  const bool begin = call.Abandon->Update([&call] {
    if (call.Now != SynchronizedCall::State::Pending) return false;
    call.Now = SynchronizedCall::State::Running;
    return true;
  });
  if (!begin) return;  // the caller gave up
  Guarded([&call] { (*call.Fn)(); });
  call.Abandon->Update([&call] { call.Now = SynchronizedCall::State::Done; });
}
}  // namespace

bool Application::Synchronize(const std::function<void()>& fn, os::Signal& abandon) {
  if (::GetCurrentThreadId() == m_uiThreadId) {
    fn();
    return true;
  }
  const HWND window = m_syncWindow.load();
  if (window == nullptr || abandon.IsSet()) return false;
  auto call = std::make_shared<SynchronizedCall>();
  call->Fn = &fn;
  call->Abandon = &abandon;
  auto posted = std::make_unique<std::shared_ptr<SynchronizedCall>>(call);
  if (!::PostMessageW(window, kSynchronizeMessage, 0, reinterpret_cast<LPARAM>(posted.get()))) {
    return false;
  }
  posted.release();  // the UI thread's now
  bool ran = false;
  abandon.WaitUntil([&](bool raised) {
    if (call->Now == SynchronizedCall::State::Done) return ran = true;
    if (raised && call->Now == SynchronizedCall::State::Pending) {
      call->Now = SynchronizedCall::State::Abandoned;
      return true;
    }
    return false;
  });
  return ran;
}
// ===== end of the synchronous calls =====

}  // namespace ui
