// One attempt of the start-up task, phase by phase, with its waits on the manual clock.
#include "backlight/init_led_sdk_task.h"

#include <gtest/gtest.h>

#include "backlight/logitech_led_lib.h"
#include "backlight_fixture.h"

namespace backlight_test {
namespace {

using backlight::IsLedSdkInitialized;
using backlight::IsLedSdkInitRunning;
using backlight::IsLedSdkLoaded;
using Lines = std::vector<std::string>;
using Waits = std::vector<unsigned>;

class TaskTest : public BacklightTest {};

TEST_F(TaskTest, WithTheVendorSoftwareRunningTheFirstAttemptLoadsAndInitialises) {
  InstallLibrary();
  VendorRuns();
  const os::WindowId vendorWindow{0x5001};
  sys->WindowTitles[os::WindowId{0x5000}] = L"Logitech G HUB";  // ordinary spaces: not the vendor's
  sys->WindowTitles[vendorWindow] = kVendorTitle;

  const Waits waits = Attempt();
  EXPECT_EQ(waits, (Waits{4000, 6000, 6000, 2000, 500}));
  EXPECT_EQ(led.Calls(), (Lines{"LogiLedInitWithName Halvarin for Logitech LED",
                                "LogiLedGetSdkVersion", "LogiLedSetTargetDevice 7"}));
  EXPECT_EQ(status, (std::vector<std::wstring>{kNotFound, kVersion + L": 9.0.12"}));
  EXPECT_TRUE(IsLedSdkLoaded);
  EXPECT_TRUE(IsLedSdkInitialized);
  EXPECT_FALSE(IsLedSdkInitRunning);
  EXPECT_EQ(backlight::LastLedSdkAttemptStamp, sys->Counter);
  EXPECT_EQ(sys->CloseRequests, std::vector<os::WindowId>{vendorWindow});
  EXPECT_EQ(core::LGHubCheckCount, 2);
  EXPECT_TRUE(backlight::LedSdkTaskEnded().IsSet());
}

TEST_F(TaskTest, WithoutTheVendorSoftwareTwoShortWaitsThenAStartAttemptEachTime) {
  InstallLibrary();
  VendorRuns(false);
  EXPECT_EQ(Attempt(), Waits{3000});
  EXPECT_EQ(Attempt(), Waits{3000});
  EXPECT_EQ(Attempt(), Waits{8000});  // not installed: the start does nothing
  EXPECT_EQ(Attempt(), Waits{8000});
  EXPECT_EQ(core::LGHubCheckCount, 4);
  EXPECT_FALSE(core::LGHubStarted);
  EXPECT_TRUE(shell->Executed.empty());
  EXPECT_TRUE(sys->LibraryLoads.empty());
  EXPECT_EQ(status, std::vector<std::wstring>(4, kNotFound));
}

TEST_F(TaskTest, TheThirdAttemptStartsAnInstalledVendorSoftwareOnce) {
  shell->AddFile(kVendorPath);
  VendorRuns(false);
  Attempt();
  Attempt();
  EXPECT_EQ(Attempt(), (Waits{2000, 500, 8000}));
  EXPECT_TRUE(core::LGHubStarted);
  ASSERT_EQ(shell->Executed.size(), 1u);
  EXPECT_EQ(shell->Executed[0].File, kVendorPath);
  EXPECT_EQ(shell->Executed[0].Verb, L"open");
  EXPECT_EQ(shell->Executed[0].Parameters, L"");
  EXPECT_EQ(shell->Executed[0].Directory, L"");
  EXPECT_EQ(shell->Executed[0].Owner, 0u);
  EXPECT_EQ(shell->Executed[0].ShowCommand, 6);  // SW_MINIMIZE
  EXPECT_EQ(Attempt(), Waits{});
  EXPECT_EQ(shell->Executed.size(), 1u);
}

TEST_F(TaskTest, NoStartWhileTheInstallerRuns) {
  shell->AddFile(kVendorPath);
  sys->ProcessNames = std::vector<std::wstring>{L"C:\\Temp\\LGHUB_Installer.exe"};
  for (int i = 0; i < 3; ++i) Attempt();
  EXPECT_FALSE(core::LGHubStarted);
  EXPECT_TRUE(shell->Executed.empty());
}

TEST_F(TaskTest, AFailedSnapshotCountsAsNotRunning) {
  InstallLibrary();
  sys->ProcessNames.reset();
  EXPECT_EQ(Attempt(), Waits{3000});
  EXPECT_EQ(core::LGHubCheckCount, 1);
  EXPECT_TRUE(sys->LibraryLoads.empty());
}

TEST_F(TaskTest, AFailedInitialisationShutsDownAndTheNextAttemptOnlyInitialises) {
  InstallLibrary();
  VendorRuns();
  led.InitResult = 0;
  EXPECT_EQ(Attempt(), (Waits{4000, 6000, 6000, 1000}));
  EXPECT_EQ(led.Calls(),
            (Lines{"LogiLedInitWithName Halvarin for Logitech LED", "LogiLedShutdown"}));
  EXPECT_EQ(status, (std::vector<std::wstring>{kNotFound, kInitFailed}));
  EXPECT_TRUE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);

  led.InitResult = 1;
  EXPECT_EQ(Attempt(), (Waits{6000, 2000, 500}));
  EXPECT_EQ(sys->LibraryLoads.size(), 1u);
  EXPECT_TRUE(IsLedSdkInitialized);
}

TEST_F(TaskTest, AZeroVersionOrTargetDeviceLeavesItUninitialisedForTheNextAttempt) {
  InstallLibrary();
  VendorRuns();
  sys->WindowTitles[os::WindowId{0x5001}] = kVendorTitle;
  led.VersionResult = 0;
  EXPECT_EQ(Attempt(), (Waits{4000, 6000, 6000, 2000}));
  EXPECT_EQ(led.Calls(),
            (Lines{"LogiLedInitWithName Halvarin for Logitech LED", "LogiLedGetSdkVersion"}));
  EXPECT_EQ(status, std::vector<std::wstring>{kNotFound});
  EXPECT_TRUE(sys->CloseRequests.empty());

  led.VersionResult = 1;
  led.TargetResult = 0;
  led.Major = 2, led.Minor = 10, led.Build = 301;
  EXPECT_EQ(Attempt(), (Waits{6000, 2000}));
  EXPECT_EQ(led.Calls().size(), 5u);  // initialised again, without a shutdown between
  EXPECT_EQ(led.Calls()[2], "LogiLedInitWithName Halvarin for Logitech LED");
  EXPECT_EQ(status.back(), kVersion + L": 2.10.301");
  EXPECT_FALSE(IsLedSdkInitialized);
  EXPECT_EQ(sys->CloseRequests.size(), 1u);  // closed whatever the target device said
}

TEST_F(TaskTest, ABrokenLibraryIsUnloadedAndTheAttemptStillEnds) {
  InstallLibrary(kFallbackName, "LogiLedSaveLightingForKey");
  VendorRuns();
  EXPECT_EQ(Attempt(), Waits{4000});
  EXPECT_FALSE(IsLedSdkInitRunning);
  EXPECT_EQ(backlight::LastLedSdkAttemptStamp, sys->Counter);
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_FALSE(backlight::LedLib().IsLoaded());

  InstallLibrary();  // mended: the next attempt loads afresh
  Attempt();
  EXPECT_EQ(sys->LibraryLoads.size(), 2u);
  EXPECT_TRUE(IsLedSdkInitialized);
}

TEST_F(TaskTest, ALibraryThatCannotBeLoadedEndsTheAttemptWithTheFirstText) {
  VendorRuns();
  EXPECT_EQ(Attempt(), Waits{4000});
  EXPECT_EQ(sys->LibraryLoads, std::vector<std::wstring>{kFallbackName});
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_EQ(status, std::vector<std::wstring>{kNotFound});
}

}  // namespace
}  // namespace backlight_test
