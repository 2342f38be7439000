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

NewsOutcome DownloadNews(const std::wstring& folder, const std::atomic<bool>* abort) noexcept {
  const std::wstring target = folder + kNewsFileName;
  const std::wstring temporary = target + L".download";
  try {
    os::HttpOptions options;
    options.UserAgent = NewsUserAgent();
    options.TotalTimeout = kNewsDeadlineMs;
    options.Abort = abort;
    const os::HttpResult answer = os::Sys().HttpGet(core::kNewsAddress, options);
    // Given up: the program is ending, and may already have let go of what a write needs.
    if (!answer.Answered || (abort != nullptr && abort->load())) return NewsOutcome::NoAnswer;
    // An error page is no news: only the page itself replaces the file of an earlier run.
    if (answer.Status != 200) return NewsOutcome::NotSaved;
    try {
      // Written beside the file and moved over it, so that a full disk or a crash never leaves
      // half a page where the last good one was.
      os::Sys().WriteFile(temporary, answer.Body);
      os::Sys().MoveFileReplace(temporary, target);
    } catch (...) {
      os::Sys().RemoveFile(temporary);
      return NewsOutcome::WriteFailed;
    }
    return NewsOutcome::Saved;
  } catch (...) {
    return NewsOutcome::NoAnswer;  // nothing to tell the user; the old page stays
  }
}

TNewsDownload::~TNewsDownload() {
  if (!m_worker.joinable()) return;
  m_run->Abort = true;
  bool ended = false;
  {
    std::unique_lock lock(m_run->Mutex);
    ended = m_run->Ended.wait_for(lock, std::chrono::milliseconds(kNewsStopWaitMs),
                                  [this] { return m_run->Done; });
  }
  if (ended) {
    m_worker.join();
  } else {
    m_worker.detach();  // it holds its own share of m_run and writes nothing once aborted
  }
}

void TNewsDownload::Start(const std::wstring& folder) {
  if (Running()) return;
  if (m_worker.joinable()) m_worker.join();  // an ended one
  m_run = std::make_shared<Run>();
  m_worker = std::thread([run = m_run, folder] {
    const NewsOutcome outcome = DownloadNews(folder, &run->Abort);
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
