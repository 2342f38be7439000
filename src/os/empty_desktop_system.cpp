#include "os/empty_desktop_system.h"

#include <type_traits>

#include "os/error.h"

namespace os {

// Here, in the program's own build, so that a call added to the seam without an answer in the
// empty desktop fails at once rather than in the next fuzz run.
static_assert(!std::is_abstract_v<EmptyDesktopSystem>,
              "every call of the System seam needs an answer in EmptyDesktopSystem");

std::unique_ptr<NamedMutex> EmptyDesktopSystem::CreateNamedMutex(const std::wstring&,
                                                                  bool& alreadyExisted) {
  alreadyExisted = false;
  return std::make_unique<NamedMutex>();
}

std::string EmptyDesktopSystem::ReadFile(const std::wstring& path) {
  throw Error(L"Cannot read \"" + path + L"\": there are no files here.");
}

void EmptyDesktopSystem::WriteFile(const std::wstring& path, std::string_view) {
  throw Error(L"Cannot write \"" + path + L"\": there are no files here.");
}

void EmptyDesktopSystem::MoveFileReplace(const std::wstring& from, const std::wstring&) {
  throw Error(L"Cannot move \"" + from + L"\": there are no files here.");
}

void EmptyDesktopSystem::CopyFileTo(const std::wstring& from, const std::wstring&) {
  throw Error(L"Cannot copy \"" + from + L"\": there are no files here.");
}

HttpResult EmptyDesktopSystem::HttpGet(const std::wstring&, const HttpOptions&) {
  HttpResult result;
  result.Error = L"There is no network here.";
  return result;
}

void EmptyDesktopSystem::WriteCurrentUserString(const std::wstring& key, const std::wstring&,
                                                const std::wstring&) {
  throw Error(L"Cannot write to \"" + key + L"\": there is no registry here.");
}

void EmptyDesktopSystem::DeleteCurrentUserValue(const std::wstring& key, const std::wstring&) {
  throw Error(L"Cannot write to \"" + key + L"\": there is no registry here.");
}

}  // namespace os
