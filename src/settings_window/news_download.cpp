#include "settings_window/news_download.h"

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
    options.Abort = abort;
    const os::HttpResult answer = os::Sys().HttpGet(core::kNewsAddress, options);
    if (!answer.Answered) return NewsOutcome::NoAnswer;
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
  m_abort = true;
  if (m_worker.joinable()) m_worker.join();
}

void TNewsDownload::Start(const std::wstring& folder) {
  if (m_started && m_outcome.load() == NewsOutcome::Running) return;
  if (m_worker.joinable()) m_worker.join();  // an ended one
  m_outcome = NewsOutcome::Running;
  m_started = true;
  m_worker = std::thread([this, folder] { m_outcome = DownloadNews(folder, &m_abort); });
}

NewsOutcome TNewsDownload::Wait() {
  if (m_worker.joinable()) m_worker.join();
  return m_outcome.load();
}

void TimerUpdateTimer(ui::Timer& timer, TNewsDownload& download) {
  timer.SetEnabled(false);
  download.Start(core::PathSettings);
}

}  // namespace settings_window
