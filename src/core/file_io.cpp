#include "core/file_io.h"

#include "os/error.h"
#include "os/system.h"

namespace core {

void WriteFileReplacing(const std::wstring& path, std::string_view bytes) {
  const std::wstring temp = path + L".tmp";
  auto& sys = os::Sys();
  try {
    sys.WriteFile(temp, bytes);
    sys.MoveFileReplace(temp, path);
  } catch (const os::Error& e) {
    sys.RemoveFile(temp);
    throw os::Error(L"Cannot write the file \"" + path + L"\". " + e.Message());
  }
}

std::wstring IncludeTrailingBackslash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

std::wstring ExcludeTrailingBackslash(std::wstring path) {
  while (path.size() > 1 && path.back() == L'\\') path.pop_back();
  return path;
}

std::wstring ExtractFilePath(const std::wstring& path) {
  const auto pos = path.find_last_of(L"\\/:");
  return pos == std::wstring::npos ? std::wstring() : path.substr(0, pos + 1);
}

bool ForceDirectories(const std::wstring& path) {
  const std::wstring dir = ExcludeTrailingBackslash(path);
  if (dir.empty()) return false;
  auto& sys = os::Sys();
  if (sys.DirectoryExists(dir)) return true;
  const std::wstring parent = ExcludeTrailingBackslash(ExtractFilePath(dir));
  // Stop at a drive root ("C:") or a share; those are never created here.
  if (!parent.empty() && parent != dir && parent.back() != L':' && parent != L"\\") {
    if (!ForceDirectories(parent)) return false;
  }
  return sys.CreateFolder(dir);
}

}  // namespace core
