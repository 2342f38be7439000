// Finding, loading and unloading the LED library, against the fake loader.
#include "backlight/logitech_led_lib.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <optional>

#include "backlight_fixture.h"
#include "os/error.h"

namespace backlight_test {
namespace {

using backlight::LedLib;

constexpr wchar_t kKey[] =
    L"SOFTWARE\\CLASSES\\CLSID\\{A6519E67-7632-4375-AFDF-CAA889744403}\\SERVERBINARY";

class LedLibTest : public BacklightTest {
 protected:
  std::optional<bool> Load() { return LedLib().LoadLogiLedLib(LedLib().CurrentEpoch()); }
};

struct PathCase {
  const char* What;
  bool KeyExists;
  std::map<std::wstring, std::wstring> Values;  // value name (upper case) -> text
  std::wstring Expected;
};

TEST_F(LedLibTest, LooksForTheRegistryValueThenTheFallbackName) {
  const PathCase cases[] = {
      {"no key", false, {}, kFallbackName},
      {"key without a default value", true, {{L"OTHER", L"C:\\x.dll"}}, kFallbackName},
      {"empty default value", true, {{L"", L""}}, kFallbackName},
      {"default value",
       true,
       {{L"", L"C:\\Program Files\\LGHUB\\sdk_legacy_led_x64.dll"}},
       L"C:\\Program Files\\LGHUB\\sdk_legacy_led_x64.dll"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.What);
    sys->MachineRegistry.clear();
    if (c.KeyExists) sys->MachineRegistry[kKey] = c.Values;
    sys->LibraryLoads.clear();
    InstallLibrary(c.Expected);
    EXPECT_EQ(Load(), true);
    EXPECT_EQ(sys->LibraryLoads, std::vector<std::wstring>{c.Expected});
    EXPECT_EQ(LedLib().LogiLedLibPath(), c.Expected);
    LedLib().UnloadLogiLedLib();
  }
}

TEST_F(LedLibTest, ResolvesTheEntryPointsInTheirOrder) {
  InstallLibrary();
  ASSERT_EQ(Load(), true);
  EXPECT_EQ(sys->EntryPointQueries, kLedEntryPoints);
  EXPECT_TRUE(LedLib().IsLoaded());
}

TEST_F(LedLibTest, ALibraryThatCannotBeLoadedChangesNothing) {
  EXPECT_EQ(Load(), false);
  EXPECT_FALSE(LedLib().IsLoaded());
  EXPECT_TRUE(sys->EntryPointQueries.empty());
}

TEST_F(LedLibTest, AMissingEntryPointRaisesWithItsNameAndKeepsWhatWasResolved) {
  for (std::size_t missing : {std::size_t{0}, std::size_t{24}, std::size_t{30}}) {
    const std::string name = kLedEntryPoints[missing];
    SCOPED_TRACE(name);
    InstallLibrary(kFallbackName, name);
    sys->EntryPointQueries.clear();
    try {
      Load();
      ADD_FAILURE() << "no error";
    } catch (const os::Error& e) {
      EXPECT_EQ(e.Message(), L"Entry point \"" + os::Utf8ToWide(name) + L"\" not found");
    }
    EXPECT_TRUE(LedLib().IsLoaded());
    std::vector<std::string> asked(
        kLedEntryPoints.begin(),
        kLedEntryPoints.begin() + static_cast<std::ptrdiff_t>(missing) + 1);
    EXPECT_EQ(sys->EntryPointQueries, asked);
    for (std::size_t i = 0; i < kLedEntryPoints.size(); ++i) {
      EXPECT_EQ(LedLib().HasEntryPoint(i), i < missing) << kLedEntryPoints[i];
    }
    LedLib().UnloadLogiLedLib();
  }
}

TEST_F(LedLibTest, UnloadFreesOnceAndClearsEveryEntryPoint) {
  InstallLibrary();
  ASSERT_EQ(Load(), true);
  EXPECT_TRUE(LedLib().UnloadLogiLedLib());
  EXPECT_TRUE(LedLib().UnloadLogiLedLib());
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_TRUE(sys->LoadedLibraries.empty());
  EXPECT_FALSE(LedLib().IsLoaded());
  for (std::size_t i = 0; i < kLedEntryPoints.size(); ++i) EXPECT_FALSE(LedLib().HasEntryPoint(i));
}

TEST_F(LedLibTest, NothingIsCalledOrLoadedForAnEpochThatAnUnloadHasEnded) {
  InstallLibrary();
  const auto epoch = LedLib().CurrentEpoch();
  ASSERT_EQ(LedLib().LoadLogiLedLib(epoch), true);
  LedLib().UnloadLogiLedLib();
  EXPECT_EQ(LedLib().LoadLogiLedLib(epoch), std::nullopt);
  EXPECT_EQ(sys->LibraryLoads.size(), 1u);
  ASSERT_EQ(Load(), true);
  EXPECT_EQ(LedLib().InitWithName(epoch), std::nullopt);
  EXPECT_EQ(LedLib().SetLighting(epoch, 1, 2, 3), std::nullopt);
  EXPECT_FALSE(LedLib().Shutdown(epoch));
  EXPECT_TRUE(led.Calls().empty());
  std::atomic<bool> flag{false};
  EXPECT_FALSE(LedLib().SetWhileCurrent(epoch, flag));
  EXPECT_FALSE(flag);
}

}  // namespace
}  // namespace backlight_test
