// The tray menu with a drive that does not answer (an offline network drive, a slow optical
// drive): the menu still opens, and the drive's late answer goes nowhere.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tray/ask_gate.h"
#include "tray/data_module.h"
#include "tray/tray_menu_fixture.h"
#include "ui/application.h"

namespace {

using namespace std::chrono_literals;
using tray::DM;
using Clock = std::chrono::steady_clock;

constexpr wchar_t kDead[] = L"N:\\";

using tray_testing::Gate;

class TrayMenuDeadDrive : public tray_testing::TrayMenu {
 protected:
  void SetUp() override {
    TrayMenu::SetUp();
    shell->Drives = {L"C:\\", kDead, L"Z:\\"};
    shell->Labels[L"C:\\"] = L"System";
    shell->Labels[kDead] = L"Share";
    shell->Labels[L"Z:\\"] = L"root";
    shell->NameIcons[L"C:\\"] = 4;
    shell->NameIcons[kDead] = 5;
    shell->NameIcons[L"Z:\\"] = 6;
    shell->OnVolumeLabel = [gate = m_gate](const std::wstring& root) {
      if (root == kDead && gate->Closed()) gate->Hold();
    };
    // Long enough for the answering drives on a loaded machine; far below the gate's hold.
    DM->DriveAnswerTime = 3s;
  }

  void TearDown() override {
    // No asking thread may be left in the scripted shell when it goes.
    m_gate->Open();
    EXPECT_TRUE(m_gate->Empty(30s));
    if (DM != nullptr) {
      // The dead drive's ask is back once the menu asks the drive anew, and that ask, like the
      // others, is waited for.
      const std::size_t asked = shell->VolumeLabelAsks(kDead);
      DM->DriveAnswerTime = 10s;
      EXPECT_TRUE(PumpUntil([&] {
        DM->PopupMenu.Prepare();
        return shell->VolumeLabelAsks(kDead) > asked;
      }, 30000));
    }
    TrayMenu::TearDown();
  }

  std::vector<int> DriveImages() {
    std::vector<int> images;
    const int from = Root().IndexOf(DM->SpTBXSeparatorItem5) + 1;
    for (int i = from; i < Root().Count() && Root().Item(i)->Tag == tray::kTagDriveItem; ++i) {
      images.push_back(Root().Item(i)->ImageIndex);
    }
    return images;
  }

  const std::vector<std::wstring> kDeadUnlabelled{L"C:\\   [ SYSTEM ]", L"N:\\   [  ]",
                                                   L"Z:\\   [ ROOT ]"};
  std::shared_ptr<Gate> m_gate = std::make_shared<Gate>();
};

TEST_F(TrayMenuDeadDrive, TheMenuOpensWithoutTheLabelOfADriveThatDoesNotAnswer) {
  const auto start = Clock::now();
  DM->PopupMenu.Prepare();
  const auto took = Clock::now() - start;
  // The bound, not the speed: a menu that waited for the drive came back only with the gate.
  EXPECT_LT(took, DM->DriveAnswerTime + 7s);
  EXPECT_EQ(DriveCaptions(), kDeadUnlabelled);
  EXPECT_EQ(DriveImages(), (std::vector<int>{4, 0, 6})) << "the dead drive has the first icon";
  const ui::MenuItem* dead = Root().Item(Root().IndexOf(DM->SpTBXSeparatorItem5) + 2);
  EXPECT_EQ(dead->Hint, kDead) << "still a drive item that opens the drive";
  EXPECT_EQ(dead->Tag, tray::kTagDriveItem);
}

TEST_F(TrayMenuDeadDrive, OpeningTheMenuAgainAsksAStuckDriveNoSecondTime) {
  for (int i = 0; i < 3; ++i) {
    DM->PopupMenu.Prepare();
    EXPECT_EQ(DriveCaptions(), kDeadUnlabelled) << "popup " << i;
  }
  EXPECT_EQ(shell->VolumeLabelAsks(kDead), 1u) << "one held thread, however often the menu opens";
  EXPECT_EQ(shell->VolumeLabelAsks(L"C:\\"), 3u);
  EXPECT_EQ(shell->VolumeLabelAsks(L"Z:\\"), 3u);
}

TEST_F(TrayMenuDeadDrive, ALateAnswerLeavesTheBuiltMenuAloneAndTheNextPopupAsksAnew) {
  DM->PopupMenu.Prepare();
  m_gate->Open();
  ASSERT_TRUE(m_gate->Empty(30s));
  // The late answer has nowhere to go but the next popup.
  EXPECT_EQ(DriveCaptions(), kDeadUnlabelled);
  std::vector<std::wstring> captions;
  EXPECT_TRUE(PumpUntil([&] {
    DM->PopupMenu.Prepare();
    captions = DriveCaptions();
    return captions[1] != L"N:\\   [  ]";
  }, 30000));
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"C:\\   [ SYSTEM ]", L"N:\\   [ SHARE ]",
                                                 L"Z:\\   [ ROOT ]"}));
  EXPECT_EQ(DriveImages(), (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(shell->VolumeLabelAsks(kDead), 2u);
}

TEST_F(TrayMenuDeadDrive, ADriveThatStopsAnsweringShowsWhatItAnsweredBefore) {
  m_gate->Open();
  DM->PopupMenu.Prepare();
  ASSERT_EQ(DriveCaptions()[1], L"N:\\   [ SHARE ]");
  m_gate->Close();
  shell->Labels[kDead] = L"Other";  // what it would say now
  DM->PopupMenu.Prepare();
  EXPECT_EQ(DriveCaptions()[1], L"N:\\   [ SHARE ]");
  EXPECT_EQ(DriveImages(), (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(shell->VolumeLabelAsks(kDead), 2u);
}

TEST_F(TrayMenuDeadDrive, AnAnswerAfterTheMenuIsGoneAsksTheShellNothingMore) {
  DM->PopupMenu.Prepare();
  ui::App().DestroyComponents();  // as at the program's end
  ASSERT_EQ(DM, nullptr);
  m_gate->Open();
  ASSERT_TRUE(m_gate->Empty(30s));
  // The thread is on its way out: give it time to ask for the icon, which it must not.
  const auto until = Clock::now() + 1s;
  while (Clock::now() < until && shell->NameQueries(kDead) == 0) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(shell->NameQueries(kDead), 0u);
}

}  // namespace
