// A file replaced while another process reads it, as a virus scanner, an indexer or a sync tool
// does for a moment: under Wine with its real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "os/error.h"
#include "os/win32/win32_system.h"

namespace {

class Win32FileReplace : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"halvarin_replace_" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    target = folder + L"\\settings.json";
    source = target + L".tmp";
    sys.WriteFile(target, "old");
    sys.WriteFile(source, "new");
  }
  void TearDown() override {
    ::DeleteFileW(source.c_str());
    ::DeleteFileW(target.c_str());
    ::RemoveDirectoryW(folder.c_str());
  }
  // The target opened as a reader opens it, letting everyone read, write and delete it.
  HANDLE OpenAsReader() const {
    return ::CreateFileW(target.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  os::win32::Win32System sys;
  std::wstring folder, target, source;
};

TEST_F(Win32FileReplace, AReaderThatLetsGoSoonDoesNotLoseTheSave) {
  const HANDLE reader = OpenAsReader();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::thread letGo([reader] {
    ::Sleep(150);
    ::CloseHandle(reader);
  });
  std::wstring error;
  try {
    sys.MoveFileReplace(source, target);
  } catch (const os::Error& e) {
    error = e.Message();
  }
  letGo.join();
  EXPECT_EQ(error, L"");
  EXPECT_EQ(sys.ReadFile(target), "new");
  EXPECT_EQ(::GetFileAttributesW(source.c_str()), INVALID_FILE_ATTRIBUTES) << "moved, not copied";
}

TEST_F(Win32FileReplace, AReaderThatHoldsOnMakesTheReplaceFailAndKeepsBothFiles) {
  const HANDLE reader = OpenAsReader();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_THROW(sys.MoveFileReplace(source, target), os::Error);
  ::CloseHandle(reader);
  EXPECT_EQ(sys.ReadFile(target), "old");
  EXPECT_EQ(sys.ReadFile(source), "new");
}

}  // namespace
