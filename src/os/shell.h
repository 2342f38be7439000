#pragma once
// The shell seam: icons of the system image list, starting programs and places, the user's
// folders, the drives, and the shell's own dialogs. The program installs the Win32
// implementation; the tests install a scripted shell.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace os {

// Opaque handles, so that no caller of the seam needs <windows.h>: an HWND and an HIMAGELIST.
using WindowHandle = std::uintptr_t;
using ImageListHandle = std::uintptr_t;

// Icon query flags, as the shell defines them (SHGFI_*).
inline constexpr unsigned kIconLarge = 0x0;
inline constexpr unsigned kIconSmall = 0x1;
inline constexpr unsigned kIconOpen = 0x2;  // the open variant of a folder

// Show command (SW_*).
inline constexpr int kSwShowNormal = 1;

// Drive types (DRIVE_*).
inline constexpr int kDriveUnknown = 0;
inline constexpr int kDriveNoRootDir = 1;
inline constexpr int kDriveRemovable = 2;
inline constexpr int kDriveFixed = 3;
inline constexpr int kDriveRemote = 4;
inline constexpr int kDriveCdRom = 5;
inline constexpr int kDriveRamDisk = 6;

// Special folders (CSIDL values) that the tray menu opens.
inline constexpr int kCsidlPersonal = 0x05;
inline constexpr int kCsidlMyMusic = 0x0D;
inline constexpr int kCsidlMyVideo = 0x0E;
inline constexpr int kCsidlMyPictures = 0x27;

// One ShellExecute call. Empty texts are passed as "none": no verb is the file's default action.
struct ShellCommand {
  std::wstring File;
  std::wstring Parameters;
  std::wstring Directory;
  std::wstring Verb;
  int ShowCommand = kSwShowNormal;
  WindowHandle Owner = 0;
  friend bool operator==(const ShellCommand&, const ShellCommand&) = default;
};

// The icon queries (with the file calls of their probes), SpecialFolderPath, DownloadsFolderPath
// and VolumeLabel may come from any thread, several at once: the tray menu asks each drive, user
// folder and shell place for its label, path and icon on a thread of its own.
class Shell {
 public:
  virtual ~Shell() = default;

  // --- The system image list. `flags` combine kIconSmall or kIconLarge with kIconOpen.
  // The list of that size; it belongs to the shell and is never destroyed by the program.
  // 0 when the shell gives none.
  virtual ImageListHandle SystemImageList(unsigned flags) = 0;
  // The icon index of a file, folder, drive root or shell name ("shell:::{CLSID}") as the desktop
  // folder parses it; null when the name does not parse (a missing file, for one).
  virtual std::optional<int> IconIndexOfName(const std::wstring& name, unsigned flags) = 0;
  // The icon index of a file type for a name that need not exist ("*.ext"); null when the
  // shell has no answer.
  virtual std::optional<int> IconIndexOfFileType(const std::wstring& name, unsigned flags) = 0;
  // The icon index of a special folder (CSIDL), virtual ones included; null when the folder
  // has no location on this system.
  virtual std::optional<int> IconIndexOfSpecialFolder(int csidl, unsigned flags) = 0;

  // --- Starting programs, folders and shell places: 0 when started, else the error code
  // (ShellExecute's value of 32 or less).
  virtual int Execute(const ShellCommand& command) = 0;
  // The shell's own dialogs, through the "Shell.Application" object; false when the object or
  // its method is not there.
  virtual bool ShowShutdownDialog() = 0;
  virtual bool ShowWindowSwitcher() = 0;
  // A top-level window of the class, no matter its title; 0 when there is none.
  virtual WindowHandle FindTopWindow(const std::wstring& className) = 0;

  // --- Files, for the probes of file types that the shell only knows from a real file.
  // The temporary folder with a trailing backslash; empty when it cannot be read.
  virtual std::wstring TempFolder() = 0;
  // A unique name in `folder`, starting with `prefix`: the file is created empty to reserve the
  // name. Empty when no name could be reserved.
  virtual std::wstring ReserveTempFileName(const std::wstring& folder,
                                           const std::wstring& prefix) = 0;
  // Creates an empty file; false when it exists already or cannot be created. An existing file
  // is never opened or changed.
  virtual bool CreateNewFile(const std::wstring& path) = 0;
  virtual bool RemoveFile(const std::wstring& path) = 0;
  // A file (links followed); a folder does not count.
  virtual bool FileExists(const std::wstring& path) = 0;

  // --- Folders and drives
  // A special folder's path (no folder is created); empty when it has none.
  virtual std::wstring SpecialFolderPath(int csidl) = 0;
  // The user's Downloads folder; empty when it cannot be read.
  virtual std::wstring DownloadsFolderPath() = 0;
  // The root paths ("C:\") of every drive, in drive-letter order.
  virtual std::vector<std::wstring> LogicalDrives() = 0;
  // A drive's volume label; empty when it has none or cannot be read. An empty card reader
  // or optical drive answers at once, without a box asking for a disk.
  virtual std::wstring VolumeLabel(const std::wstring& root) = 0;
  virtual int DriveType(const std::wstring& root) = 0;  // kDrive*
};

// The installed implementation. Installing is not owning.
Shell& Shl();
void SetShell(Shell* shell) noexcept;

}  // namespace os
