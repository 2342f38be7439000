// The taskbar's calls on the shell thread: a taskbar that stops answering holds none of the
// icon's property writes, and what was changed meanwhile reaches it in order once it answers.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "support/fake_system.h"
#include "ui/image_list.h"
#include "ui/tray_icon.h"

namespace {

struct Seen {
  DWORD Message;
  UINT Flags;
  std::wstring Tip;
  bool IconAlive;  // the icon it names could still be read when the taskbar got it
};

// A taskbar that, once hung, answers no call until the test releases it (or 10 s pass). One for
// the whole run: a call the shell thread makes late, after its test, still finds it.
struct Taskbar {
  std::mutex Lock;
  std::vector<Seen> Calls;
  HANDLE Released = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
  HANDLE Inside = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);  // a call is being held
  std::atomic<BOOL> Answer{TRUE};
  std::atomic<int> Answered{0};  // calls that have come back

  void Reset() {
    Release();
    std::lock_guard<std::mutex> hold(Lock);
    Calls.clear();
    Answer = TRUE;
    Answered = 0;
  }
  void Hang() {
    ::ResetEvent(Released);
    ::ResetEvent(Inside);
  }
  void Release() { ::SetEvent(Released); }
  // Whether a call is held and none has come back yet (not even by the taskbar's own time-out).
  bool Holding() const {
    return ::WaitForSingleObject(Inside, 0) == WAIT_OBJECT_0 && Answered == 0;
  }
  std::vector<Seen> Snapshot() {
    std::lock_guard<std::mutex> hold(Lock);
    return Calls;
  }
  // Waits for the taskbar to have had that many calls.
  bool Had(size_t count) {
    for (int i = 0; i < 500; ++i) {
      if (Snapshot().size() >= count) return true;
      ::Sleep(20);
    }
    return false;
  }
};
Taskbar* const g_taskbar = new Taskbar;

BOOL WINAPI HangingShell(DWORD message, PNOTIFYICONDATAW data) {
  ICONINFO info{};
  const bool alive = data->hIcon != nullptr && ::GetIconInfo(data->hIcon, &info);
  if (alive) {
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
  }
  ::SetEvent(g_taskbar->Inside);
  ::WaitForSingleObject(g_taskbar->Released, 10000);
  std::lock_guard<std::mutex> hold(g_taskbar->Lock);
  g_taskbar->Calls.push_back({message, data->uFlags, data->szTip, alive});
  ++g_taskbar->Answered;
  return g_taskbar->Answer;
}

class TrayIconShellThread : public ::testing::Test {
 protected:
  void SetUp() override {
    taskbar.Reset();
    m_previous = ui::TrayIcon::SetShellNotify(&HangingShell, true);
    images.AddFromResource(L"TRAY_CAPS_0");
    images.AddFromResource(L"TRAY_CAPS_1");
  }
  void TearDown() override {
    taskbar.Release();
    ui::TrayIcon::SetShellNotify(m_previous);
  }

  Taskbar& taskbar = *g_taskbar;
  ui::ImageList images{16, 16};
  testing_support::ScopedFakeSystem sys;

 private:
  ui::TrayIcon::ShellNotify m_previous = nullptr;
};

TEST_F(TrayIconShellThread, AHungTaskbarHoldsNoChangeAndGetsTheLastStateInOrder) {
  taskbar.Hang();
  {
    ui::TrayIcon icon;
    icon.SetImages(&images);
    icon.SetHint(L"a");
    icon.SetVisible(true);
    ASSERT_EQ(::WaitForSingleObject(taskbar.Inside, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(taskbar.Holding()) << "the add returned while the taskbar held it";
    for (const wchar_t* tip : {L"b", L"c", L"d"}) icon.SetHint(tip);
    icon.SetIconIndex(1);
    EXPECT_TRUE(taskbar.Holding()) << "no change waited for the hung taskbar";
    EXPECT_TRUE(taskbar.Snapshot().empty());
    // Gone while its calls wait: the icon they name must outlive the object.
  }
  taskbar.Release();
  ASSERT_TRUE(taskbar.Had(4));
  ::Sleep(100);  // nothing more comes
  const std::vector<Seen> seen = taskbar.Snapshot();
  ASSERT_EQ(seen.size(), 4u) << "the three tips make one change";
  EXPECT_EQ(seen[0].Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(seen[0].Tip, L"a");
  EXPECT_EQ(seen[1].Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(seen[1].Flags, static_cast<UINT>(NIF_TIP));
  EXPECT_EQ(seen[1].Tip, L"d");
  EXPECT_EQ(seen[2].Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(seen[2].Flags, static_cast<UINT>(NIF_ICON));
  EXPECT_TRUE(seen[2].IconAlive) << "the new icon lives until the taskbar has it";
  EXPECT_EQ(seen[3].Message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconShellThread, OnceTheTaskbarAnswersAgainItsAnswerCounts) {
  taskbar.Hang();
  ui::TrayIcon first;
  first.SetImages(&images);
  first.SetVisible(true);
  ASSERT_EQ(::WaitForSingleObject(taskbar.Inside, 5000), WAIT_OBJECT_0);
  taskbar.Release();
  ASSERT_TRUE(taskbar.Had(1));

  // A refused add is seen as refused again: the icon then tries a change, as for a taskbar
  // that still holds it from before.
  taskbar.Answer = FALSE;
  ui::TrayIcon second;
  second.SetImages(&images);
  second.SetVisible(true);
  const std::vector<Seen> seen = taskbar.Snapshot();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1].Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(seen[2].Message, static_cast<DWORD>(NIM_MODIFY));
}

}  // namespace
