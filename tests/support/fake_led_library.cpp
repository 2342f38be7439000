#include "support/fake_led_library.h"

namespace backlight_test {

const std::vector<std::string> kLedEntryPoints{
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

namespace {

int InitWithName(const char* name) {
  g_led->Record(std::string("LogiLedInitWithName ") + name);
  return g_led->InitResult;
}
void Shutdown() { g_led->Record("LogiLedShutdown"); }
int GetSdkVersion(int* major, int* minor, int* build) {
  g_led->Record("LogiLedGetSdkVersion");
  *major = g_led->Major;
  *minor = g_led->Minor;
  *build = g_led->Build;
  return g_led->VersionResult;
}
int SetTargetDevice(int device) {
  g_led->Record("LogiLedSetTargetDevice " + std::to_string(device));
  return g_led->TargetResult;
}
int SetLighting(int red, int green, int blue) {
  g_led->Record("LogiLedSetLighting " + std::to_string(red) + " " + std::to_string(green) + " " +
                std::to_string(blue));
  return g_led->LightingResult;
}
int NeverCalled() {
  g_led->Record("an entry point the program never calls");
  return 0;
}

template <class Fn>
os::ProcAddress Address(Fn fn) {
  return reinterpret_cast<os::ProcAddress>(fn);
}

}  // namespace

std::vector<std::string> FakeLedLibrary::Calls() const {
  std::lock_guard lock(m_mutex);
  return m_calls;
}

void FakeLedLibrary::Record(const std::string& line) {
  {
    std::lock_guard lock(m_mutex);
    m_calls.push_back(line);
  }
  if (OnCall) OnCall(line);
}

testing_support::FakeSystem::FakeLibrary FakeLedLibrary::Exports(const std::string& missing) const {
  testing_support::FakeSystem::FakeLibrary library;
  for (const std::string& name : kLedEntryPoints) {
    library.Exports[name] = Address(NeverCalled);
  }
  library.Exports["LogiLedInitWithName"] = Address(InitWithName);
  library.Exports["LogiLedShutdown"] = Address(Shutdown);
  library.Exports["LogiLedGetSdkVersion"] = Address(GetSdkVersion);
  library.Exports["LogiLedSetTargetDevice"] = Address(SetTargetDevice);
  library.Exports["LogiLedSetLighting"] = Address(SetLighting);
  library.Exports.erase(missing);
  return library;
}

}  // namespace backlight_test
