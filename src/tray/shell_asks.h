#pragma once
// What the tray menu shows of the shell's things (drive labels, user folders' paths, icons),
// each thing asked on a thread of its own. An offline network drive, a slow optical drive or a
// user folder redirected to a server that does not answer can hold whoever asks it for the
// network's time-out, and the menu asks on the UI thread, which also serves the mouse hook and
// the monitoring pass: the menu waits for the answers only up to a time limit and shows what
// has come by then.
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tray {

// One thing the menu asks of the shell.
struct ShellQuestion {
  // Names the ask from one popup to the next. Unless IconOfText, the icon is that of this name:
  // a drive root, a shell name ("shell:::{CLSID}"), a file path.
  std::wstring Key;
  // The text asked first, on the asking thread (a volume label, a folder's path); none: no text.
  // It runs after its menu may be gone, so it holds nothing of the menu.
  std::function<std::wstring()> Text;
  bool IconOfText = false;  // the icon is that of the text (a folder's path), not of the key
};

struct ShellAnswer {
  std::wstring Text;   // empty when there is none or it cannot be read
  int ImageIndex = 0;  // in the system image list; 0 when the shell knows none
  friend bool operator==(const ShellAnswer&, const ShellAnswer&) = default;
};

class ShellAsks {
 public:
  ShellAsks();
  ShellAsks(const ShellAsks&) = delete;
  ShellAsks& operator=(const ShellAsks&) = delete;
  // Asks still running end alone: their answers go nowhere, and they ask nothing more.
  ~ShellAsks();

  // Asks every question at once and waits until all have answered or `limit` has passed. The
  // answers come in the order of the questions. A question that has not answered in time gives
  // the latest answer it gave before (a slow moment of a loaded machine does not wipe the
  // menu's labels and icons), or null when it has never answered. A question whose ask of an
  // earlier call has still not come back is neither asked again (that would only hold one more
  // thread) nor waited for; once that ask is back, the next call asks anew.
  // `iconFlags` are the shell icon list's query flags.
  std::vector<std::optional<ShellAnswer>> Ask(const std::vector<ShellQuestion>& questions,
                                              unsigned iconFlags,
                                              std::chrono::milliseconds limit);

 private:
  struct Shared;
  struct Pending;
  // One question, on a thread of its own, which holds `shared` and `pending` so that they
  // outlive the owner when the answer comes late.
  static void AskOne(const std::shared_ptr<Shared>& shared, const std::shared_ptr<Pending>& pending,
                     const ShellQuestion& question, unsigned iconFlags) noexcept;
  struct Asked {
    std::shared_ptr<Pending> Ask;     // the last one started; replaced only once it is back
    std::optional<ShellAnswer> Last;  // the latest answer that has come back
  };
  std::shared_ptr<Shared> m_shared;    // also held by every asking thread
  std::map<std::wstring, Asked> m_asked;  // everything asked so far, by key
};

}  // namespace tray
