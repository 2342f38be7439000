#pragma once
// The binding of the keyboard maker's LED library, which the program loads at run time and never
// links: finding the file, loading it, resolving its 31 entry points, the five calls the program
// makes, and unloading.
//
// The start-up task loads and calls on a pool thread while the UI thread may unload at any
// moment (a failed colour call, a suspend notice, the exit). One lock guards the handle, the
// entry points and every call into the library, and every unload starts a new epoch: a caller
// names the epoch it started in, and a call or load for an epoch that an unload has ended does
// nothing, so the task never calls into a library that is gone or one loaded after it.
#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "os/system.h"

namespace backlight {

class LogitechLedLib {
 public:
  // The export names, in the order a load resolves them.
  static constexpr std::array<const char*, 31> kEntryPointNames{
      "LogiLedInit",
      "LogiLedInitWithName",
      "LogiLedShutdown",
      "LogiLedGetSdkVersion",
      "LogiGetConfigOptionNumber",
      "LogiGetConfigOptionBool",
      "LogiGetConfigOptionColor",
      "LogiGetConfigOptionRect",
      "LogiGetGetConfigOptionString",
      "LogiGetConfigOptionKeyInput",
      "LogiGetConfigOptionRange",
      "LogiSetConfigOptionLabel",
      "LogiLedSetTargetDevice",
      "LogiLedSaveCurrentLighting",
      "LogiLedSetLighting",
      "LogiLedRestoreLighting",
      "LogiLedFlashLighting",
      "LogiLedPulseLighting",
      "LogiLedStopEffects",
      "LogiLedSetLightingFromBitmap",
      "LogiLedSetLightingForKeyWithScanCode",
      "LogiLedSetLightingForKeyWithHidCode",
      "LogiLedSetLightingForKeyWithQuartzCode",
      "LogiLedSetLightingForKeyWithKeyName",
      "LogiLedSaveLightingForKey",
      "LogiLedRestoreLightingForKey",
      "LogiLedExcludeKeysFromBitmap",
      "LogiLedFlashSingleKey",
      "LogiLedPulseSingleKey",
      "LogiLedStopEffectsOnKey",
      "LogiLedSetLightingForTargetZone",
  };
  // Positions of the entry points the program calls.
  static constexpr std::size_t kInitWithName = 1;
  static constexpr std::size_t kShutdown = 2;
  static constexpr std::size_t kGetSdkVersion = 3;
  static constexpr std::size_t kSetTargetDevice = 12;
  static constexpr std::size_t kSetLighting = 14;

  static constexpr wchar_t kRegistryKey[] =
      L"SOFTWARE\\Classes\\CLSID\\{a6519e67-7632-4375-afdf-caa889744403}\\ServerBinary\\";
  static constexpr wchar_t kFallbackFileName[] = L"sdk_legacy_led_x64.dll";
  static constexpr char kProgramName[] = "Halvarin for Logitech LED";

  using Epoch = std::uint64_t;

  LogitechLedLib() = default;
  LogitechLedLib(const LogitechLedLib&) = delete;
  LogitechLedLib& operator=(const LogitechLedLib&) = delete;

  // The current epoch; every unload ends it.
  Epoch CurrentEpoch() const;

  // Finds and loads the library and resolves the entry points, unless `epoch` has ended (none).
  // False when the library cannot be loaded. A missing entry point raises os::Error naming it;
  // the library then stays loaded with the entry points resolved before it.
  std::optional<bool> LoadLogiLedLib(Epoch epoch);
  // Frees the library when one is loaded and clears every entry point; always true.
  bool UnloadLogiLedLib();
  // The same, only while `epoch` lasts: for the task, which must not unload what the UI thread
  // may have unloaded and another attempt loaded since. False when the epoch has ended.
  bool UnloadIfCurrent(Epoch epoch);

  bool IsLoaded() const;
  std::wstring LogiLedLibPath() const;
  bool HasEntryPoint(std::size_t index) const;

  // The calls the program makes. Each runs under the lock, only while `epoch` lasts and the entry
  // point is resolved; none when it was not made. Otherwise the library's answer (non-zero: true).
  std::optional<bool> InitWithName(Epoch epoch);
  std::optional<bool> GetSdkVersion(Epoch epoch, int& major, int& minor, int& build);
  std::optional<bool> SetTargetDevice(Epoch epoch, int device);
  std::optional<bool> SetLighting(Epoch epoch, int redPercent, int greenPercent, int bluePercent);
  bool Shutdown(Epoch epoch);  // true when the call was made

  // Sets `flag` while `epoch` lasts, under the lock, so that no flag is raised over a state that
  // an unload has just cleared; false when the epoch has ended.
  template <class Flag>
  bool SetWhileCurrent(Epoch epoch, Flag& flag) {
    std::lock_guard lock(m_mutex);
    if (epoch != m_epoch) return false;
    flag = true;
    return true;
  }
  // True while `epoch` lasts and the three entry points the program relies on are resolved.
  bool IsUsable(Epoch epoch) const;

 private:
  void UnloadLocked();
  template <class Fn>
  Fn Entry(std::size_t index) const {
    return reinterpret_cast<Fn>(m_entries[index]);
  }
  bool Callable(Epoch epoch, std::size_t index) const {
    return epoch == m_epoch && m_module != 0 && m_entries[index] != nullptr;
  }

  mutable std::mutex m_mutex;
  Epoch m_epoch = 0;
  std::wstring m_path;
  os::LibraryHandle m_module = 0;
  std::array<os::ProcAddress, kEntryPointNames.size()> m_entries{};
};

// The program's one binding.
LogitechLedLib& LedLib();

}  // namespace backlight
