#include "ui/tray_icon.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "os/error.h"
#include "support/fake_system.h"
#include "ui/image_list.h"
#include "ui/popup_menu.h"

namespace {

struct ShellCall {
  DWORD Message;
  NOTIFYICONDATAW Data;
};

// The calls reach the shell from the shell thread.
std::mutex g_lock;
std::vector<ShellCall> g_made;
std::atomic<BOOL> g_shellAnswer{TRUE};

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAW data) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_made.push_back({message, *data});
  return g_shellAnswer;
}

// The calls made so far, once the shell thread has carried out every change.
std::vector<ShellCall> Calls() {
  EXPECT_TRUE(ui::tray_shell::Settle(10000)) << "the shell thread did not catch up";
  std::lock_guard<std::mutex> hold(g_lock);
  return g_made;
}

void ClearCalls() {
  ui::tray_shell::Settle(10000);
  std::lock_guard<std::mutex> hold(g_lock);
  g_made.clear();
}

// A menu that records where it was asked to appear instead of showing itself.
class RecordingMenu : public ui::PopupMenu {
 public:
  void Popup(int x, int y) override { Shown.push_back({x, y}); }
  std::vector<POINT> Shown;
};

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearCalls();
    g_shellAnswer = TRUE;
    m_previous = ui::TrayIcon::SetShellNotify(&RecordShellCall);
    images.AddFromResource(L"TRAY_CAPS_0");
    images.AddFromResource(L"TRAY_CAPS_1");
  }
  void TearDown() override {
    ui::tray_shell::Settle(10000);
    ui::TrayIcon::SetShellNotify(m_previous);
  }

  // The message the shell would send on a click, as the icon asked for it when it was added.
  void ShellNotice(ui::TrayIcon& icon, UINT mouseMessage) {
    const std::vector<ShellCall> calls = Calls();
    ASSERT_FALSE(calls.empty());
    const NOTIFYICONDATAW added = calls.front().Data;
    ASSERT_EQ(added.uID, icon.Id());
    ::SendMessageW(added.hWnd, added.uCallbackMessage, added.uID, mouseMessage);
  }

  ui::ImageList images{16, 16};
  testing_support::ScopedFakeSystem sys;

 private:
  ui::TrayIcon::ShellNotify m_previous = nullptr;
};

TEST_F(TrayIconTest, ShowingAddsTheIconOnceWithEverythingSetWhileHidden) {
  ui::TrayIcon icon;
  icon.SetImages(&images);
  icon.SetIconIndex(1);
  icon.SetHint(L"Caps Lock");
  EXPECT_TRUE(Calls().empty()) << "a hidden icon asks nothing of the shell";

  icon.SetVisible(true);
  ASSERT_EQ(Calls().size(), 1u);
  const ShellCall add = Calls()[0];
  EXPECT_EQ(add.Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(add.Data.cbSize, sizeof(NOTIFYICONDATAW));
  EXPECT_EQ(add.Data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(add.Data.hWnd, icon.Handle());
  EXPECT_EQ(add.Data.uID, icon.Id());
  EXPECT_NE(add.Data.uCallbackMessage, 0u);
  EXPECT_STREQ(add.Data.szTip, L"Caps Lock");

  // The icon is image 1 at the small-icon size.
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(add.Data.hIcon, &info));
  ui::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  ::GetObjectW(color.Get(), sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, ::GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(bm.bmBitsPixel, 32);
}

TEST_F(TrayIconTest, ChangesCallTheShellOnlyWhenTheValueChanges) {
  struct Case {
    const char* property;
    std::function<void(ui::TrayIcon&)> same;
    std::function<void(ui::TrayIcon&)> other;
    DWORD message;
    UINT flags;
  };
  ui::ImageList otherImages(16, 16);
  otherImages.AddFromResource(L"TRAY_NUM_0");
  const Case cases[] = {
      {"Hint", [](ui::TrayIcon& i) { i.SetHint(L"Caps"); },
       [](ui::TrayIcon& i) { i.SetHint(L"Num"); }, NIM_MODIFY, NIF_TIP},
      {"IconIndex", [](ui::TrayIcon& i) { i.SetIconIndex(0); },
       [](ui::TrayIcon& i) { i.SetIconIndex(1); }, NIM_MODIFY, NIF_ICON},
      {"Images", [this](ui::TrayIcon& i) { i.SetImages(&images); },
       [&otherImages](ui::TrayIcon& i) { i.SetImages(&otherImages); }, NIM_MODIFY, NIF_ICON},
      {"Visible", [](ui::TrayIcon& i) { i.SetVisible(true); },
       [](ui::TrayIcon& i) { i.SetVisible(false); }, NIM_DELETE, 0},
  };
  for (const Case& c : cases) {
    ui::TrayIcon icon;
    icon.SetImages(&images);
    icon.SetHint(L"Caps");
    icon.SetVisible(true);
    ClearCalls();
    for (int i = 0; i < 3; ++i) c.same(icon);
    EXPECT_TRUE(Calls().empty()) << c.property;
    c.other(icon);
    ASSERT_EQ(Calls().size(), 1u) << c.property;
    EXPECT_EQ(Calls()[0].Message, c.message) << c.property;
    EXPECT_EQ(Calls()[0].Data.uFlags, c.flags) << c.property;
    EXPECT_EQ(Calls()[0].Data.uID, icon.Id()) << c.property;
    c.other(icon);
    EXPECT_EQ(Calls().size(), 1u) << c.property << ": the new value again";
  }
}

TEST_F(TrayIconTest, ANewIconGoesToTheShellWithTheNextChange) {
  ui::TrayIcon icon;
  icon.SetImages(&images);
  icon.SetVisible(true);
  const HICON first = Calls().back().Data.hIcon;
  icon.SetIconIndex(1);
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_NE(Calls()[1].Data.hIcon, nullptr);
  EXPECT_NE(Calls()[1].Data.hIcon, first);
  // An image list refilled under the same index: the icon is made again on request only.
  icon.RefreshIcon();
  ASSERT_EQ(Calls().size(), 3u);
  EXPECT_EQ(Calls()[2].Data.uFlags, static_cast<UINT>(NIF_ICON));
}

TEST_F(TrayIconTest, TheHintIsCutToTheTipWithoutSplittingACharacter) {
  struct Case {
    const char* what;
    std::wstring hint;
    std::wstring tip;
  };
  const std::wstring smiley = L"\xD83D\xDE00";  // one character, two UTF-16 units
  const Case cases[] = {
      {"short", L"Halvarin", L"Halvarin"},
      {"exactly full", std::wstring(127, L'x'), std::wstring(127, L'x')},
      {"too long", std::wstring(300, L'y'), std::wstring(127, L'y')},
      {"pair across the end", std::wstring(126, L'a') + smiley + L"b", std::wstring(126, L'a')},
      {"pair just inside", std::wstring(125, L'a') + smiley + L"b", std::wstring(125, L'a') + smiley},
  };
  for (const Case& c : cases) {
    ClearCalls();
    ui::TrayIcon icon;
    icon.SetHint(c.hint);
    icon.SetVisible(true);
    ASSERT_FALSE(Calls().empty()) << c.what;
    EXPECT_EQ(std::wstring(Calls()[0].Data.szTip), c.tip) << c.what;
    EXPECT_EQ(icon.Hint(), c.hint) << c.what << ": the property keeps the whole hint";
  }
}

TEST_F(TrayIconTest, ARecreatedTaskbarGetsTheVisibleIconAgain) {
  const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  ui::TrayIcon shown, hidden;
  shown.SetHint(L"Shown");
  shown.SetImages(&images);
  shown.SetVisible(true);
  hidden.SetHint(L"Hidden");
  hidden.Handle();
  ClearCalls();

  ::SendMessageW(shown.Handle(), taskbarCreated, 0, 0);
  ::SendMessageW(hidden.Handle(), taskbarCreated, 0, 0);
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(Calls()[0].Data.uID, shown.Id());
  EXPECT_STREQ(Calls()[0].Data.szTip, L"Shown");
  EXPECT_NE(Calls()[0].Data.hIcon, nullptr);
}

TEST_F(TrayIconTest, TheWindowIsTopLevelSoThatItHearsTheTaskbarBroadcast) {
  ui::TrayIcon icon;
  EXPECT_EQ(::GetAncestor(icon.Handle(), GA_PARENT), ::GetDesktopWindow());
  EXPECT_EQ(::GetWindow(icon.Handle(), GW_OWNER), nullptr);
}

TEST_F(TrayIconTest, DisplayNoticesWithTheSameIconSizeCallNothing) {
  ui::TrayIcon icon;
  icon.SetImages(&images);
  icon.SetVisible(true);
  ClearCalls();
  ::SendMessageW(icon.Handle(), WM_SETTINGCHANGE, 0, 0);
  ::SendMessageW(icon.Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  EXPECT_TRUE(Calls().empty());
}

TEST_F(TrayIconTest, AnIconTheShellRefusedIsOfferedAgainAtTheNextChange) {
  ui::TrayIcon icon;
  g_shellAnswer = FALSE;  // no taskbar yet
  icon.SetVisible(true);
  ASSERT_FALSE(Calls().empty());
  EXPECT_EQ(Calls()[0].Message, static_cast<DWORD>(NIM_ADD));
  g_shellAnswer = TRUE;
  ClearCalls();
  icon.SetHint(L"later");
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_STREQ(Calls()[0].Data.szTip, L"later");
  icon.SetHint(L"later still");
  EXPECT_EQ(Calls().back().Message, static_cast<DWORD>(NIM_MODIFY));
}

TEST_F(TrayIconTest, DestructionRemovesOnlyAnIconTheShellHas) {
  UINT id = 0;
  HWND window = nullptr;
  {
    ui::TrayIcon icon;
    icon.SetVisible(true);
    id = icon.Id();
    window = icon.Handle();
    ClearCalls();
  }
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].Message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(Calls()[0].Data.uID, id);
  EXPECT_EQ(Calls()[0].Data.hWnd, window);
  EXPECT_FALSE(::IsWindow(window));

  ClearCalls();
  { ui::TrayIcon never; never.Handle(); }
  EXPECT_TRUE(Calls().empty());
}

TEST_F(TrayIconTest, EveryIconHasItsOwnNumberAndWindow) {
  ui::TrayIcon a, b, c;
  EXPECT_NE(a.Id(), b.Id());
  EXPECT_NE(b.Id(), c.Id());
  EXPECT_NE(a.Id(), c.Id());
  EXPECT_NE(a.Handle(), b.Handle());
}

TEST_F(TrayIconTest, ALeftClickRaisesOnClickOnceAndARightClickOpensTheMenu) {
  ui::TrayIcon icon;
  RecordingMenu menu;
  icon.SetPopupMenu(&menu);
  int clicks = 0;
  std::vector<ui::MouseButton> ups;
  icon.OnClick = [&] { ++clicks; };
  icon.OnMouseUp = [&](ui::MouseButton b, int, int) { ups.push_back(b); };
  icon.SetVisible(true);

  for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) ShellNotice(icon, m);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(menu.Shown.empty());

  sys->Cursor = {1234, 567};  // the scripted desktop's pointer: the real one is shared
  for (UINT m : {WM_RBUTTONDOWN, WM_RBUTTONUP}) ShellNotice(icon, m);
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(menu.Shown.size(), 1u);
  EXPECT_EQ(menu.Shown[0].x, 1234);
  EXPECT_EQ(menu.Shown[0].y, 567);
  EXPECT_EQ(ups, (std::vector<ui::MouseButton>{ui::MouseButton::Left, ui::MouseButton::Right}));

  // Notices for another icon number are not this icon's.
  const NOTIFYICONDATAW added = Calls().front().Data;
  ::SendMessageW(added.hWnd, added.uCallbackMessage, added.uID + 1000, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 1);
}

TEST_F(TrayIconTest, AnErrorInAClickHandlerIsShownAndStopsThere) {
  ui::TrayIcon icon;
  icon.OnClick = [] { throw os::Error(L"The click failed."); };
  icon.SetVisible(true);
  ShellNotice(icon, WM_LBUTTONUP);
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
  EXPECT_EQ(sys->MessageBoxes[0].Text, L"The click failed.");
}

}  // namespace
