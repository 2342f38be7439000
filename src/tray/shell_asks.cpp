#include "tray/shell_asks.h"

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "os/win32/critical_errors_suppressed.h"
#include "tray/sys_image_list.h"

namespace tray {

// What the asking threads share with their owner. It lives as long as the last of them, so a
// thread that comes back after the menu (or the whole data module) is gone writes only here.
struct ShellAsks::Shared {
  std::mutex Lock;
  std::condition_variable Answered;
  bool Abandoned = false;  // the owner is gone: nobody reads any answer any more
};

// One question's ask; both fields are written and read under Shared::Lock.
struct ShellAsks::Pending {
  bool Done = false;
  ShellAnswer Answer;
};

ShellAsks::ShellAsks() : m_shared(std::make_shared<Shared>()) {}

ShellAsks::~ShellAsks() {
  const std::lock_guard lock(m_shared->Lock);
  m_shared->Abandoned = true;
}

void ShellAsks::AskOne(const std::shared_ptr<Shared>& shared,
                       const std::shared_ptr<Pending>& pending, const ShellQuestion& question,
                       unsigned iconFlags) noexcept {
  // For all of the thread's calls: the icon call touches the drive or the folder as much as the
  // label or path call.
  const os::win32::CriticalErrorsSuppressed quiet;
  ShellAnswer answer;
  try {
    if (question.Text) answer.Text = question.Text();
    bool wanted = false;
    {
      const std::lock_guard lock(shared->Lock);
      wanted = !shared->Abandoned;
    }
    // The icon is the shell's parse of the name, which may touch the drive or folder again.
    if (wanted) {
      answer.ImageIndex = TSysImageList::ImageIndexWith(
          question.IconOfText ? answer.Text : question.Key, iconFlags);
    }
  } catch (...) {
    // What cannot be read shows without its text, with the first icon.
  }
  {
    const std::lock_guard lock(shared->Lock);
    pending->Answer = std::move(answer);
    pending->Done = true;
  }
  shared->Answered.notify_all();
}

std::vector<std::optional<ShellAnswer>> ShellAsks::Ask(const std::vector<ShellQuestion>& questions,
                                                      unsigned iconFlags,
                                                      std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::vector<Asked*> asked;  // in the order of the questions
  std::vector<std::shared_ptr<Pending>> waitedFor;
  for (const ShellQuestion& question : questions) {
    Asked& one = m_asked[question.Key];
    asked.push_back(&one);
    if (one.Ask) {
      const std::lock_guard lock(m_shared->Lock);
      if (!one.Ask->Done) continue;  // late already before: neither asked again nor waited for
      one.Last = one.Ask->Answer;
    }
    one.Ask = std::make_shared<Pending>();
    try {
      std::thread([shared = m_shared, pending = one.Ask, question, iconFlags] {
        AskOne(shared, pending, question, iconFlags);
      }).detach();
    } catch (const std::system_error&) {
      // No thread to ask on: shown as something that cannot be read, until next time.
      const std::lock_guard lock(m_shared->Lock);
      one.Ask->Done = true;
    }
    waitedFor.push_back(one.Ask);
  }

  std::unique_lock lock(m_shared->Lock);
  m_shared->Answered.wait_until(lock, deadline, [&] {
    for (const auto& ask : waitedFor) {
      if (!ask->Done) return false;
    }
    return true;
  });
  std::vector<std::optional<ShellAnswer>> answers;
  answers.reserve(asked.size());
  for (Asked* one : asked) {
    if (one->Ask->Done) one->Last = one->Ask->Answer;
    answers.push_back(one->Last);
  }
  return answers;
}

}  // namespace tray
