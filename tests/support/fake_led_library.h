#pragma once
// A scripted LED library for the fake loader: the five entry points the program calls record
// their arguments and answer as the test says; the other 26 exist and must never be called.
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "support/fake_system.h"

namespace backlight_test {

// The library's 31 export names, in the order the program resolves them.
extern const std::vector<std::string> kLedEntryPoints;

struct FakeLedLibrary {
  int InitResult = 1;
  int VersionResult = 1;
  int TargetResult = 1;
  int LightingResult = 1;
  int Major = 9, Minor = 0, Build = 12;
  // Runs at the start of each call, with the call's line: a test acts here as another thread
  // would while the library is busy.
  std::function<void(const std::string&)> OnCall;

  // Lines such as "LogiLedInitWithName Halvarin for Logitech LED" or "LogiLedSetLighting 100 50 0".
  std::vector<std::string> Calls() const;
  void Record(const std::string& line);

  // The exports for the fake loader: all 31 names, but `missing`.
  testing_support::FakeSystem::FakeLibrary Exports(const std::string& missing = {}) const;

 private:
  mutable std::mutex m_mutex;
  std::vector<std::string> m_calls;
};

// The library the exported functions record into; the fixture sets it.
inline FakeLedLibrary* g_led = nullptr;

}  // namespace backlight_test
