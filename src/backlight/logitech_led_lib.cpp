#include "backlight/logitech_led_lib.h"

#include "os/error.h"
#include "os/text.h"

namespace backlight {
namespace {
// The library's own signatures; every result is a 32-bit value, non-zero for success.
using InitWithNameFn = int (*)(const char* name);
using ShutdownFn = void (*)();
using GetSdkVersionFn = int (*)(int* major, int* minor, int* build);
using SetTargetDeviceFn = int (*)(int device);
using SetLightingFn = int (*)(int red, int green, int blue);
}  // namespace

LogitechLedLib& LedLib() {
  static LogitechLedLib lib;
  return lib;
}

LogitechLedLib::Epoch LogitechLedLib::CurrentEpoch() const {
  std::lock_guard lock(m_mutex);
  return m_epoch;
}

std::optional<bool> LogitechLedLib::LoadLogiLedLib(Epoch epoch) {
  std::lock_guard lock(m_mutex);
  if (epoch != m_epoch) return std::nullopt;
  m_path.clear();
  if (auto path = os::Sys().LocalMachineString(kRegistryKey, L"")) m_path = *path;
  if (m_path.empty()) m_path = kFallbackFileName;
  const os::LibraryHandle module = os::Sys().LoadLibraryFile(m_path);
  if (module == 0) return false;
  m_module = module;
  for (std::size_t i = 0; i < kEntryPointNames.size(); ++i) {
    os::ProcAddress entry = os::Sys().LibraryEntryPoint(m_module, kEntryPointNames[i]);
    if (entry == nullptr) {
      throw os::Error(L"Entry point \"" + os::Utf8ToWide(kEntryPointNames[i]) + L"\" not found");
    }
    m_entries[i] = entry;
  }
  return true;
}

void LogitechLedLib::UnloadLocked() {
  ++m_epoch;
  if (m_module != 0) {
    os::Sys().FreeLibraryFile(m_module);
    m_module = 0;
  }
  m_entries.fill(nullptr);
}

bool LogitechLedLib::UnloadLogiLedLib() {
  std::lock_guard lock(m_mutex);
  UnloadLocked();
  return true;
}

bool LogitechLedLib::UnloadIfCurrent(Epoch epoch) {
  std::lock_guard lock(m_mutex);
  if (epoch != m_epoch) return false;
  UnloadLocked();
  return true;
}

bool LogitechLedLib::IsLoaded() const {
  std::lock_guard lock(m_mutex);
  return m_module != 0;
}

std::wstring LogitechLedLib::LogiLedLibPath() const {
  std::lock_guard lock(m_mutex);
  return m_path;
}

bool LogitechLedLib::HasEntryPoint(std::size_t index) const {
  std::lock_guard lock(m_mutex);
  return m_entries.at(index) != nullptr;
}

bool LogitechLedLib::IsUsable(Epoch epoch) const {
  std::lock_guard lock(m_mutex);
  return Callable(epoch, kInitWithName) && Callable(epoch, kSetLighting) &&
         Callable(epoch, kSetTargetDevice);
}

std::optional<bool> LogitechLedLib::InitWithName(Epoch epoch) {
  std::lock_guard lock(m_mutex);
  if (!Callable(epoch, kInitWithName)) return std::nullopt;
  return Entry<InitWithNameFn>(kInitWithName)(kProgramName) != 0;
}

std::optional<bool> LogitechLedLib::GetSdkVersion(Epoch epoch, int& major, int& minor, int& build) {
  std::lock_guard lock(m_mutex);
  if (!Callable(epoch, kGetSdkVersion)) return std::nullopt;
  return Entry<GetSdkVersionFn>(kGetSdkVersion)(&major, &minor, &build) != 0;
}

std::optional<bool> LogitechLedLib::SetTargetDevice(Epoch epoch, int device) {
  std::lock_guard lock(m_mutex);
  if (!Callable(epoch, kSetTargetDevice)) return std::nullopt;
  return Entry<SetTargetDeviceFn>(kSetTargetDevice)(device) != 0;
}

std::optional<bool> LogitechLedLib::SetLighting(Epoch epoch, int redPercent, int greenPercent,
                                                int bluePercent) {
  std::lock_guard lock(m_mutex);
  if (!Callable(epoch, kSetLighting)) return std::nullopt;
  return Entry<SetLightingFn>(kSetLighting)(redPercent, greenPercent, bluePercent) != 0;
}

bool LogitechLedLib::Shutdown(Epoch epoch) {
  std::lock_guard lock(m_mutex);
  if (!Callable(epoch, kShutdown)) return false;
  Entry<ShutdownFn>(kShutdown)();
  return true;
}

}  // namespace backlight
