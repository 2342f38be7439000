#include <gtest/gtest.h>

#include "core/common.h"
#include "core/startup.h"
#include "support/fake_system.h"
#include "support/program_state.h"

namespace {

using testing_support::ScopedFakeSystem;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::ResetProgramState(); }
  void TearDown() override { testing_support::ResetProgramState(); }
  ScopedFakeSystem sys;
};

TEST_F(StartupTest, PortableModeKeepsEverythingBesideTheExecutable) {
  sys->AddFile(L"C:\\Programs\\Halvarin\\portable.txt", "");  // an empty marker counts
  core::PrepareWorkFolders();
  EXPECT_EQ(core::PathProgram, L"C:\\Programs\\Halvarin\\");
  EXPECT_EQ(core::PathWorkSpace, L"C:\\Programs\\Halvarin\\");
  EXPECT_EQ(core::PathSettings, L"C:\\Programs\\Halvarin\\Settings\\");
  EXPECT_EQ(core::FileSettings, L"C:\\Programs\\Halvarin\\Settings\\settings.json");
  EXPECT_EQ(core::PathLog, L"C:\\Programs\\Halvarin\\Log\\");
  EXPECT_EQ(core::FileLog, L"C:\\Programs\\Halvarin\\Log\\Halvarin.log");
  EXPECT_TRUE(sys->DirectoryExists(L"C:\\Programs\\Halvarin\\Settings"));
  EXPECT_TRUE(sys->DirectoryExists(L"C:\\Programs\\Halvarin\\Log"));
  EXPECT_TRUE(sys->FilesIn(L"C:\\Programs\\Halvarin\\Log").empty());
}

TEST_F(StartupTest, WithoutTheMarkerTheWorkFolderIsUnderRoamingAppData) {
  core::PrepareWorkFolders();
  const std::wstring work = L"C:\\Users\\user\\AppData\\Roaming\\Qorvane\\Halvarin\\WorkSpace\\";
  EXPECT_EQ(core::PathWorkSpace, work);
  EXPECT_EQ(core::FileSettings, work + L"Settings\\settings.json");
  EXPECT_TRUE(sys->DirectoryExists(work + L"Settings"));
  EXPECT_TRUE(sys->DirectoryExists(work + L"Log"));
}

TEST_F(StartupTest, AFolderNamedLikeTheMarkerDoesNotCount) {
  sys->AddFolder(L"C:\\Programs\\Halvarin\\portable.txt");
  core::PrepareWorkFolders();
  EXPECT_EQ(core::PathWorkSpace,
            L"C:\\Users\\user\\AppData\\Roaming\\Qorvane\\Halvarin\\WorkSpace\\");
}

TEST_F(StartupTest, MissingAppDataFolderGivesAFolderUnderTheDriveRoot) {
  sys->Folders.erase(0x1A);
  core::PrepareWorkFolders();
  EXPECT_EQ(core::PathWorkSpace, L"\\Qorvane\\Halvarin\\WorkSpace\\");
}

TEST_F(StartupTest, WindowsAndSystemFoldersGetABackslashEvenWhenUnknown) {
  core::PrepareWorkFolders();
  EXPECT_EQ(core::PathWindows, L"C:\\Windows\\");
  EXPECT_EQ(core::PathSystem, L"C:\\Windows\\system32\\");
  sys->Folders.clear();
  core::PrepareWorkFolders();
  EXPECT_EQ(core::PathWindows, L"\\");
  EXPECT_EQ(core::PathSystem, L"\\");
}

TEST_F(StartupTest, FolderCreationFailureIsIgnored) {
  sys->AddFile(L"C:\\Programs\\Halvarin\\portable.txt", "");
  sys->FailFolders.insert(L"C:\\PROGRAMS\\HALVARIN\\SETTINGS");
  core::PrepareWorkFolders();
  EXPECT_FALSE(sys->DirectoryExists(L"C:\\Programs\\Halvarin\\Settings"));
  EXPECT_TRUE(sys->DirectoryExists(L"C:\\Programs\\Halvarin\\Log"));
}

TEST_F(StartupTest, OnlyTheFirstInstanceGoesOn) {
  EXPECT_FALSE(core::IsAnotherInstance());
  EXPECT_EQ(sys->OpenMutexes.count(L"Halvarin"), 1u);
  // Another process of the session now finds the mutex.
  bool existed = false;
  auto other = sys->CreateNamedMutex(L"Halvarin", existed);
  EXPECT_TRUE(existed);
  core::ReleaseInstanceMutex();
  EXPECT_EQ(sys->OpenMutexes.count(L"Halvarin"), 0u);
}

TEST_F(StartupTest, ASecondInstanceOrAFailedMutexEndsTheProcess) {
  bool existed = false;
  auto first = sys->CreateNamedMutex(L"Halvarin", existed);
  EXPECT_TRUE(core::IsAnotherInstance());
  core::ReleaseInstanceMutex();
  first.reset();

  sys->MutexCreationFails = true;
  EXPECT_TRUE(core::IsAnotherInstance());
}

}  // namespace
