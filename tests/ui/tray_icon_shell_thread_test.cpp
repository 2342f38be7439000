// The taskbar's calls on the shell thread, against a model taskbar that holds icons as the real
// one does: a taskbar that stops answering holds none of the icon's property writes, an answer
// that comes late still counts, and whatever happened meanwhile the taskbar ends up showing the
// icon's current state.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_system.h"
#include "ui/image_source.h"
#include "ui/tray_icon.h"

namespace {

// Images that tell the taskbar model which image an icon was made from.
class TellingImages : public ui::ImageSource {
 public:
  int ImageWidth() const override { return 16; }
  int ImageHeight() const override { return 16; }
  int ImageCount() const override { return 2; }
  void DrawImage(HDC, int, int, int) const override {}
  HICON MakeIcon(int index, int size = 0) const override {
    if (size <= 0) size = 16;
    HDC screen = ::GetDC(nullptr);
    HBITMAP color = ::CreateCompatibleBitmap(screen, size, size);
    ::ReleaseDC(nullptr, screen);
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(color);
    ::DeleteObject(mask);
    std::lock_guard<std::mutex> hold(s_lock);
    s_made[icon] = index;
    return icon;
  }
  // The image an icon shows: -1 for none, -2 for an icon already destroyed.
  static int ImageOf(HICON icon) {
    if (icon == nullptr) return -1;
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return -2;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    std::lock_guard<std::mutex> hold(s_lock);
    const auto it = s_made.find(icon);
    return it == s_made.end() ? -1 : it->second;
  }

 private:
  static inline std::mutex s_lock;
  static inline std::map<HICON, int> s_made;
};

struct Seen {
  DWORD Message;
  UINT Flags;
  std::wstring Tip;
  int Image;
};

struct Shown {
  std::wstring Tip;
  int Image;
  friend bool operator==(const Shown&, const Shown&) = default;
};

// A taskbar that keeps its icons by number. The next call can be held until the test lets it go,
// and then answered as the test says: FALSE is Shell_NotifyIcon's own time-out, which refuses a
// call the taskbar never made. One for the whole run: a call that the shell thread makes late,
// after its test, still finds it.
struct ModelTaskbar {
  std::mutex Lock;
  std::map<UINT, Shown> Icons;
  std::vector<Seen> Calls;
  int Generation = 0;  // a new taskbar knows none of the old one's icons
  bool HoldArmed = false;
  BOOL HeldAnswer = TRUE;
  HANDLE Released = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
  HANDLE Inside = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);  // the held call has come
  std::atomic<bool> HeldDone{true};  // the held call has gone back, let go or timed out

  void Reset() {
    ::SetEvent(Released);
    ui::tray_shell::Settle(10000);
    std::lock_guard<std::mutex> hold(Lock);
    Icons.clear();
    Calls.clear();
    HoldArmed = false;
  }
  void HoldNext(BOOL answer) {
    std::lock_guard<std::mutex> hold(Lock);
    ::ResetEvent(Released);
    ::ResetEvent(Inside);
    HoldArmed = true;
    HeldAnswer = answer;
    HeldDone = false;
  }
  bool WaitInside() { return ::WaitForSingleObject(Inside, 10000) == WAIT_OBJECT_0; }
  bool Holding() { return ::WaitForSingleObject(Inside, 0) == WAIT_OBJECT_0 && !HeldDone; }
  void Release() { ::SetEvent(Released); }
  // The explorer restarts: its icons are gone.
  void Recreate() {
    std::lock_guard<std::mutex> hold(Lock);
    ++Generation;
    Icons.clear();
  }
  std::vector<Seen> CallsMade() {
    std::lock_guard<std::mutex> hold(Lock);
    return Calls;
  }
  std::optional<Shown> Showing(UINT id) {
    std::lock_guard<std::mutex> hold(Lock);
    const auto it = Icons.find(id);
    return it == Icons.end() ? std::nullopt : std::optional<Shown>(it->second);
  }

  BOOL Make(DWORD message, const NOTIFYICONDATAW& d) {
    const int image = TellingImages::ImageOf(d.hIcon);
    bool held = false;
    BOOL answer = TRUE;
    int generation = 0;
    {
      std::lock_guard<std::mutex> hold(Lock);
      generation = Generation;
      held = HoldArmed;
      HoldArmed = false;
      answer = HeldAnswer;
    }
    if (held) {
      ::SetEvent(Inside);
      ::WaitForSingleObject(Released, 10000);
      HeldDone = true;
    }
    std::lock_guard<std::mutex> hold(Lock);
    Calls.push_back({message, d.uFlags, d.szTip, image});
    if (held && !answer) return FALSE;
    if (generation != Generation) return TRUE;  // made by a taskbar that is gone
    const auto it = Icons.find(d.uID);
    switch (message) {
      case NIM_ADD:
        if (it != Icons.end()) return FALSE;
        Icons[d.uID] = {d.szTip, image};
        return TRUE;
      case NIM_MODIFY:
        if (it == Icons.end()) return FALSE;
        if (d.uFlags & NIF_TIP) it->second.Tip = d.szTip;
        if (d.uFlags & NIF_ICON) it->second.Image = image;
        return TRUE;
      case NIM_DELETE:
        if (it == Icons.end()) return FALSE;
        Icons.erase(it);
        return TRUE;
      default: return FALSE;
    }
  }
};
ModelTaskbar* const g_taskbar = new ModelTaskbar;

BOOL WINAPI ModelShell(DWORD message, PNOTIFYICONDATAW data) {
  return g_taskbar->Make(message, *data);
}

class TrayIconShellThread : public ::testing::Test {
 protected:
  void SetUp() override {
    taskbar.Reset();
    m_previous = ui::TrayIcon::SetShellNotify(&ModelShell);
  }
  void TearDown() override {
    taskbar.Release();
    ui::tray_shell::Settle(10000);
    ui::TrayIcon::SetShellNotify(m_previous);
  }
  bool Settle() { return ui::tray_shell::Settle(10000); }

  ModelTaskbar& taskbar = *g_taskbar;
  TellingImages images;
  testing_support::ScopedFakeSystem sys;

 private:
  ui::TrayIcon::ShellNotify m_previous = nullptr;
};

TEST_F(TrayIconShellThread, AHungTaskbarHoldsNoChangeAndGetsTheLastState) {
  auto icon = std::make_unique<ui::TrayIcon>();
  icon->SetImages(&images);
  icon->SetHint(L"a");
  taskbar.HoldNext(TRUE);
  icon->SetVisible(true);
  ASSERT_TRUE(taskbar.WaitInside());
  for (const wchar_t* tip : {L"b", L"c", L"d"}) icon->SetHint(tip);
  icon->SetIconIndex(1);
  EXPECT_TRUE(taskbar.Holding()) << "a change waited for the hung taskbar";
  EXPECT_TRUE(taskbar.CallsMade().empty());
  taskbar.Release();
  ASSERT_TRUE(Settle());
  std::vector<Seen> seen = taskbar.CallsMade();
  ASSERT_EQ(seen.size(), 2u) << "the changes made while it hung come as one";
  EXPECT_EQ(seen[0].Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(seen[0].Tip, L"a");
  EXPECT_EQ(seen[0].Image, 0);
  EXPECT_EQ(seen[1].Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(seen[1].Flags, static_cast<UINT>(NIF_TIP | NIF_ICON));
  EXPECT_EQ(seen[1].Tip, L"d");
  EXPECT_EQ(seen[1].Image, 1) << "the new icon lives until the taskbar has it";
  EXPECT_EQ(taskbar.Showing(icon->Id()), (Shown{L"d", 1}));

  // Gone while the taskbar hangs: its removal waits a moment, then goes on alone.
  const UINT id = icon->Id();
  taskbar.HoldNext(TRUE);
  icon->SetHint(L"e");
  ASSERT_TRUE(taskbar.WaitInside());
  icon.reset();
  EXPECT_TRUE(taskbar.Holding()) << "the destruction waited for the hung taskbar";
  taskbar.Release();
  ASSERT_TRUE(Settle());
  seen = taskbar.CallsMade();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[3].Message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(taskbar.Showing(id), std::nullopt);
}

// Seen on a busy taskbar at logon: the add is answered only by Shell_NotifyIcon's time-out,
// which refuses it. The icon must still end up in the taskbar, showing what it shows now.
TEST_F(TrayIconShellThread, AnAddRefusedLateEndsWithTheIconInTheTaskbar) {
  struct Case {
    const char* what;
    bool changeWhileWaiting;
  };
  for (const Case c : {Case{"a change while the add waits", true},
                       Case{"a change after the refusal came", false}}) {
    SCOPED_TRACE(c.what);
    taskbar.Reset();
    ui::TrayIcon icon;
    icon.SetImages(&images);
    icon.SetHint(L"Caps Lock");
    taskbar.HoldNext(FALSE);
    icon.SetVisible(true);
    ASSERT_TRUE(taskbar.WaitInside());
    if (c.changeWhileWaiting) icon.SetIconIndex(1);
    taskbar.Release();
    ASSERT_TRUE(Settle());
    if (!c.changeWhileWaiting) {
      EXPECT_EQ(taskbar.Showing(icon.Id()), std::nullopt) << "refused";
      icon.SetIconIndex(1);  // Caps Lock pressed
      ASSERT_TRUE(Settle());
    }
    EXPECT_EQ(taskbar.Showing(icon.Id()), (Shown{L"Caps Lock", 1}));
    icon.SetIconIndex(0);  // and released
    ASSERT_TRUE(Settle());
    EXPECT_EQ(taskbar.Showing(icon.Id()), (Shown{L"Caps Lock", 0}));
  }
}

// The explorer restarts while a call to the old taskbar is stuck: the old taskbar's answer says
// nothing about the new one, which gets the icon as it is now.
TEST_F(TrayIconShellThread, ATaskbarMadeAnewWhileACallIsStuckGetsTheCurrentState) {
  const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  struct Case {
    const char* what;
    BOOL oldAnswer;
    bool changed;  // the icon changed after the broadcast
  };
  for (const Case c : {Case{"the old taskbar took the add", TRUE, false},
                       Case{"the old taskbar took the add, then a change", TRUE, true},
                       Case{"the old taskbar's add timed out, then a change", FALSE, true}}) {
    SCOPED_TRACE(c.what);
    taskbar.Reset();
    ui::TrayIcon icon;
    // Without images the icon made anew for the new taskbar is the same (none): only what the
    // old taskbar answered can tell the two apart.
    if (c.changed) icon.SetImages(&images);
    icon.SetHint(L"old");
    taskbar.HoldNext(c.oldAnswer);
    icon.SetVisible(true);
    ASSERT_TRUE(taskbar.WaitInside());
    taskbar.Recreate();
    ::SendMessageW(icon.Handle(), taskbarCreated, 0, 0);
    if (c.changed) {
      icon.SetHint(L"new");
      icon.SetIconIndex(1);
    }
    taskbar.Release();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(taskbar.Showing(icon.Id()),
              c.changed ? (Shown{L"new", 1}) : (Shown{L"old", -1}));
  }
}

TEST_F(TrayIconShellThread, ARefusedChangeAddsTheIconAgain) {
  // A taskbar that lost the icon before its broadcast of the re-creation reached us.
  ui::TrayIcon icon;
  icon.SetImages(&images);
  icon.SetHint(L"a");
  icon.SetVisible(true);
  ASSERT_TRUE(Settle());
  taskbar.Recreate();
  icon.SetHint(L"b");
  ASSERT_TRUE(Settle());
  EXPECT_EQ(taskbar.Showing(icon.Id()), (Shown{L"b", 0}));
}

}  // namespace
