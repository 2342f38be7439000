#pragma once
#include <string>
#include <string_view>

namespace core {

// Writes the whole file to a temporary file beside it and then moves that over the old one, so
// a failure never leaves a half-written file. Raises os::Error naming the file and the reason.
void WriteFileReplacing(const std::wstring& path, std::string_view bytes);

// Creates every missing folder of the path; true when the folder exists afterwards.
bool ForceDirectories(const std::wstring& path);

std::wstring IncludeTrailingBackslash(std::wstring path);
std::wstring ExcludeTrailingBackslash(std::wstring path);
// The folder part of a path, with its trailing backslash ("C:\a\b.exe" gives "C:\a\").
std::wstring ExtractFilePath(const std::wstring& path);

}  // namespace core
