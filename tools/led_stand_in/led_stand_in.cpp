// A stand-in of our own for the keyboard maker's LED library, for the tests under Wine. It
// exports the 31 names the program resolves; the five the program calls write a line to the log
// and answer as the test's environment says, and the library notes its loads and unloads.
//
// Environment, read at every call so that a test can change it between calls:
//   HALVARIN_LED_LOG                   the log file, appended to (no log when unset)
//   HALVARIN_LED_FAIL_LIGHTING_FROM=N  LogiLedSetLighting gives 0 from its Nth call of this load
//   HALVARIN_LED_FAIL_INIT=1           LogiLedInitWithName gives 0
//   HALVARIN_LED_VERSION=a.b.c         the version LogiLedGetSdkVersion reports (else 9.0.12)
// Built a second time without LogiLedSaveLightingForKey (HALVARIN_LED_WITHOUT_ENTRY_25).
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::atomic<int> g_lightingCalls{0};  // since this load: a fresh load starts at 0 again

std::string Env(const char* name) {
  char value[512];
  const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof(value));
  return n == 0 || n >= sizeof(value) ? std::string() : std::string(value, n);
}

void Log(const std::string& line) {
  const std::string path = Env("HALVARIN_LED_LOG");
  if (path.empty()) return;
  HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Log("load");
  if (reason == DLL_PROCESS_DETACH) Log("unload");
  return TRUE;
}

__declspec(dllexport) int LogiLedInitWithName(const char* name) {
  Log(std::string("LogiLedInitWithName ") + (name != nullptr ? name : "(null)"));
  return Env("HALVARIN_LED_FAIL_INIT") == "1" ? 0 : 1;
}

__declspec(dllexport) void LogiLedShutdown() { Log("LogiLedShutdown"); }

__declspec(dllexport) int LogiLedGetSdkVersion(int* major, int* minor, int* build) {
  Log("LogiLedGetSdkVersion");
  int a = 9, b = 0, c = 12;
  const std::string version = Env("HALVARIN_LED_VERSION");
  if (!version.empty()) std::sscanf(version.c_str(), "%d.%d.%d", &a, &b, &c);
  *major = a;
  *minor = b;
  *build = c;
  return 1;
}

__declspec(dllexport) int LogiLedSetTargetDevice(int device) {
  Log("LogiLedSetTargetDevice " + std::to_string(device));
  return 1;
}

__declspec(dllexport) int LogiLedSetLighting(int red, int green, int blue) {
  const int call = ++g_lightingCalls;
  Log("LogiLedSetLighting " + std::to_string(red) + " " + std::to_string(green) + " " +
      std::to_string(blue));
  const std::string failFrom = Env("HALVARIN_LED_FAIL_LIGHTING_FROM");
  return !failFrom.empty() && call >= std::atoi(failFrom.c_str()) ? 0 : 1;
}

// The entry points the program resolves but never calls.
#define HALVARIN_UNUSED_ENTRY(name) \
  __declspec(dllexport) int name() { return 0; }
HALVARIN_UNUSED_ENTRY(LogiLedInit)
HALVARIN_UNUSED_ENTRY(LogiGetConfigOptionNumber)
HALVARIN_UNUSED_ENTRY(LogiGetConfigOptionBool)
HALVARIN_UNUSED_ENTRY(LogiGetConfigOptionColor)
HALVARIN_UNUSED_ENTRY(LogiGetConfigOptionRect)
HALVARIN_UNUSED_ENTRY(LogiGetGetConfigOptionString)
HALVARIN_UNUSED_ENTRY(LogiGetConfigOptionKeyInput)
HALVARIN_UNUSED_ENTRY(LogiGetConfigOptionRange)
HALVARIN_UNUSED_ENTRY(LogiSetConfigOptionLabel)
HALVARIN_UNUSED_ENTRY(LogiLedSaveCurrentLighting)
HALVARIN_UNUSED_ENTRY(LogiLedRestoreLighting)
HALVARIN_UNUSED_ENTRY(LogiLedFlashLighting)
HALVARIN_UNUSED_ENTRY(LogiLedPulseLighting)
HALVARIN_UNUSED_ENTRY(LogiLedStopEffects)
HALVARIN_UNUSED_ENTRY(LogiLedSetLightingFromBitmap)
HALVARIN_UNUSED_ENTRY(LogiLedSetLightingForKeyWithScanCode)
HALVARIN_UNUSED_ENTRY(LogiLedSetLightingForKeyWithHidCode)
HALVARIN_UNUSED_ENTRY(LogiLedSetLightingForKeyWithQuartzCode)
HALVARIN_UNUSED_ENTRY(LogiLedSetLightingForKeyWithKeyName)
#ifndef HALVARIN_LED_WITHOUT_ENTRY_25
HALVARIN_UNUSED_ENTRY(LogiLedSaveLightingForKey)
#endif
HALVARIN_UNUSED_ENTRY(LogiLedRestoreLightingForKey)
HALVARIN_UNUSED_ENTRY(LogiLedExcludeKeysFromBitmap)
HALVARIN_UNUSED_ENTRY(LogiLedFlashSingleKey)
HALVARIN_UNUSED_ENTRY(LogiLedPulseSingleKey)
HALVARIN_UNUSED_ENTRY(LogiLedStopEffectsOnKey)
HALVARIN_UNUSED_ENTRY(LogiLedSetLightingForTargetZone)

}  // extern "C"
