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

// Fetches the news page and, on a whole 200 answer, writes its body to `folder` + kNewsFileName
// through a temporary file in the same folder. Blocks up to kNewsDeadlineMs; raises nothing.
// Setting `abort` gives the request up within a fraction of a second, leaving the file as it was.
NewsOutcome DownloadNews(const std::wstring& folder,
                         const std::atomic<bool>* abort = nullptr) noexcept;

// One download on a worker thread. The main window owns it; destroying it gives a running
// request up and waits up to kNewsStopWaitMs for the worker, so the program's end never waits on
// the network. A worker that has not ended by then is left to end on its own: it owns what it
// uses, and an aborted download writes nothing.
class TNewsDownload {
 public:
  TNewsDownload() = default;
  ~TNewsDownload();
  TNewsDownload(const TNewsDownload&) = delete;
  TNewsDownload& operator=(const TNewsDownload&) = delete;

  // Starts the download into `folder`; nothing while one runs already.
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
    std::atomic<bool> Abort{false};
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
