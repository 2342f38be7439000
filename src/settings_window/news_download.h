#pragma once
// The news page: fetched once per run from the maker's site into the settings folder, where the
// About page finds it. The request runs on a worker thread, so the indicators, the mouse hook
// and every other handler of the UI thread go on while the network is slow or absent.
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "ui/timer.h"

namespace os {
class System;
}

namespace settings_window {

inline constexpr wchar_t kNewsFileName[] = L"News-Halvarin.html";

// How one download ended.
enum class NewsOutcome {
  Running,      // not ended yet (or never started)
  Saved,        // a 200 answer replaced the news file
  NotSaved,     // the server answered with another status; the file stays as it was
  NoAnswer,     // no network, no such host, a time-out: the file stays as it was
  WriteFailed,  // the answer could not be written; the file stays as it was
};

// The program and its version, as the request names them.
std::wstring NewsUserAgent();

// The whole download's deadline, redirects included, whatever the server does.
inline constexpr int kNewsDeadlineMs = 30000;
// How long the end of the program waits for a download to give up before it leaves it behind.
inline constexpr int kNewsStopWaitMs = 1000;

// What a download shares with the end of the program. Every step that writes (the page into its
// temporary file and that file's move into place, with the move's own tries again) holds the
// lock and looks at the abort first; the end sets the abort and then takes the lock once. So a
// step begun before the end has finished when End returns, and none begins after. The request
// itself runs outside the lock: it may outlast the end (see os::System::HttpGet), and the abort
// gives it up.
class NewsStop {
 public:
  // The end. Waits for a step that has begun: one page's write and a move bounded by its tries.
  void End() noexcept {
    m_abort = true;
    std::lock_guard lock(m_steps);
  }
  const std::atomic<bool>& Abort() const noexcept { return m_abort; }
  // Runs `step` unless the end has begun; false when it has.
  template <class Step>
  bool Run(Step&& step) {
    std::lock_guard lock(m_steps);
    if (m_abort.load()) return false;
    step();
    return true;
  }

 private:
  std::atomic<bool> m_abort{false};
  std::mutex m_steps;
};

// Fetches the news page through `system` and, on a whole 200 answer, writes its body to `folder`
// + kNewsFileName through a temporary file in the same folder. Blocks up to kNewsDeadlineMs;
// raises nothing. Once `stop` has ended, the download touches neither `system` (beyond a request
// already under way, which gives up) nor any file, and leaves the file as it was.
NewsOutcome DownloadNews(os::System& system, const std::wstring& folder,
                         NewsStop* stop = nullptr) noexcept;

// One download on a worker thread. The main window owns it; destroying it gives a running
// request up and waits up to kNewsStopWaitMs for the worker, so the program's end never waits on
// the network. A worker that has not ended by then is left to end on its own: it owns what it
// uses, it took the System when it started rather than asking os::Sys() later, and once the end
// has begun it begins no write and no call of the System, which the program's end destroys.
class TNewsDownload {
 public:
  TNewsDownload() = default;
  ~TNewsDownload();
  TNewsDownload(const TNewsDownload&) = delete;
  TNewsDownload& operator=(const TNewsDownload&) = delete;

  // Starts the download into `folder` through os::Sys(); nothing while one runs already.
  void Start(const std::wstring& folder);
  bool Running() const noexcept {
    return m_run != nullptr && m_run->Outcome.load() == NewsOutcome::Running;
  }
  NewsOutcome Outcome() const noexcept {
    return m_run != nullptr ? m_run->Outcome.load() : NewsOutcome::Running;
  }
  // Waits for the worker to end (tests); the download's deadline bounds the wait.
  NewsOutcome Wait();

 private:
  // Shared by the owner and its worker, so that a worker left behind at the end of the program
  // still has it.
  struct Run {
    std::atomic<NewsOutcome> Outcome{NewsOutcome::Running};
    NewsStop Stop;
    std::mutex Mutex;
    std::condition_variable Ended;
    bool Done = false;  // under Mutex
  };

  std::shared_ptr<Run> m_run;
  std::thread m_worker;
};

// OnTimer of the main window's one-shot TimerUpdate: the timer is switched off first, so that it
// never fires again, then the download into the settings folder starts.
void TimerUpdateTimer(ui::Timer& timer, TNewsDownload& download);

}  // namespace settings_window
