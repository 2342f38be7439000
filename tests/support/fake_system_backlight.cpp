// The scripted desktop's side of the keyboard backlight: libraries, processes, titled windows,
// the machine's registry, the thread pool and cancellable waits.
#include "os/text.h"
#include "support/fake_system.h"

namespace testing_support {

FakeSystem::~FakeSystem() { JoinPoolThreads(); }

os::LibraryHandle FakeSystem::LoadLibraryFile(const std::wstring& pathOrName) {
  std::lock_guard lock(m_backlightMutex);
  LibraryLoads.push_back(pathOrName);
  if (Libraries.count(os::ToUpperAscii(pathOrName)) == 0) return 0;
  const os::LibraryHandle handle = m_nextLibrary;
  m_nextLibrary += 0x10000;
  LoadedLibraries.insert(handle);
  m_libraryNames[handle] = os::ToUpperAscii(pathOrName);
  return handle;
}

os::ProcAddress FakeSystem::LibraryEntryPoint(os::LibraryHandle library, const char* name) {
  std::lock_guard lock(m_backlightMutex);
  EntryPointQueries.emplace_back(name);
  if (LoadedLibraries.count(library) == 0) return nullptr;
  const FakeLibrary& lib = Libraries.at(m_libraryNames.at(library));
  auto it = lib.Exports.find(name);
  return it == lib.Exports.end() ? nullptr : it->second;
}

void FakeSystem::FreeLibraryFile(os::LibraryHandle library) {
  std::lock_guard lock(m_backlightMutex);
  LibraryFrees.push_back(library);
  LoadedLibraries.erase(library);
}

std::optional<std::vector<std::wstring>> FakeSystem::RunningProcessNames() {
  std::lock_guard lock(m_backlightMutex);
  return ProcessNames;
}

os::WindowId FakeSystem::FindTopLevelWindowByTitle(const std::wstring& title) {
  std::lock_guard lock(m_backlightMutex);
  for (const auto& [window, text] : WindowTitles) {
    if (text == title) return window;
  }
  return {};
}

void FakeSystem::PostCloseMessage(os::WindowId window) {
  std::lock_guard lock(m_backlightMutex);
  CloseRequests.push_back(window);
}

std::optional<std::wstring> FakeSystem::LocalMachineString(const std::wstring& key,
                                                           const std::wstring& valueName) {
  std::lock_guard lock(m_backlightMutex);
  std::wstring k = os::ToUpperAscii(key);
  while (!k.empty() && k.back() == L'\\') k.pop_back();
  auto it = MachineRegistry.find(k);
  if (it == MachineRegistry.end()) return std::nullopt;
  auto value = it->second.find(os::ToUpperAscii(valueName));
  if (value == it->second.end()) return std::nullopt;
  return value->second;
}

bool FakeSystem::SubmitToThreadPool(std::function<void()> work) {
  std::lock_guard lock(m_backlightMutex);
  if (PoolRefuses) return false;
  if (PoolOnThreads) {
    m_poolThreads.emplace_back(std::move(work));
  } else {
    m_poolQueue.push_back(std::move(work));
  }
  return true;
}

std::size_t FakeSystem::PoolQueueSize() {
  std::lock_guard lock(m_backlightMutex);
  return m_poolQueue.size();
}

void FakeSystem::RunPoolWork() {
  for (;;) {
    std::function<void()> work;
    {
      std::lock_guard lock(m_backlightMutex);
      if (m_poolQueue.empty()) return;
      work = std::move(m_poolQueue.front());
      m_poolQueue.erase(m_poolQueue.begin());
    }
    work();
  }
}

void FakeSystem::JoinPoolThreads() {
  std::vector<std::thread> threads;
  {
    std::lock_guard lock(m_backlightMutex);
    threads.swap(m_poolThreads);
  }
  for (std::thread& t : threads) t.join();
}

std::vector<unsigned> FakeSystem::Waits() {
  std::lock_guard lock(m_backlightMutex);
  return m_waits;
}

bool FakeSystem::WaitForSignal(os::Signal& signal, unsigned milliseconds) {
  {
    std::lock_guard lock(m_backlightMutex);
    m_waits.push_back(milliseconds);
  }
  if (OnWait) OnWait(signal, milliseconds);
  if (signal.IsSet()) return true;
  std::lock_guard lock(m_backlightMutex);
  Counter += static_cast<std::int64_t>(milliseconds) * Frequency / 1000;
  return false;
}

}  // namespace testing_support
