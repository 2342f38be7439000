// libFuzzer target: any bytes as the settings file. Reading must never crash or misbehave, and
// whatever was read must survive a save-load-save round trip unchanged: the second save writes
// exactly the bytes of the first.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/settings.h"
#include "core/settings_start.h"
#include "memory_system.h"
#include "os/error.h"
#include "os/text.h"
#include "plain_settings_windows.h"

namespace {

constexpr wchar_t kFile[] = L"C:\\Settings\\settings.json";
constexpr wchar_t kFirst[] = L"C:\\Settings\\first.json";
constexpr wchar_t kSecond[] = L"C:\\Settings\\second.json";

fuzz::MemorySystem& System() {
  static fuzz::MemorySystem sys;
  static const bool installed = (os::SetSystem(&sys), true);
  (void)installed;
  return sys;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s\n%s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto& sys = System();
  sys.Files.clear();
  sys.Files[kFile] = std::string(reinterpret_cast<const char*>(data), size);

  fuzz::PlainSettingsWindows windows;
  core::TSettings settings;
  core::LoadSettingsAtStart(settings, kFile, windows);

  std::string first;
  try {
    settings.Save(kFirst, windows);
    first = sys.Files.at(kFirst);
    fuzz::PlainSettingsWindows windowsAgain;
    core::TSettings again;
    again.Load(kFirst, windowsAgain);
    again.Save(kSecond, windowsAgain);
  } catch (const os::Error& e) {
    Fail("a file this program wrote could not be saved or read back:",
         os::WideToUtf8(e.Message()));
  }
  if (sys.Files.at(kSecond) != first) {
    Fail("the second save differs from the first; first:",
         first + "\nsecond:\n" + sys.Files.at(kSecond));
  }
  return 0;
}
