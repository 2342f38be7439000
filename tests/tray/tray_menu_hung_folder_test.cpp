// The tray menu with a user folder or a shell place that does not answer (a Documents folder
// redirected to a server of a network the laptop is no longer on): the menu still opens, with
// everything else it shows, and the folder's item still opens the folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tray/ask_gate.h"
#include "tray/data_module.h"
#include "tray/sys_image_list.h"
#include "tray/tray_menu_fixture.h"

namespace {

using namespace std::chrono_literals;
using testing_support::IconQuery;
using tray::DM;
using tray_testing::Gate;

constexpr wchar_t kDocuments[] = L"C:\\Users\\user\\Documents";
constexpr wchar_t kPictures[] = L"C:\\Users\\user\\Pictures";
constexpr wchar_t kRecycleBin[] = L"shell:::{645FF040-5081-101B-9F08-00AA002F954E}";

// Where the shell stops answering.
enum class Hang { DocumentsPath, DocumentsIcon, RecycleBinIcon };

struct HangCase {
  const char* name;
  Hang where;
};

class TrayMenuHungFolder : public tray_testing::TrayMenu {
 protected:
  void SetUp() override {
    TrayMenu::SetUp();
    shell->Drives = {L"C:\\"};
    shell->Labels[L"C:\\"] = L"System";
    shell->NameIcons[kDocuments] = 21;
    shell->NameIcons[kPictures] = 24;
    shell->NameIcons[kRecycleBin] = 11;
    // The special-folder list is read once per run, before the network went away.
    tray::FindSpecialFolderCSIDL(L"C:\\");
    DM->DriveAnswerTime = 3s;  // long for the answering asks; far below the gate's hold
  }

  void TearDown() override {
    // No asking thread may be left in the scripted shell when it goes: the held ask is done
    // once the menu asks anew, and that ask, like the others, is waited for.
    m_gate->Open();
    EXPECT_TRUE(m_gate->Empty(30s));
    if (m_asks) {
      const std::size_t asked = m_asks();
      DM->DriveAnswerTime = 10s;
      EXPECT_TRUE(PumpUntil([&] {
        DM->PopupMenu.Prepare();
        return m_asks() > asked;
      }, 30000));
    }
    TrayMenu::TearDown();
  }

  void HangAt(Hang where) {
    auto gate = m_gate;
    if (where == Hang::DocumentsPath) {
      shell->OnFolderPathQuery = [gate](int csidl) {
        if (csidl == os::kCsidlPersonal && gate->Closed()) gate->Hold();
      };
      m_asks = [this] { return shell->FolderPathAsks(os::kCsidlPersonal); };
      return;
    }
    const std::wstring name = where == Hang::DocumentsIcon ? kDocuments : kRecycleBin;
    shell->OnIconQuery = [gate, name](const IconQuery& query) {
      if (query.Name == name && gate->Closed()) gate->Hold();
    };
    m_asks = [this, name] { return shell->NameQueries(name); };
  }

  std::shared_ptr<Gate> m_gate = std::make_shared<Gate>();
  std::function<std::size_t()> m_asks;  // how often the held thing was asked
};

class TrayMenuHungFolderCases : public TrayMenuHungFolder,
                                public ::testing::WithParamInterface<HangCase> {};

TEST_P(TrayMenuHungFolderCases, TheMenuOpensWhileTheAskIsHeldWithEverythingElse) {
  const Hang where = GetParam().where;
  HangAt(where);
  DM->PopupMenu.Prepare();
  // Back while the shell still holds the ask: a menu that waited came back only with the gate.
  EXPECT_FALSE(m_gate->HeldTheTestThread()) << "the UI thread asked what does not answer";
  EXPECT_EQ(m_gate->Inside(), 1) << "the menu waited for the held ask";
  const bool documentsHeld = where != Hang::RecycleBinIcon;
  EXPECT_EQ(DM->pmm_Documents->ImageIndex, documentsHeld ? 0 : 21);
  EXPECT_EQ(DM->pmm_RecycleBin->ImageIndex, documentsHeld ? 11 : 0);
  EXPECT_EQ(DM->pmm_Pictures->ImageIndex, 24);
  EXPECT_EQ(DriveCaptions(), std::vector<std::wstring>{L"C:\\   [ SYSTEM ]"});

  // Chosen: the folder whose path has not come opens by its shell name, which explorer.exe
  // resolves in its own process; an answered folder by its path.
  ASSERT_TRUE(Choose(DM->pmm_Documents));
  EXPECT_EQ(LastCommand().File, L"explorer.exe");
  EXPECT_EQ(LastCommand().Parameters, documentsHeld ? L"shell:Personal" : kDocuments);
  ASSERT_TRUE(Choose(DM->pmm_Pictures));
  EXPECT_EQ(LastCommand().Parameters, kPictures);
  EXPECT_EQ(m_gate->Inside(), 1) << "held once, however often the menu opens";
  EXPECT_FALSE(m_gate->HeldTheTestThread()) << "the click asked what does not answer";
}

INSTANTIATE_TEST_SUITE_P(Hangs, TrayMenuHungFolderCases,
                         ::testing::Values(HangCase{"DocumentsPath", Hang::DocumentsPath},
                                           HangCase{"DocumentsIcon", Hang::DocumentsIcon},
                                           HangCase{"RecycleBinIcon", Hang::RecycleBinIcon}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayMenuHungFolder, AFolderThatStopsAnsweringShowsAndOpensWhatItAnsweredBefore) {
  HangAt(Hang::DocumentsPath);
  m_gate->Open();
  DM->PopupMenu.Prepare();
  ASSERT_EQ(DM->pmm_Documents->ImageIndex, 21);
  m_gate->Close();
  shell->SpecialFolders[os::kCsidlPersonal] = L"\\\\server\\home\\Documents";  // what it says now
  ASSERT_TRUE(Choose(DM->pmm_Documents));
  EXPECT_EQ(m_gate->Inside(), 1);
  EXPECT_FALSE(m_gate->HeldTheTestThread());
  EXPECT_EQ(DM->pmm_Documents->ImageIndex, 21);
  EXPECT_EQ(LastCommand().Parameters, kDocuments);
}

TEST_F(TrayMenuHungFolder, ANamedFolderThatHasNeverAnsweredOpensByItsShellName) {
  // Each user folder's shell name, quoted where explorer.exe would split it.
  const std::vector<std::pair<ui::MenuItem* tray::TDM::*, std::wstring>> folders{
      {&tray::TDM::pmm_Documents, L"shell:Personal"},
      {&tray::TDM::pmm_Downloads, L"shell:Downloads"},
      {&tray::TDM::pmm_Movies, L"\"shell:My Video\""},
      {&tray::TDM::pmm_Music, L"\"shell:My Music\""},
      {&tray::TDM::pmm_Pictures, L"\"shell:My Pictures\""}};
  for (const auto& [item, parameter] : folders) {
    // No popup yet: the click has no path, and reads none on the UI thread.
    shell->FolderPathQueries.clear();
    (DM->*item)->OnClick(*(DM->*item));
    EXPECT_EQ(LastCommand().Parameters, parameter);
    EXPECT_TRUE(shell->FolderPathQueries.empty());
  }
}

// Every shell call of the popup (the labels, the paths and every icon) fails critical errors at
// once: a card reader or an optical drive without its medium raises no "insert a disk" box.
TEST_F(TrayMenuHungFolder, EveryShellCallOfThePopupFailsCriticalErrorsAtOnce) {
  tray::ResetSpecialFolderList();  // its fill runs on an asking thread too
  shell->Drives = {L"C:\\", L"E:\\"};
  shell->DriveTypes[L"E:\\"] = os::kDriveRemovable;
  std::mutex lock;
  std::vector<std::wstring> loud;  // what was asked without the mode
  int calls = 0;
  const auto check = [&](const std::wstring& what) {
    const std::lock_guard guard(lock);
    ++calls;
    if ((::GetThreadErrorMode() & SEM_FAILCRITICALERRORS) == 0) loud.push_back(what);
  };
  shell->OnIconQuery = [&](const IconQuery& query) { check(L"icon of " + query.Name); };
  shell->OnFolderPathQuery = [&](int csidl) { check(L"path " + std::to_wstring(csidl)); };
  shell->OnVolumeLabel = [&](const std::wstring& root) { check(L"label of " + root); };
  const DWORD uiThreadMode = ::GetThreadErrorMode();
  DM->PopupMenu.Prepare();
  shell->OnIconQuery = nullptr;
  shell->OnFolderPathQuery = nullptr;
  shell->OnVolumeLabel = nullptr;
  EXPECT_EQ(shell->NameQueries(L"E:\\"), 1u) << "the removable drive's icon was asked";
  EXPECT_EQ(shell->VolumeLabelAsks(L"E:\\"), 1u);
  EXPECT_GT(calls, 30) << "the fill, the paths, the labels and the icons";
  EXPECT_EQ(loud, std::vector<std::wstring>{});
  EXPECT_EQ(::GetThreadErrorMode(), uiThreadMode) << "the UI thread's mode as it was";
}

// The special folders are read once per run, not once by every asking thread of the first popup:
// with the reading held, one thread is in it.
TEST_F(TrayMenuHungFolder, TheFirstPopupReadsTheSpecialFoldersOnce) {
  constexpr int kCsidlWindows = 0x24;  // read by the special-folder list alone
  tray::ResetSpecialFolderList();
  auto gate = m_gate;
  shell->OnFolderPathQuery = [gate](int csidl) {
    if (csidl == kCsidlWindows && gate->Closed()) gate->Hold();
  };
  m_asks = [this] { return shell->NameQueries(kRecycleBin); };  // it waited for the list
  const std::size_t before = shell->FolderPathAsks(kCsidlWindows);  // the set-up's reading
  DM->PopupMenu.Prepare();
  EXPECT_EQ(m_gate->Inside(), 1);
  EXPECT_EQ(shell->FolderPathAsks(kCsidlWindows), before + 1);
}

}  // namespace
