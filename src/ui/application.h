#pragma once
// The message loop, the idle event, the exception barrier and the forms' owner.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "os/signal.h"
#include "ui/component.h"
#include "ui/form.h"

namespace ui {

class Application {
 public:
  static Application& Instance();

  std::wstring Title = L"Halvarin";

  // Creates a form owned by the application and runs its OnCreate; the first form created this
  // way becomes the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    Owned<T> form(new T(std::forward<Args>(args)...));
    T* raw = form.get();
    m_owned.emplace_back(form.release());
    if (m_mainForm == nullptr) m_mainForm = raw;
    raw->DoCreate();
    return raw;
  }
  // A non-visual component owned by the application (the data module).
  template <class T, class... Args>
  T* CreateComponent(Args&&... args) {
    Owned<T> c(new T(std::forward<Args>(args)...));
    T* raw = c.get();
    m_owned.emplace_back(c.release());
    return raw;
  }

  Form* MainForm() const noexcept { return m_mainForm; }

  // Shows the main form, then runs until Terminate: raises OnIdle each time the queue has been emptied.
  void Run();
  void Terminate() noexcept;
  bool Terminated() const noexcept { return m_terminated; }
  void ProcessMessages();
  // Destroys the owned components, the last created first.
  void DestroyComponents() noexcept;

  std::function<void()> OnIdle;
  std::function<void()> OnMinimize;
  std::function<void()> OnRestore;

  bool IsMinimized() const noexcept { return m_minimized; }
  void Minimize();
  void Restore();

  // Shows the exception being handled in a task-modal message box; the program goes on.
  // Call only inside a catch block.
  void HandleException() noexcept;

  // A hidden message-only window for timers and other internal messages.
  HWND UtilityWindow();

 private:
  Application() = default;
  bool ProcessOneMessage();

  std::vector<Owned<Component>> m_owned;
  Form* m_mainForm = nullptr;
  bool m_terminated = false;
  bool m_minimized = false;
  HWND m_utility = nullptr;

  // ===== Synchronous calls from other threads =====
 public:
  // Runs fn on the UI thread and waits until it has run there; true when it ran. Gives up, and
  // fn never runs, when `abandon` is raised before the UI thread has begun it: a UI thread that
  // waits for the calling thread raises it first, and neither waits for the other for ever. On
  // the UI thread itself fn runs at once. Needs the utility window, which the UI thread creates
  // with the first timer (or UtilityWindow()); before that a call from another thread gives up.
  // `abandon` must outlive every message the call posts, so a long-lived signal is expected.
  bool Synchronize(const std::function<void()>& fn, os::Signal& abandon);

 private:
  DWORD m_uiThreadId = ::GetCurrentThreadId();
  std::atomic<HWND> m_syncWindow{nullptr};
  // ===== end of the synchronous calls =====
};

inline Application& App() { return Application::Instance(); }

// Runs f behind the exception barrier: for every entry from the system.
template <class F>
void Guarded(F&& f) noexcept {
  try {
    f();
  } catch (...) {
    App().HandleException();
  }
}

}  // namespace ui
