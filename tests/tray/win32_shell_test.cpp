// The real shell, under Wine as on Windows: the calls the shell icon list and the tray menu make.
#include "os/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "os/text.h"
#include "tray/sys_image_list.h"

namespace {

constexpr int kCsidlWindows = 0x24;

int CountProbeFiles(const std::wstring& folder) {
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW((folder + L"sil*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    ++n;
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return n;
}

class Win32ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    os::SetShell(&shell);
    tray::ResetSpecialFolderList();
  }
  void TearDown() override {
    tray::ResetSpecialFolderList();
    os::SetShell(nullptr);
  }
  os::win32::Win32Shell shell;
};

TEST_F(Win32ShellTest, SystemImageListPlacesFoldersDrivesAndShellNames) {
  tray::TSysImageList list;
  ASSERT_NE(list.Handle(), nullptr);
  const int count = list.ImageCount();
  ASSERT_GT(count, 0);
  EXPECT_EQ(list.ImageWidth(), ::GetSystemMetrics(SM_CXSMICON));

  // Folders, drives and shell places have icons of their own; Wine gives every file its first
  // icon, the generic document.
  const int folder = list.ImageIndexOf(L"C:\\windows", false);
  const int drive = list.ImageIndexOf(L"C:\\", false);
  const int recycleBin = list.ImageIndexOf(L"shell:::{645FF040-5081-101B-9F08-00AA002F954E}", false);
  const int file = list.ImageIndexOf(L"C:\\windows\\win.ini", false);
  EXPECT_GT(folder, 0);
  EXPECT_GT(drive, 0);
  EXPECT_GT(recycleBin, 0);
  EXPECT_NE(folder, drive);
  EXPECT_NE(folder, recycleBin);
  EXPECT_NE(file, folder) << "a file in the folder does not show the folder's icon";
  EXPECT_NE(file, drive);
  for (int index : {folder, drive, recycleBin, file}) EXPECT_LT(index, list.ImageCount());

  list.SetIconSize(tray::TIconSize::isLargeIcons);
  ASSERT_NE(list.Handle(), nullptr);
  EXPECT_EQ(list.ImageWidth(), ::GetSystemMetrics(SM_CXICON));
}

TEST_F(Win32ShellTest, WindowsFolderIsASpecialFolder) {
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  EXPECT_TRUE(os::EqualsIgnoreAsciiCase(tray::GetSpecialFolderPath(kCsidlWindows), windows));
  EXPECT_EQ(tray::FindSpecialFolderCSIDL(os::ToUpperAscii(windows) + L"\\"), kCsidlWindows);
}

TEST_F(Win32ShellTest, ProbeFilesAreCreatedOnlyNewAndAllRemoved) {
  const std::wstring temp = shell.TempFolder();
  ASSERT_FALSE(temp.empty());
  ASSERT_EQ(temp.back(), L'\\');
  const int before = CountProbeFiles(temp);

  const std::wstring reserved = shell.ReserveTempFileName(temp, L"sil");
  ASSERT_FALSE(reserved.empty());
  EXPECT_TRUE(shell.FileExists(reserved));
  EXPECT_FALSE(shell.CreateNewFile(reserved)) << "an existing file is left alone";
  EXPECT_TRUE(shell.CreateNewFile(reserved + L".halvarinprobe"));
  EXPECT_TRUE(shell.RemoveFile(reserved + L".halvarinprobe"));
  EXPECT_TRUE(shell.RemoveFile(reserved));
  EXPECT_FALSE(shell.FileExists(reserved));
  EXPECT_FALSE(shell.FileExists(temp)) << "a folder is no file";

  tray::TSysImageList list;
  const int index = list.ImageIndexOf(L"C:\\nowhere\\model.halvarinprobe", false);
  EXPECT_LT(index, list.ImageCount());
  EXPECT_EQ(CountProbeFiles(temp), before);
  // The probe answers what a real file of the type shows, not what its folder shows.
  const std::wstring real = temp + L"real.halvarinprobe";
  ASSERT_TRUE(shell.CreateNewFile(real));
  const int realIndex = list.ImageIndexOf(real, false);
  EXPECT_TRUE(shell.RemoveFile(real));
  EXPECT_EQ(index, realIndex);
  EXPECT_NE(index, list.ImageIndexOf(temp, false));
}

TEST_F(Win32ShellTest, DrivesAndTheirLabels) {
  const std::vector<std::wstring> drives = shell.LogicalDrives();
  ASSERT_FALSE(drives.empty());
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
  for (const std::wstring& root : drives) {
    EXPECT_EQ(root.size(), 3u);
    EXPECT_EQ(root.substr(1), L":\\");
  }
  EXPECT_TRUE(std::any_of(drives.begin(), drives.end(),
                          [](const std::wstring& d) { return os::EqualsIgnoreAsciiCase(d, L"C:\\"); }));
  EXPECT_EQ(shell.DriveType(L"C:\\"), os::kDriveFixed);

  std::wstring unused;
  for (wchar_t letter = L'Y'; letter > L'D' && unused.empty(); --letter) {
    const std::wstring root = std::wstring(1, letter) + L":\\";
    if (std::find(drives.begin(), drives.end(), root) == drives.end()) unused = root;
  }
  ASSERT_FALSE(unused.empty());
  EXPECT_EQ(shell.VolumeLabel(unused), L"");
  EXPECT_EQ(shell.DriveType(unused), os::kDriveNoRootDir);
}

TEST_F(Win32ShellTest, UserFolders) {
  EXPECT_FALSE(shell.SpecialFolderPath(os::kCsidlPersonal).empty());
  EXPECT_FALSE(shell.DownloadsFolderPath().empty());
  EXPECT_EQ(shell.SpecialFolderPath(0x7F), L"") << "no such CSIDL";
}

}  // namespace
