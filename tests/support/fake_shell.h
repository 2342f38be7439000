#pragma once
// A scripted shell for the tests: icon answers by name, special folders, drives and labels, a
// temporary folder whose files the test can see, and a record of what the program asked for.
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "os/shell.h"

namespace testing_support {

// Paths and names compared as the file system does here: without regard to ASCII case.
struct NoCaseLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const;
};

struct IconQuery {
  enum class Kind { Name, FileType, SpecialFolder };
  Kind What = Kind::Name;
  std::wstring Name;  // empty for a special folder
  int Csidl = -1;     // -1 unless a special folder
  unsigned Flags = 0;
};

class FakeShell : public os::Shell {
 public:
  FakeShell();

  // --- Script
  os::ImageListHandle SmallImageList = 0;  // what SystemImageList answers; 0: no list
  os::ImageListHandle LargeImageList = 0;
  // Names the desktop folder parses, with their icons. A name absent here parses only when it
  // is a file of this shell whose extension (".ext") has an entry in ExistingFileIcons.
  std::map<std::wstring, int, NoCaseLess> NameIcons;
  std::map<std::wstring, int, NoCaseLess> ExistingFileIcons;
  std::map<std::wstring, int, NoCaseLess> FileTypeIcons;  // "*.ext" -> icon; absent: no answer
  std::map<int, int> SpecialFolderIcons;                   // CSIDL -> icon; absent: no location
  std::map<int, std::wstring> SpecialFolders;              // CSIDL -> path; absent: none
  std::wstring Downloads;
  std::vector<std::wstring> Drives{L"C:\\"};
  std::map<std::wstring, std::wstring, NoCaseLess> Labels;  // root -> label
  std::map<std::wstring, int, NoCaseLess> DriveTypes;       // root -> kDrive*; else fixed
  std::map<std::wstring, os::WindowHandle, NoCaseLess> TopWindows;  // class -> window
  int ExecuteResult = 0;
  bool DialogsWork = true;
  // Called with each icon query as it arrives, after it is recorded: a test throws from here,
  // or asks again to come back in the way a message dispatched inside a shell call would.
  std::function<void(const IconQuery&)> OnIconQuery;
  std::function<void(int csidl)> OnFolderPathQuery;  // likewise for SpecialFolderPath
  // Called with the root of each VolumeLabel call before it answers, on the asking thread (the
  // tray menu asks from threads of its own): a test blocks here, in OnIconQuery or in
  // OnFolderPathQuery to play a drive or folder that does not answer. The script is set while
  // no ask runs; the records below and the files are kept under a lock.
  std::function<void(const std::wstring& root)> OnVolumeLabel;

  // The temporary folder and its files.
  std::wstring Temp = L"C:\\Users\\user\\AppData\\Local\\Temp\\";
  bool ReserveFails = false;
  unsigned NextUnique = 1;  // reserved names are <prefix><hex>.tmp, counting up from here
  std::set<std::wstring, NoCaseLess> Unwritable;  // paths that cannot be created
  void AddFile(const std::wstring& path);
  bool HasFile(const std::wstring& path) const;
  std::vector<std::wstring> FilesIn(const std::wstring& folder) const;  // names only

  // --- Record
  std::vector<unsigned> ImageListQueries;  // flags of each SystemImageList call
  std::vector<IconQuery> IconQueries;
  std::vector<int> FolderPathQueries;  // CSIDLs asked of SpecialFolderPath
  std::vector<std::wstring> ReservedFiles;
  std::vector<std::wstring> CreatedFiles;  // by CreateNewFile
  std::vector<os::ShellCommand> Executed;
  int ShutdownDialogs = 0;
  int WindowSwitchers = 0;
  // Safe to call while other threads ask: how often a drive was asked for its label, a special
  // folder for its path, and the shell parse for a name.
  std::size_t VolumeLabelAsks(const std::wstring& root) const;
  std::size_t FolderPathAsks(int csidl) const;
  std::size_t NameQueries(const std::wstring& name) const;

  // --- os::Shell
  os::ImageListHandle SystemImageList(unsigned flags) override;
  std::optional<int> IconIndexOfName(const std::wstring& name, unsigned flags) override;
  std::optional<int> IconIndexOfFileType(const std::wstring& name, unsigned flags) override;
  std::optional<int> IconIndexOfSpecialFolder(int csidl, unsigned flags) override;
  int Execute(const os::ShellCommand& command) override;
  bool ShowShutdownDialog() override;
  bool ShowWindowSwitcher() override;
  os::WindowHandle FindTopWindow(const std::wstring& className) override;
  std::wstring TempFolder() override;
  std::wstring ReserveTempFileName(const std::wstring& folder, const std::wstring& prefix) override;
  bool CreateNewFile(const std::wstring& path) override;
  bool RemoveFile(const std::wstring& path) override;
  bool FileExists(const std::wstring& path) override;
  std::wstring SpecialFolderPath(int csidl) override;
  std::wstring DownloadsFolderPath() override;
  std::vector<std::wstring> LogicalDrives() override;
  std::wstring VolumeLabel(const std::wstring& root) override;
  int DriveType(const std::wstring& root) override;

 private:
  void Record(IconQuery query);
  mutable std::recursive_mutex m_fileLock;  // guards m_files and the file records
  std::set<std::wstring, NoCaseLess> m_files;
  // Guards IconQueries, FolderPathQueries and m_volumeLabelAsks.
  mutable std::mutex m_recordLock;
  std::vector<std::wstring> m_volumeLabelAsks;
};

// Installs a fake for the life of the object. The special-folder list that the shell icon list
// keeps for the run is forgotten on both ends, so that no test sees another test's folders.
class ScopedFakeShell {
 public:
  ScopedFakeShell();
  ~ScopedFakeShell();
  FakeShell& operator*() { return m_fake; }
  FakeShell* operator->() { return &m_fake; }

 private:
  FakeShell m_fake;
};

}  // namespace testing_support
