#pragma once
// The drives' labels and icons for the tray menu, each drive asked on a thread of its own. An
// offline network drive or a slow optical drive can hold whoever asks it for seconds, and the
// menu asks on the UI thread, which also serves the mouse hook and the monitoring pass: the
// menu waits for the answers only up to a time limit and shows what has come by then.
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tray {

// What the menu shows of a drive beside its root path.
struct DriveAnswer {
  std::wstring Label;  // as the volume reports it; empty when it has none or cannot be read
  int ImageIndex = 0;  // in the system image list; 0 when the shell knows none
  friend bool operator==(const DriveAnswer&, const DriveAnswer&) = default;
};

class DriveAsks {
 public:
  DriveAsks();
  DriveAsks(const DriveAsks&) = delete;
  DriveAsks& operator=(const DriveAsks&) = delete;
  // Asks still running end alone: their answers go nowhere, and they ask nothing more.
  ~DriveAsks();

  // Asks every drive of `roots` at once and waits until all have answered or `limit` has
  // passed. The answers come in the order of `roots`. A drive that has not answered in time
  // gives the latest answer it gave before (a slow moment of a loaded machine does not wipe
  // the menu's labels), or null when it has never answered. A drive whose ask of an earlier
  // call has still not come back is neither asked again (that would only hold one more
  // thread) nor waited for; once that ask is back, the next call asks the drive anew.
  // `iconFlags` are the shell icon list's query flags.
  std::vector<std::optional<DriveAnswer>> Ask(const std::vector<std::wstring>& roots,
                                               unsigned iconFlags,
                                               std::chrono::milliseconds limit);

 private:
  struct Shared;
  struct Pending;
  // The label and the icon of one drive, on a thread of its own, which holds `shared` and
  // `pending` so that they outlive the owner when the drive answers late.
  static void AskDrive(const std::shared_ptr<Shared>& shared,
                       const std::shared_ptr<Pending>& pending, const std::wstring& root,
                       unsigned iconFlags) noexcept;
  struct Drive {
    std::shared_ptr<Pending> Ask;     // the last one started; replaced only once it is back
    std::optional<DriveAnswer> Last;  // the latest answer that has come back
  };
  std::shared_ptr<Shared> m_shared;  // also held by every asking thread
  std::map<std::wstring, Drive> m_drives;  // every drive asked so far, by root
};

}  // namespace tray
