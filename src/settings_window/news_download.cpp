#include "settings_window/news_download.h"

#include <chrono>

#include "core/common.h"
#include "core/maker_addresses.h"
#include "monitor/globals.h"
#include "os/system.h"

namespace settings_window {

std::wstring NewsUserAgent() {
  std::wstring version = monitor::kProgramVersion;
  if (version.rfind(L"v.", 0) == 0) version.erase(0, 2);
  return L"Halvarin/" + version;
}

namespace {

// Written beside the file and moved over it, so that a full disk or a crash never leaves half a
// page where the last good one was.
NewsOutcome SavePage(os::System& system, const std::wstring& temporary, const std::wstring& target,
                     const std::string& page) {
  try {
    system.WriteFile(temporary, page);
    system.MoveFileReplace(temporary, target);
  } catch (...) {
    system.RemoveFile(temporary);
    return NewsOutcome::WriteFailed;
  }
  return NewsOutcome::Saved;
}

}  // namespace

NewsOutcome DownloadNews(os::System& system, const std::wstring& folder, NewsStop* stop) noexcept {
  const std::wstring target = folder + kNewsFileName;
  const std::wstring temporary = target + L".download";
  NewsStop alone;
  NewsStop& steps = stop != nullptr ? *stop : alone;
  try {
    os::HttpOptions options;
    options.UserAgent = NewsUserAgent();
    options.TotalTimeout = kNewsDeadlineMs;
    options.Abort = &steps.Abort();
    const os::HttpResult answer = system.HttpGet(core::kNewsAddress, options);
    if (!answer.Answered) return NewsOutcome::NoAnswer;
    // An error page is no news: only the page itself replaces the file of an earlier run.
    if (answer.Status != 200) return NewsOutcome::NotSaved;
    // Given up (the program is ending, and may let go of the System at any moment): no write.
    NewsOutcome outcome = NewsOutcome::NoAnswer;
    steps.Run([&] { outcome = SavePage(system, temporary, target, answer.Body); });
    return outcome;
  } catch (...) {
    return NewsOutcome::NoAnswer;  // nothing to tell the user; the old page stays
  }
}

TNewsDownload::~TNewsDownload() {
  if (!m_worker.joinable()) return;
  // From here on the worker begins no write and no call of the System; a save under way ends
  // first.
  m_run->Stop.End();
  bool ended = false;
  {
    std::unique_lock lock(m_run->Mutex);
    ended = m_run->Ended.wait_for(lock, std::chrono::milliseconds(kNewsStopWaitMs),
                                  [this] { return m_run->Done; });
  }
  if (ended) {
    m_worker.join();
  } else {
    m_worker.detach();  // only a request that will not give up is left; it writes nothing
  }
}

void TNewsDownload::Start(const std::wstring& folder) {
  if (Running()) return;
  if (m_worker.joinable()) m_worker.join();  // an ended one
  m_run = std::make_shared<Run>();
  m_worker = std::thread([run = m_run, folder, &system = os::Sys()] {
    const NewsOutcome outcome = DownloadNews(system, folder, &run->Stop);
    std::lock_guard lock(run->Mutex);
    run->Outcome = outcome;
    run->Done = true;
    run->Ended.notify_all();
  });
}

NewsOutcome TNewsDownload::Wait() {
  if (m_worker.joinable()) m_worker.join();
  return Outcome();
}

void TimerUpdateTimer(ui::Timer& timer, TNewsDownload& download) {
  timer.SetEnabled(false);
  download.Start(core::PathSettings);
}

}  // namespace settings_window
