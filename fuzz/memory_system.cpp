#include "memory_system.h"

#include "os/error.h"

namespace fuzz {

std::string MemorySystem::ReadFile(const std::wstring& path) {
  const auto it = Files.find(path);
  if (it == Files.end()) throw os::Error(L"Cannot open \"" + path + L"\": no such file.");
  return it->second;
}

void MemorySystem::MoveFileReplace(const std::wstring& from, const std::wstring& to) {
  std::string bytes = ReadFile(from);
  Files.erase(from);
  Files[to] = std::move(bytes);
}

}  // namespace fuzz
