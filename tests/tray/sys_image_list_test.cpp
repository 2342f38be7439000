// The shell icon list on a scripted shell: which query answers which path, the probe of file
// types that the shell only knows from a real file, and the special-folder lookup.
#include "tray/sys_image_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <functional>
#include <future>
#include <memory>
#include <vector>
#include <stdexcept>
#include <thread>
#include <utility>

#include <windows.h>

#include "support/fake_shell.h"

namespace {

using testing_support::FakeShell;
using testing_support::IconQuery;
using testing_support::ScopedFakeShell;
using tray::TIconSet;
using tray::TIconSize;
using tray::TSysImageList;

constexpr int kCsidlPersonal = 0x05;
constexpr int kCsidlMyDocuments = 0x0C;
constexpr int kCsidlDesktop = 0x00;
constexpr int kCsidlDesktopDirectory = 0x10;
constexpr int kCsidlWindows = 0x24;
constexpr wchar_t kDocuments[] = L"C:\\Users\\user\\Documents";

// Runs fn on a thread of its own and tells whether it came back in time: a lock taken twice
// shows as a timeout instead of a hung test run. Exceptions of fn are passed on.
bool RunsWithin(std::chrono::milliseconds limit, std::function<void()> fn) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  std::thread([fn = std::move(fn), done] {
    try {
      fn();
      done->set_value();
    } catch (...) {
      done->set_exception(std::current_exception());
    }
  }).detach();
  // The wait keeps this thread's messages flowing and allows a generous limit: in parallel runs
  // the worker was seen, once in many runs, to need more than 5 s, perhaps held at the loader
  // by another thread of the process that was sending this one a message. A lock taken twice
  // by the worker still never comes back.
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (finished.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  finished.get();
  return true;
}

size_t CountQueries(const FakeShell& shell, IconQuery::Kind kind) {
  size_t n = 0;
  for (const IconQuery& q : shell.IconQueries) n += q.What == kind ? 1 : 0;
  return n;
}

class SysImageListTest : public ::testing::Test {
 protected:
  ScopedFakeShell shell;
};

// --- Shell parse

TEST_F(SysImageListTest, NamesTheShellParsesGiveTheirOwnIcon) {
  struct Case {
    const wchar_t* path;
    int icon;
  } cases[] = {
      {L"C:\\Program Files", 3},                                     // folder
      {L"D:\\", 8},                                                  // drive root
      {L"shell:::{645FF040-5081-101B-9F08-00AA002F954E}", 31},       // recycle bin
      {L"C:\\data\\report.txt", 70},                                 // existing file
  };
  shell->FileTypeIcons[L"*.txt"] = 2;  // the type's icon must not win over the file's own
  for (const Case& c : cases) shell->NameIcons[c.path] = c.icon;
  TSysImageList list;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.path, c.path + wcslen(c.path)));
    shell->IconQueries.clear();
    EXPECT_EQ(list.ImageIndexOf(c.path, false), c.icon);
    ASSERT_EQ(CountQueries(*shell, IconQuery::Kind::Name), 1u);
    EXPECT_EQ(CountQueries(*shell, IconQuery::Kind::FileType), 0u);
    EXPECT_EQ(shell->IconQueries.back().Flags, os::kIconSmall);
  }
  EXPECT_TRUE(shell->ReservedFiles.empty());
}

TEST_F(SysImageListTest, ParsedNameWithoutIconGivesZeroAndStops) {
  shell->NameIcons[L"C:\\odd\\thing.xyz"] = -1;
  shell->FileTypeIcons[L"*.xyz"] = 5;
  TSysImageList list;
  EXPECT_EQ(list.ImageIndexOf(L"C:\\odd\\thing.xyz", false), 0);
  EXPECT_EQ(CountQueries(*shell, IconQuery::Kind::FileType), 0u);
  EXPECT_TRUE(shell->ReservedFiles.empty());
}

TEST_F(SysImageListTest, IconSizeAndOpenFlagReachTheShell) {
  shell->SmallImageList = 0x1000;
  shell->LargeImageList = 0x2000;
  shell->NameIcons[L"C:\\Folder"] = 4;
  TSysImageList list;
  EXPECT_EQ(list.Handle(), reinterpret_cast<HIMAGELIST>(0x1000));

  list.SetIconSize(TIconSize::isLargeIcons);
  EXPECT_EQ(list.Handle(), reinterpret_cast<HIMAGELIST>(0x2000));
  EXPECT_EQ(shell->ImageListQueries, (std::vector<unsigned>{os::kIconSmall, os::kIconLarge}));

  list.ImageIndexOf(L"C:\\Folder", true);
  EXPECT_EQ(shell->IconQueries.back().Flags, os::kIconLarge | os::kIconOpen);
}

TEST_F(SysImageListTest, SettingTheCurrentValueDoesNotRebuild) {
  TSysImageList list;
  list.SetIconSet(TIconSet::isSystem);
  list.SetIconSize(TIconSize::isSmallIcons);
  EXPECT_EQ(shell->ImageListQueries.size(), 1u);
}

// --- Missing files: by type, then by probe

TEST_F(SysImageListTest, MissingFileOfAKnownTypeGivesTheTypeIconWithoutProbe) {
  shell->FileTypeIcons[L"*.pdf"] = 12;
  TSysImageList list;
  EXPECT_EQ(list.ImageIndexOf(L"C:\\nowhere\\manual.pdf", true), 12);
  ASSERT_EQ(CountQueries(*shell, IconQuery::Kind::FileType), 1u);
  EXPECT_EQ(shell->IconQueries.back().Name, L"*.pdf");
  EXPECT_EQ(shell->IconQueries.back().Flags, os::kIconSmall | os::kIconOpen);
  EXPECT_TRUE(shell->ReservedFiles.empty());
}

TEST(SysImageListProbe, UnknownTypeIsProbedWithARealFileThatIsRemovedAfterwards) {
  // The type query has no answer in one case and answers the first icon in the other.
  for (bool typeAnswers : {false, true}) {
    SCOPED_TRACE(typeAnswers ? "type query gives 0" : "type query fails");
    ScopedFakeShell fresh;
    if (typeAnswers) fresh->FileTypeIcons[L"*.xyz"] = 0;
    fresh->ExistingFileIcons[L".xyz"] = 42;
    TSysImageList list;

    EXPECT_EQ(list.ImageIndexOf(L"C:\\nowhere\\model.xyz", false), 42);

    ASSERT_EQ(fresh->ReservedFiles.size(), 1u);
    const std::wstring reserved = fresh->ReservedFiles[0];
    EXPECT_EQ(reserved.rfind(fresh->Temp + L"sil", 0), 0u) << "reserved in the temporary folder";
    EXPECT_EQ(fresh->CreatedFiles, std::vector<std::wstring>{reserved + L".xyz"});
    EXPECT_EQ(fresh->IconQueries.back().Name, reserved + L".xyz");
    EXPECT_TRUE(fresh->FilesIn(fresh->Temp).empty());
  }
}

TEST_F(SysImageListTest, ProbeThatTheShellCannotPlaceGivesZeroAndLeavesNoFile) {
  TSysImageList list;
  EXPECT_EQ(list.ImageIndexOf(L"C:\\nowhere\\model.xyz", false), 0);
  EXPECT_EQ(shell->CreatedFiles.size(), 1u) << "the probe ran";
  EXPECT_TRUE(shell->FilesIn(shell->Temp).empty());
}

TEST_F(SysImageListTest, ProbeThatThrowsStillCleansUpAndReleasesItsTurn) {
  shell->ExistingFileIcons[L".xyz"] = 42;
  shell->OnIconQuery = [&](const IconQuery& q) {
    if (q.Name.rfind(shell->Temp, 0) == 0 && shell->CreatedFiles.size() == 1) {
      throw std::runtime_error("shell failure");
    }
  };
  TSysImageList list;
  EXPECT_THROW(list.ImageIndexOf(L"C:\\nowhere\\a.xyz", false), std::runtime_error);
  EXPECT_TRUE(shell->FilesIn(shell->Temp).empty());

  // The next probe, from another thread, must get its turn.
  int second = -1;
  ASSERT_TRUE(RunsWithin(std::chrono::seconds(30),
                         [&] { second = list.ImageIndexOf(L"C:\\nowhere\\b.xyz", false); }));
  EXPECT_EQ(second, 42);
  EXPECT_TRUE(shell->FilesIn(shell->Temp).empty());
}

TEST_F(SysImageListTest, ProbeNeverDeletesAFileItDidNotCreate) {
  // The fake reserves sil1.tmp next; a file of the probe's name is there already.
  const std::wstring existing = shell->Temp + L"sil1.tmp.xyz";
  shell->AddFile(existing);
  shell->ExistingFileIcons[L".xyz"] = 42;
  TSysImageList list;
  EXPECT_EQ(list.ImageIndexOf(L"C:\\nowhere\\a.xyz", false), 42) << "the existing file's icon";
  EXPECT_TRUE(shell->CreatedFiles.empty());
  EXPECT_EQ(shell->FilesIn(shell->Temp), std::vector<std::wstring>{L"sil1.tmp.xyz"});
}

TEST(SysImageListProbe, ProbeIsSkippedWhenNoNameCanBeReserved) {
  for (bool noTempFolder : {false, true}) {
    SCOPED_TRACE(noTempFolder ? "no temporary folder" : "reservation fails");
    ScopedFakeShell fresh;
    if (noTempFolder) {
      fresh->Temp.clear();
    } else {
      fresh->ReserveFails = true;
    }
    fresh->ExistingFileIcons[L".xyz"] = 42;
    TSysImageList list;
    EXPECT_EQ(list.ImageIndexOf(L"C:\\nowhere\\a.xyz", false), 0);
    EXPECT_TRUE(fresh->CreatedFiles.empty());
  }
}

TEST_F(SysImageListTest, NamesWithoutAUsableExtensionGiveZeroWithoutProbe) {
  shell->AddFile(L"C:\\data\\odd.xyz");  // exists, but the shell cannot parse it
  shell->ExistingFileIcons.clear();
  shell->FileTypeIcons[L"*."] = 9;
  shell->FileTypeIcons[L"*.t*t"] = 9;
  const wchar_t* paths[] = {
      L"C:\\nowhere\\README",     // no extension
      L".xyz",                    // only a dot and an extension
      L"C:\\dir.d\\file",         // the dot belongs to a folder
      L"C:\\data\\odd.xyz",       // an existing file is never probed
      L"C:\\nowhere\\file.",      // a name cannot end in a dot
      L"C:\\nowhere\\a.t*t",      // nor hold a wildcard
  };
  TSysImageList list;
  for (const wchar_t* path : paths) {
    SCOPED_TRACE(testing::Message() << std::string(path, path + wcslen(path)));
    shell->IconQueries.clear();
    EXPECT_EQ(list.ImageIndexOf(path, false), 0);
    EXPECT_EQ(CountQueries(*shell, IconQuery::Kind::FileType), 0u);
  }
  EXPECT_TRUE(shell->ReservedFiles.empty());
}

TEST_F(SysImageListTest, EmptyPathGivesZeroWithoutAskingTheShell) {
  TSysImageList list;
  EXPECT_EQ(list.ImageIndexOf(L"", false), 0);
  EXPECT_TRUE(shell->IconQueries.empty());
  EXPECT_TRUE(shell->FolderPathQueries.empty()) << "the special-folder list is not built";
}

TEST(IsMissingFileWithExt, LooksOnlyAtTheLastNameAndAtTheDisk) {
  ScopedFakeShell shell;
  shell->AddFile(L"C:\\data\\there.txt");
  struct Case {
    const wchar_t* name;
    bool missing;
  } cases[] = {
      {L"C:\\data\\gone.txt", true},  {L"C:\\data\\there.txt", false},
      {L"C:\\data.d\\file", false},   {L"C:\\data\\file", false},
      {L".txt", false},               {L"", false},
      {L"C:gone.txt", true},          {L"C:\\a.b:stream", false},
      {L"docs/a.b/file", false},      {L"docs/file.md", true},
      {L"C:\\data\\.profile", true},  // a leading dot of the last name is still an extension
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tray::IsMissingFileWithExt(c.name), c.missing)
        << std::string(c.name, c.name + wcslen(c.name));
  }
}

TEST(GetTempFileNameWithExt, ReservesAUniqueNameInTheTemporaryFolder) {
  ScopedFakeShell shell;
  const std::wstring first = tray::GetTempFileNameWithExt(L"sil", L".xyz");
  const std::wstring second = tray::GetTempFileNameWithExt(L"sil", L".xyz");
  ASSERT_EQ(shell->ReservedFiles.size(), 2u);
  EXPECT_EQ(first, shell->ReservedFiles[0] + L".xyz");
  EXPECT_EQ(second, shell->ReservedFiles[1] + L".xyz");
  EXPECT_NE(first, second);
  EXPECT_TRUE(shell->HasFile(shell->ReservedFiles[0])) << "the name stays reserved on disk";

  shell->ReserveFails = true;
  EXPECT_EQ(tray::GetTempFileNameWithExt(L"sil", L".xyz"), L"");
}

// --- Special folders

TEST_F(SysImageListTest, SpecialFolderMatchesInAnyCaseWithOrWithoutBackslash) {
  shell->SpecialFolders[kCsidlPersonal] = std::wstring(kDocuments) + L"\\";
  shell->SpecialFolders[kCsidlWindows] = L"C:\\Users\\J\u00F6rg\\Windows";
  shell->SpecialFolderIcons[kCsidlPersonal] = 20;
  shell->SpecialFolderIcons[kCsidlWindows] = 21;
  struct Case {
    const wchar_t* path;
    int icon;
  } cases[] = {
      {L"C:\\Users\\user\\Documents", 20},
      {L"c:\\USERS\\user\\documents\\", 20},
      {L"C:\\USERS\\J\u00D6RG\\WINDOWS", 21},  // letter case outside ASCII as well
  };
  TSysImageList list;
  for (const Case& c : cases) {
    shell->IconQueries.clear();
    EXPECT_EQ(list.ImageIndexOf(c.path, false), c.icon);
    ASSERT_EQ(shell->IconQueries.size(), 1u) << "no shell parse after the special folder";
    EXPECT_EQ(shell->IconQueries[0].What, IconQuery::Kind::SpecialFolder);
  }

  shell->IconQueries.clear();
  list.ImageIndexOf(L"C:\\Users\\user\\Documents\\Letters", false);
  EXPECT_EQ(CountQueries(*shell, IconQuery::Kind::SpecialFolder), 0u) << "only the whole path";
}

TEST_F(SysImageListTest, SpecialFolderWithoutLocationGivesWayToTheShellParse) {
  shell->SpecialFolders[kCsidlPersonal] = kDocuments;
  shell->NameIcons[kDocuments] = 9;
  TSysImageList list;
  EXPECT_EQ(list.ImageIndexOf(kDocuments, false), 9);
}

TEST_F(SysImageListTest, SpecialFolderIconZeroIsKept) {
  shell->SpecialFolders[kCsidlPersonal] = kDocuments;
  shell->SpecialFolderIcons[kCsidlPersonal] = 0;
  shell->NameIcons[kDocuments] = 9;
  TSysImageList list;
  EXPECT_EQ(list.ImageIndexOf(kDocuments, false), 0);
}

TEST(FindSpecialFolderCSIDL, SharedPathKeepsTheCsidlEarlierInTheTable) {
  ScopedFakeShell shell;
  // The table lists CSIDL_MYDOCUMENTS before CSIDL_PERSONAL, although its number is higher.
  shell->SpecialFolders[kCsidlPersonal] = kDocuments;
  shell->SpecialFolders[kCsidlMyDocuments] = kDocuments;
  shell->SpecialFolders[kCsidlDesktop] = L"C:\\Users\\user\\Desktop";
  shell->SpecialFolders[kCsidlDesktopDirectory] = L"C:\\Users\\user\\Desktop\\";
  EXPECT_EQ(tray::FindSpecialFolderCSIDL(kDocuments), kCsidlMyDocuments);
  EXPECT_EQ(tray::FindSpecialFolderCSIDL(L"C:\\Users\\user\\Desktop"), kCsidlDesktop);
  EXPECT_EQ(tray::FindSpecialFolderCSIDL(L"C:\\Users\\user"), -1);
}

TEST(FindSpecialFolderCSIDL, ListIsBuiltOnceFromEveryCsidl) {
  ScopedFakeShell shell;
  shell->SpecialFolders[kCsidlWindows] = L"C:\\Windows";
  EXPECT_EQ(tray::FindSpecialFolderCSIDL(L""), -1);
  EXPECT_TRUE(shell->FolderPathQueries.empty());

  EXPECT_EQ(tray::FindSpecialFolderCSIDL(L"C:\\Windows"), kCsidlWindows);
  EXPECT_EQ(tray::FindSpecialFolderCSIDL(L"C:\\Temp"), -1);
  // Every special folder once, in the order that settles a path several of them share:
  // CSIDL_ADMINTOOLS, CSIDL_ALTSTARTUP, ... CSIDL_WINDOWS, by name, whatever their numbers.
  const std::vector<int> everyCsidlInTableOrder = {
      0x30, 0x1D, 0x1A, 0x0A, 0x3B, 0x2F, 0x1E, 0x23, 0x19, 0x2E, 0x1F, 0x35, 0x3A, 0x36, 0x17,
      0x16, 0x18, 0x2D, 0x37, 0x3D, 0x31, 0x03, 0x21, 0x00, 0x10, 0x11, 0x06, 0x14, 0x22, 0x01,
      0x20, 0x1C, 0x0C, 0x0D, 0x27, 0x0E, 0x13, 0x12, 0x05, 0x04, 0x1B, 0x28, 0x3E, 0x26, 0x2A,
      0x2B, 0x2C, 0x02, 0x08, 0x38, 0x39, 0x09, 0x0B, 0x07, 0x25, 0x29, 0x15, 0x24};
  ASSERT_EQ(everyCsidlInTableOrder.size(), 58u);
  EXPECT_EQ(shell->FolderPathQueries, everyCsidlInTableOrder);

  // Kept for the run: a folder that moves later is still found at its old place.
  shell->SpecialFolders[kCsidlWindows] = L"D:\\Windows";
  EXPECT_EQ(tray::FindSpecialFolderCSIDL(L"C:\\Windows"), kCsidlWindows);
  EXPECT_EQ(tray::FindSpecialFolderCSIDL(L"D:\\Windows"), -1);
}

// --- Coming back in from inside a shell call (a message dispatched while the shell works)

TEST_F(SysImageListTest, LookupFromInsideTheSpecialFolderFillDoesNotDeadlock) {
  shell->SpecialFolders[kCsidlPersonal] = kDocuments;
  shell->SpecialFolderIcons[kCsidlPersonal] = 20;
  TSysImageList list;
  int nested = -1;
  bool reentered = false;
  shell->OnFolderPathQuery = [&](int) {
    if (std::exchange(reentered, true)) return;
    nested = list.ImageIndexOf(kDocuments, false);
  };
  int outer = -1;
  ASSERT_TRUE(RunsWithin(std::chrono::seconds(30),
                         [&] { outer = list.ImageIndexOf(kDocuments, false); }));
  EXPECT_EQ(outer, 20);
  EXPECT_EQ(nested, 20);
}

TEST_F(SysImageListTest, ProbeFromInsideAProbeDoesNotDeadlock) {
  shell->ExistingFileIcons[L".xyz"] = 42;
  shell->ExistingFileIcons[L".qqq"] = 43;
  TSysImageList list;
  int nested = -1;
  bool reentered = false;
  shell->OnIconQuery = [&](const IconQuery& q) {
    if (q.Name.rfind(shell->Temp, 0) != 0 || std::exchange(reentered, true)) return;
    nested = list.ImageIndexOf(L"C:\\nowhere\\b.qqq", false);
  };
  int outer = -1;
  ASSERT_TRUE(RunsWithin(std::chrono::seconds(30),
                         [&] { outer = list.ImageIndexOf(L"C:\\nowhere\\a.xyz", false); }));
  EXPECT_EQ(outer, 42);
  EXPECT_EQ(nested, 43);
  EXPECT_EQ(shell->ReservedFiles.size(), 2u);
  EXPECT_TRUE(shell->FilesIn(shell->Temp).empty());
}

}  // namespace
