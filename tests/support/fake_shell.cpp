#include "support/fake_shell.h"

#include <cstdio>

#include "os/text.h"
#include "tray/sys_image_list.h"

namespace testing_support {
namespace {

std::wstring FolderOf(const std::wstring& path) {
  const auto pos = path.find_last_of(L'\\');
  return pos == std::wstring::npos ? std::wstring() : path.substr(0, pos);
}

std::wstring ExtensionOf(const std::wstring& path) {
  const auto dot = path.find_last_of(L'.');
  const auto slash = path.find_last_of(L"\\:/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && slash > dot)) return {};
  return path.substr(dot);
}

}  // namespace

bool NoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const {
  return os::ToUpperAscii(a) < os::ToUpperAscii(b);
}

FakeShell::FakeShell() { TopWindows[L"ProgMan"] = 0x10010; }

void FakeShell::AddFile(const std::wstring& path) {
  const std::lock_guard lock(m_fileLock);
  m_files.insert(path);
}

bool FakeShell::HasFile(const std::wstring& path) const {
  const std::lock_guard lock(m_fileLock);
  return m_files.count(path) != 0;
}

std::vector<std::wstring> FakeShell::FilesIn(const std::wstring& folder) const {
  const std::lock_guard lock(m_fileLock);
  std::wstring dir = folder;
  while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  std::vector<std::wstring> names;
  for (const std::wstring& path : m_files) {
    if (os::EqualsIgnoreAsciiCase(FolderOf(path), dir)) names.push_back(path.substr(dir.size() + 1));
  }
  return names;
}

void FakeShell::Record(IconQuery query) {
  {
    const std::lock_guard lock(m_recordLock);
    IconQueries.push_back(query);
  }
  if (OnIconQuery) OnIconQuery(query);
}

std::size_t FakeShell::VolumeLabelAsks(const std::wstring& root) const {
  const std::lock_guard lock(m_recordLock);
  std::size_t n = 0;
  for (const std::wstring& asked : m_volumeLabelAsks) n += os::EqualsIgnoreAsciiCase(asked, root);
  return n;
}

std::size_t FakeShell::FolderPathAsks(int csidl) const {
  const std::lock_guard lock(m_recordLock);
  std::size_t n = 0;
  for (const int asked : FolderPathQueries) n += asked == csidl;
  return n;
}

std::size_t FakeShell::NameQueries(const std::wstring& name) const {
  const std::lock_guard lock(m_recordLock);
  std::size_t n = 0;
  for (const IconQuery& query : IconQueries) {
    n += query.What == IconQuery::Kind::Name && os::EqualsIgnoreAsciiCase(query.Name, name);
  }
  return n;
}

os::ImageListHandle FakeShell::SystemImageList(unsigned flags) {
  ImageListQueries.push_back(flags);
  return (flags & os::kIconSmall) != 0 ? SmallImageList : LargeImageList;
}

std::optional<int> FakeShell::IconIndexOfName(const std::wstring& name, unsigned flags) {
  Record({IconQuery::Kind::Name, name, -1, flags});
  if (auto it = NameIcons.find(name); it != NameIcons.end()) return it->second;
  if (HasFile(name)) {
    if (auto it = ExistingFileIcons.find(ExtensionOf(name)); it != ExistingFileIcons.end()) {
      return it->second;
    }
  }
  return std::nullopt;
}

std::optional<int> FakeShell::IconIndexOfFileType(const std::wstring& name, unsigned flags) {
  Record({IconQuery::Kind::FileType, name, -1, flags});
  if (auto it = FileTypeIcons.find(name); it != FileTypeIcons.end()) return it->second;
  return std::nullopt;
}

std::optional<int> FakeShell::IconIndexOfSpecialFolder(int csidl, unsigned flags) {
  Record({IconQuery::Kind::SpecialFolder, {}, csidl, flags});
  if (auto it = SpecialFolderIcons.find(csidl); it != SpecialFolderIcons.end()) return it->second;
  return std::nullopt;
}

int FakeShell::Execute(const os::ShellCommand& command) {
  Executed.push_back(command);
  return ExecuteResult;
}

bool FakeShell::ShowShutdownDialog() {
  ++ShutdownDialogs;
  return DialogsWork;
}

bool FakeShell::ShowWindowSwitcher() {
  ++WindowSwitchers;
  return DialogsWork;
}

os::WindowHandle FakeShell::FindTopWindow(const std::wstring& className) {
  auto it = TopWindows.find(className);
  return it == TopWindows.end() ? 0 : it->second;
}

std::wstring FakeShell::TempFolder() { return Temp; }

std::wstring FakeShell::ReserveTempFileName(const std::wstring& folder, const std::wstring& prefix) {
  if (ReserveFails || folder.empty()) return {};
  const std::lock_guard lock(m_fileLock);
  std::wstring dir = folder;
  if (dir.back() != L'\\') dir += L'\\';
  for (;;) {
    wchar_t unique[16];
    std::swprintf(unique, 16, L"%X", NextUnique++ & 0xFFFF);
    const std::wstring path = dir + prefix.substr(0, 3) + unique + L".tmp";
    if (HasFile(path)) continue;
    AddFile(path);
    ReservedFiles.push_back(path);
    return path;
  }
}

bool FakeShell::CreateNewFile(const std::wstring& path) {
  const std::lock_guard lock(m_fileLock);
  if (HasFile(path) || Unwritable.count(path) != 0) return false;
  AddFile(path);
  CreatedFiles.push_back(path);
  return true;
}

bool FakeShell::RemoveFile(const std::wstring& path) {
  const std::lock_guard lock(m_fileLock);
  return m_files.erase(path) != 0;
}

bool FakeShell::FileExists(const std::wstring& path) { return HasFile(path); }

std::wstring FakeShell::SpecialFolderPath(int csidl) {
  {
    const std::lock_guard lock(m_recordLock);
    FolderPathQueries.push_back(csidl);
  }
  if (OnFolderPathQuery) OnFolderPathQuery(csidl);
  auto it = SpecialFolders.find(csidl);
  return it == SpecialFolders.end() ? std::wstring() : it->second;
}

std::wstring FakeShell::DownloadsFolderPath() { return Downloads; }

std::vector<std::wstring> FakeShell::LogicalDrives() { return Drives; }

std::wstring FakeShell::VolumeLabel(const std::wstring& root) {
  {
    const std::lock_guard lock(m_recordLock);
    m_volumeLabelAsks.push_back(root);
  }
  auto it = Labels.find(root);
  std::wstring label = it == Labels.end() ? std::wstring() : it->second;
  // Last: a thread held here touches nothing of the shell once it is let go.
  if (OnVolumeLabel) OnVolumeLabel(root);
  return label;
}

int FakeShell::DriveType(const std::wstring& root) {
  if (auto it = DriveTypes.find(root); it != DriveTypes.end()) return it->second;
  for (const std::wstring& drive : Drives) {
    if (os::EqualsIgnoreAsciiCase(drive, root)) return os::kDriveFixed;
  }
  return os::kDriveNoRootDir;
}

ScopedFakeShell::ScopedFakeShell() {
  os::SetShell(&m_fake);
  tray::ResetSpecialFolderList();
}

ScopedFakeShell::~ScopedFakeShell() {
  tray::ResetSpecialFolderList();
  os::SetShell(nullptr);
}

}  // namespace testing_support
