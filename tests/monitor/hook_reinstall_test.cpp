// The pass installs the mouse hook anew when the pointer has moved and no hook call has come for
// over a second since (the system dropped the hook), once per such gap and never in a loop; and
// tries an install the system refused again, once a second.
#include <gtest/gtest.h>

#include <vector>

#include "monitor/mouse_hook.h"
#include "pass_fixture.h"

namespace {

using monitor::MouseHookHandle;

// Every install the program asks for; each gets a handle of its own. None is a real hook, so
// that the desktop's own pointer, moved by another suite, never calls into the test.
struct Install {
  int HookId;
  HOOKPROC Proc;
};
std::vector<Install> g_installs;
int g_refusals = 0;  // so many installs from now on are refused

HHOOK WINAPI CountingInstall(int hookId, HOOKPROC proc, HINSTANCE, DWORD) {
  g_installs.push_back({hookId, proc});
  if (g_refusals > 0) {
    --g_refusals;
    return nullptr;
  }
  return reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(0x7000 + g_installs.size()));
}

class HookReinstall : public testing_support::PassFixture {
 protected:
  void SetUp() override {
    PassFixture::SetUp();
    g_installs.clear();
    g_refusals = 0;
    monitor::SetMouseHookInstaller(&CountingInstall);
    Start().TimerStartTimer();
    ASSERT_EQ(g_installs.size(), 1u) << "the start-up timer installs the hook";
  }
  void TearDown() override {
    monitor::RemoveMouseHook();
    monitor::SetMouseHookInstaller(nullptr);
    PassFixture::TearDown();
  }

  void HookCall() {
    MSLLHOOKSTRUCT info{};
    info.pt = {sys->Cursor.X, sys->Cursor.Y};
    monitor::MouseHookProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&info));
  }
  // Passes 0.05 s apart for that long; the pointer moves a pixel before each when `moving`, and
  // the system calls the hook for each move when `hookCalled`.
  void Passes(double seconds, bool moving, bool hookCalled) {
    for (double t = 0; t < seconds; t += 0.05) {
      if (moving) {
        ++sys->Cursor.X;
        if (hookCalled) HookCall();
      }
      Pass();
    }
  }
  std::size_t Reinstalls() const { return g_installs.size() - 1; }
  // Passes with the pointer at rest until the next install, at most `limit` of them: how many
  // it took, 0 when none came.
  int PassesToNextInstall(int limit) {
    const std::size_t before = g_installs.size();
    for (int n = 1; n <= limit; ++n) {
      Pass();
      if (g_installs.size() > before) return n;
    }
    return 0;
  }
};

TEST_F(HookReinstall, MovesThatNoHookCallFollowsForOverASecondInstallItOnceAnew) {
  Passes(0.5, true, true);
  Passes(0.9, true, false);
  EXPECT_EQ(Reinstalls(), 0u) << "not yet a second without a call";
  Passes(0.3, true, false);
  ASSERT_EQ(Reinstalls(), 1u);
  EXPECT_EQ(g_installs.back().HookId, WH_MOUSE_LL);
  EXPECT_EQ(g_installs.back().Proc, &monitor::MouseHookProc);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(MouseHookHandle.Get()), 0x7002u)
      << "the new hook's handle is the one kept";
  Passes(5.0, true, false);
  EXPECT_EQ(Reinstalls(), 1u) << "a new hook that is not called either is not installed again";
}

TEST_F(HookReinstall, APointerThatStaysPutNeedsNoHookCall) {
  Passes(5.0, false, false);
  EXPECT_EQ(Reinstalls(), 0u);
}

TEST_F(HookReinstall, AHookThatIsCalledForTheMovesStays) {
  Passes(5.0, true, true);
  EXPECT_EQ(Reinstalls(), 0u);
  // A pointer at rest, then moved: the call for the move comes just after the pass saw it.
  Passes(3.0, false, false);
  ++sys->Cursor.X;
  Pass();
  HookCall();
  Passes(3.0, false, false);
  EXPECT_EQ(Reinstalls(), 0u);
}

TEST_F(HookReinstall, OneMoveAndNoCallThenStillIsAGapToo) {
  ++sys->Cursor.X;
  Pass();
  Passes(1.2, false, false);
  EXPECT_EQ(Reinstalls(), 1u);
}

TEST_F(HookReinstall, EachGapAfterTheHookWasCalledAgainGetsOneNewHook) {
  Passes(1.5, true, false);
  ASSERT_EQ(Reinstalls(), 1u);
  Passes(1.0, true, true);  // the new hook is called
  EXPECT_EQ(Reinstalls(), 1u);
  Passes(1.5, true, false);
  EXPECT_EQ(Reinstalls(), 2u) << "a second gap";
  Passes(3.0, true, false);
  EXPECT_EQ(Reinstalls(), 2u);
}

TEST_F(HookReinstall, ARemovedHookIsNotPutBack) {
  monitor::RemoveMouseHook();  // as the end of the session does
  Passes(3.0, true, false);
  EXPECT_EQ(Reinstalls(), 0u);
  EXPECT_FALSE(MouseHookHandle);
}

TEST_F(HookReinstall, ARefusedInstallIsTriedAgainOnceASecondUntilTheHookIsThere) {
  monitor::RemoveMouseHook();
  g_installs.clear();
  g_refusals = 2;
  monitor::InstallMouseHook();  // as the start-up timer does
  ASSERT_EQ(g_installs.size(), 1u);
  ASSERT_FALSE(MouseHookHandle);
  EXPECT_EQ(PassesToNextInstall(60), 20) << "a second after the refusal";
  EXPECT_FALSE(MouseHookHandle) << "refused again";
  EXPECT_EQ(PassesToNextInstall(60), 20) << "a second after that";
  ASSERT_EQ(g_installs.size(), 3u);
  EXPECT_EQ(g_installs.back().HookId, WH_MOUSE_LL);
  EXPECT_EQ(g_installs.back().Proc, &monitor::MouseHookProc);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(MouseHookHandle.Get()), 0x7003u);
  Passes(3.0, false, false);
  EXPECT_EQ(g_installs.size(), 3u) << "a hook that is there is not installed again";
  // The watch starts as for a fresh install: a gap in the new hook's calls is seen.
  Passes(1.5, true, false);
  EXPECT_EQ(g_installs.size(), 4u);
}

TEST_F(HookReinstall, ARefusedHookIsNotTriedAgainAfterItsRemoval) {
  monitor::RemoveMouseHook();
  g_installs.clear();
  g_refusals = 1;
  monitor::InstallMouseHook();
  monitor::RemoveMouseHook();  // the session ends before the next try
  Passes(3.0, true, false);
  EXPECT_EQ(g_installs.size(), 1u);
  EXPECT_FALSE(MouseHookHandle);
}

}  // namespace
