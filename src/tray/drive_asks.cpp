#include "tray/drive_asks.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "os/shell.h"
#include "tray/sys_image_list.h"

namespace tray {

// What the asking threads share with their owner. It lives as long as the last of them, so a
// thread that comes back after the menu (or the whole data module) is gone writes only here.
struct DriveAsks::Shared {
  std::mutex Lock;
  std::condition_variable Answered;
  bool Abandoned = false;  // the owner is gone: nobody reads any answer any more
};

// One drive's ask; both fields are written and read under Shared::Lock.
struct DriveAsks::Pending {
  bool Done = false;
  DriveAnswer Answer;
};

DriveAsks::DriveAsks() : m_shared(std::make_shared<Shared>()) {}

DriveAsks::~DriveAsks() {
  const std::lock_guard lock(m_shared->Lock);
  m_shared->Abandoned = true;
}

void DriveAsks::AskDrive(const std::shared_ptr<Shared>& shared,
                         const std::shared_ptr<Pending>& pending, const std::wstring& root,
                         unsigned iconFlags) noexcept {
  DriveAnswer answer;
  try {
    answer.Label = os::Shl().VolumeLabel(root);
    bool wanted = false;
    {
      const std::lock_guard lock(shared->Lock);
      wanted = !shared->Abandoned;
    }
    // The icon is the shell's parse of the root, which may touch the drive again.
    if (wanted) answer.ImageIndex = TSysImageList::ImageIndexWith(root, iconFlags);
  } catch (...) {
    // A drive that cannot be read shows as one without a label, with the first icon.
  }
  {
    const std::lock_guard lock(shared->Lock);
    pending->Answer = std::move(answer);
    pending->Done = true;
  }
  shared->Answered.notify_all();
}

std::vector<std::optional<DriveAnswer>> DriveAsks::Ask(const std::vector<std::wstring>& roots,
                                                      unsigned iconFlags,
                                                      std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::vector<Drive*> drives;  // in the order of roots
  std::vector<std::shared_ptr<Pending>> waitedFor;
  for (const std::wstring& root : roots) {
    Drive& drive = m_drives[root];
    drives.push_back(&drive);
    if (drive.Ask) {
      const std::lock_guard lock(m_shared->Lock);
      if (!drive.Ask->Done) continue;  // late already before: neither asked again nor waited for
      drive.Last = drive.Ask->Answer;
    }
    drive.Ask = std::make_shared<Pending>();
    try {
      std::thread([shared = m_shared, pending = drive.Ask, root, iconFlags] {
        AskDrive(shared, pending, root, iconFlags);
      }).detach();
    } catch (const std::system_error&) {
      // No thread to ask on: the drive shows as one that cannot be read, until next time.
      const std::lock_guard lock(m_shared->Lock);
      drive.Ask->Done = true;
    }
    waitedFor.push_back(drive.Ask);
  }

  std::unique_lock lock(m_shared->Lock);
  m_shared->Answered.wait_until(lock, deadline, [&] {
    for (const auto& ask : waitedFor) {
      if (!ask->Done) return false;
    }
    return true;
  });
  std::vector<std::optional<DriveAnswer>> answers;
  answers.reserve(drives.size());
  for (Drive* drive : drives) {
    if (drive->Ask->Done) drive->Last = drive->Ask->Answer;
    answers.push_back(drive->Last);
  }
  return answers;
}

}  // namespace tray
