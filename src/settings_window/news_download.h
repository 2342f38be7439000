#pragma once
// The news page: fetched once per run from the maker's site into the settings folder, where the
// About page finds it. The request runs on a worker thread, so the indicators, the mouse hook
// and every other handler of the UI thread go on while the network is slow or absent.
#include <atomic>
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

// Fetches the news page and, on a 200 answer, writes its body to `folder` + kNewsFileName
// through a temporary file in the same folder. Blocks; raises nothing. Setting `abort` gives the
// request up at its next stage or read, leaving the file as it was.
NewsOutcome DownloadNews(const std::wstring& folder,
                         const std::atomic<bool>* abort = nullptr) noexcept;

// One download on a worker thread. The main window owns it; destroying it gives a running
// request up and waits for it, which the request's time-outs keep short, so the program ends
// cleanly even while a server trickles its answer.
class TNewsDownload {
 public:
  TNewsDownload() = default;
  ~TNewsDownload();
  TNewsDownload(const TNewsDownload&) = delete;
  TNewsDownload& operator=(const TNewsDownload&) = delete;

  // Starts the download into `folder`; nothing while one runs already.
  void Start(const std::wstring& folder);
  bool Running() const noexcept { return m_outcome.load() == NewsOutcome::Running && m_started; }
  NewsOutcome Outcome() const noexcept { return m_outcome.load(); }
  // Waits for the worker to end (tests, shutdown).
  NewsOutcome Wait();

 private:
  std::thread m_worker;
  bool m_started = false;
  std::atomic<NewsOutcome> m_outcome{NewsOutcome::Running};
  std::atomic<bool> m_abort{false};
};

// OnTimer of the main window's one-shot TimerUpdate: the timer is switched off first, so that it
// never fires again, then the download into the settings folder starts.
void TimerUpdateTimer(ui::Timer& timer, TNewsDownload& download);

}  // namespace settings_window
