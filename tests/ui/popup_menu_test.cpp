#include "ui/popup_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/error.h"
#include "support/ui_pixels.h"
#include "ui/image_list.h"

namespace {

using testing_support::SolidPng;
using testing_support::Surface;

struct NativeItem {
  UINT Type = 0;
  UINT State = 0;
  UINT Id = 0;
  HMENU Submenu = nullptr;
  std::wstring Text;
};

NativeItem Native(HMENU menu, int position) {
  wchar_t text[256] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 255;
  NativeItem out;
  if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return out;
  out.Type = info.fType;
  out.State = info.fState;
  out.Id = info.wID;
  out.Submenu = info.hSubMenu;
  out.Text = text;
  return out;
}

// Settings, a separator, a disabled item, a heading, a submenu with two radio items, and an
// item that is not shown.
struct SampleMenu {
  SampleMenu() {
    ui::MenuItem& root = menu.Items();
    settings = root.Add(L"&Settings");
    settings->Checked = true;
    root.AddSeparator();
    disabled = root.Add(L"Disabled");
    disabled->Enabled = false;
    heading = root.Add(std::make_unique<ui::MenuItem>(L"Heading:", ui::MenuItemKind::Label));
    more = root.Add(L"More");
    first = more->Add(L"First");
    first->RadioItem = true;
    second = more->Add(L"Second");
    second->RadioItem = true;
    second->Checked = true;
    hidden = root.Add(L"Hidden");
    hidden->Visible = false;
    for (ui::MenuItem* item : {settings, disabled, heading, first, second, hidden}) {
      item->OnClick = [this](ui::MenuItem& sender) { clicked.push_back(&sender); };
    }
  }
  ui::PopupMenu menu;
  ui::MenuItem *settings, *disabled, *heading, *more, *first, *second, *hidden;
  std::vector<ui::MenuItem*> clicked;
};

TEST(PopupMenuTest, BuildsTheNativeMenuFromTheVisibleItems) {
  SampleMenu s;
  const ui::BuiltMenu built = s.menu.Build();
  HMENU top = built.Handle();
  ASSERT_EQ(::GetMenuItemCount(top), 5) << "the hidden item is left out";

  const NativeItem settings = Native(top, 0);
  EXPECT_TRUE(settings.Type & MFT_OWNERDRAW);
  EXPECT_TRUE(settings.State & MFS_CHECKED);
  EXPECT_FALSE(settings.State & MFS_DISABLED);
  EXPECT_EQ(settings.Text, L"&Settings");
  ASSERT_NE(settings.Id, 0u);
  EXPECT_EQ(built.Commands.at(settings.Id), s.settings);

  EXPECT_TRUE(Native(top, 1).Type & MFT_SEPARATOR);

  const NativeItem disabled = Native(top, 2);
  EXPECT_EQ(disabled.State & MFS_DISABLED, static_cast<UINT>(MFS_DISABLED));
  EXPECT_FALSE(disabled.State & MFS_CHECKED);

  const NativeItem heading = Native(top, 3);
  EXPECT_EQ(heading.State & MFS_DISABLED, static_cast<UINT>(MFS_DISABLED)) << "never chosen";
  EXPECT_EQ(heading.Id, 0u);

  const NativeItem more = Native(top, 4);
  ASSERT_NE(more.Submenu, nullptr);
  EXPECT_EQ(more.Id, 0u);
  ASSERT_EQ(::GetMenuItemCount(more.Submenu), 2);
  const NativeItem first = Native(more.Submenu, 0), second = Native(more.Submenu, 1);
  EXPECT_TRUE(first.Type & MFT_RADIOCHECK);
  EXPECT_FALSE(first.State & MFS_CHECKED);
  EXPECT_TRUE(second.Type & MFT_RADIOCHECK);
  EXPECT_TRUE(second.State & MFS_CHECKED);

  // One command per choosable item, each its own.
  EXPECT_EQ(built.Commands.size(), 4u);  // Settings, Disabled, First, Second
  EXPECT_EQ(built.Commands.at(first.Id), s.first);
  EXPECT_EQ(built.Commands.at(second.Id), s.second);
  EXPECT_NE(first.Id, second.Id);
  for (const auto& [id, item] : built.Commands) EXPECT_NE(item, s.hidden);
}

TEST(PopupMenuTest, ASubmenuWithNothingShownIsDisabled) {
  ui::PopupMenu menu;
  ui::MenuItem* parent = menu.Items().Add(L"Drives");
  parent->Add(L"C:\\")->Visible = false;
  const ui::BuiltMenu built = menu.Build();
  const NativeItem item = Native(built.Handle(), 0);
  ASSERT_NE(item.Submenu, nullptr);
  EXPECT_EQ(item.State & MFS_DISABLED, static_cast<UINT>(MFS_DISABLED));
}

TEST(PopupMenuTest, InvokingACommandRunsOnlyThatItemsHandler) {
  SampleMenu s;
  const ui::BuiltMenu built = s.menu.Build();
  const UINT settings = Native(built.Handle(), 0).Id;
  const UINT disabled = Native(built.Handle(), 2).Id;
  const UINT second = Native(Native(built.Handle(), 4).Submenu, 1).Id;

  EXPECT_TRUE(s.menu.Invoke(built, settings));
  EXPECT_TRUE(s.menu.Invoke(built, second));
  EXPECT_FALSE(s.menu.Invoke(built, disabled)) << "the system never returns a disabled item";
  EXPECT_FALSE(s.menu.Invoke(built, 0));
  EXPECT_FALSE(s.menu.Invoke(built, 9999));
  EXPECT_EQ(s.clicked, (std::vector<ui::MenuItem*>{s.settings, s.second}));
}

TEST(PopupMenuTest, OnPopupRunsBeforeEveryBuildAndItsChangesAreShown) {
  ui::PopupMenu menu;
  ui::MenuItem& root = menu.Items();
  root.Add(L"Top");
  ui::MenuItem* marker = root.AddSeparator();
  marker->Tag = 1000;
  root.Add(L"Exit");
  std::vector<std::wstring> drives = {L"C:\\", L"D:\\"};
  int popups = 0;
  std::vector<std::wstring> ran;
  menu.OnPopup = [&] {
    ++popups;
    for (int i = root.Count() - 1; i >= 0; --i) {
      if (root.Item(i)->Tag == 1001) root.Delete(i);
    }
    int at = root.IndexOf(marker) + 1;
    for (const std::wstring& d : drives) {
      ui::MenuItem* item = root.Insert(at++, d + L"   [ A&B ]");
      item->Tag = 1001;
      item->Hint = d;
      item->ShowAccelChar = false;
      item->OnClick = [&ran](ui::MenuItem& sender) { ran.push_back(sender.Hint); };
    }
  };

  const ui::BuiltMenu first = menu.Prepare();
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(::GetMenuItemCount(first.Handle()), 5);
  const UINT oldDrive = Native(first.Handle(), 3).Id;  // D:

  drives = {L"C:\\", L"E:\\"};
  const ui::BuiltMenu second = menu.Prepare();
  EXPECT_EQ(popups, 2);
  ASSERT_EQ(::GetMenuItemCount(second.Handle()), 5) << "one item per drive after every popup";
  EXPECT_EQ(Native(second.Handle(), 3).Text, L"E:\\   [ A&&B ]");
  EXPECT_EQ(root.Count(), 5);

  // The D: item of the first appearance is gone: choosing it from that menu runs nothing,
  // not even whatever item now stands in its place.
  EXPECT_FALSE(menu.Invoke(first, oldDrive));
  EXPECT_TRUE(ran.empty());
  EXPECT_TRUE(menu.Invoke(second, Native(second.Handle(), 3).Id));
  EXPECT_EQ(ran, (std::vector<std::wstring>{L"E:\\"}));
}

TEST(PopupMenuTest, AnItemRemovedAfterBuildingIsNotInvoked) {
  SampleMenu s;
  const ui::BuiltMenu built = s.menu.Build();
  const UINT first = Native(Native(built.Handle(), 4).Submenu, 0).Id;
  s.more->Clear();
  s.more->Add(L"First")->OnClick = [&s](ui::MenuItem& sender) { s.clicked.push_back(&sender); };
  EXPECT_FALSE(s.menu.Invoke(built, first));
  EXPECT_TRUE(s.clicked.empty());
}

TEST(PopupMenuTest, TheItemTreeKeepsOrderAndOwnership) {
  ui::MenuItem root;
  ui::MenuItem* b = root.Add(L"b");
  ui::MenuItem* a = root.Insert(0, L"a");
  ui::MenuItem* c = root.Insert(99, L"c");  // clamped to the end
  ASSERT_EQ(root.Count(), 3);
  EXPECT_EQ(root.Item(0), a);
  EXPECT_EQ(root.Item(1), b);
  EXPECT_EQ(root.Item(2), c);
  EXPECT_EQ(b->Parent(), &root);
  ui::MenuItem* child = b->Add(L"b1");
  EXPECT_TRUE(root.Contains(child));
  EXPECT_TRUE(root.Remove(b));
  ui::MenuItem stranger;
  EXPECT_FALSE(root.Remove(&stranger));
  EXPECT_FALSE(root.Contains(&stranger));
  EXPECT_EQ(root.IndexOf(c), 1);
  EXPECT_EQ(root.Item(5), nullptr);
  // An item put below itself would own itself; it stays where it was.
  auto loose = std::make_unique<ui::MenuItem>(L"x");
  ui::MenuItem* inner = loose->Add(L"y");
  EXPECT_THROW(inner->Add(std::move(loose)), os::Error);
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(inner->Count(), 0);
}

TEST(PopupMenuTest, TheMenuFindsAcceleratorsInCaptionsThatShowThem) {
  ui::PopupMenu menu;
  menu.Items().Add(L"&Settings");
  ui::MenuItem* data = menu.Items().Add(L"&Data");
  data->ShowAccelChar = false;  // a volume label
  menu.Items().Add(L"Tom && &Jerry");
  menu.Items().Add(L"&Off")->Enabled = false;
  const ui::BuiltMenu built = menu.Build();
  struct Case {
    wchar_t key;
    int position;
  };
  const Case cases[] = {{L's', 0}, {L'S', 0}, {L'd', -1}, {L'j', 2}, {L't', -1}, {L'o', -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(ui::PopupMenu::FindAccelerator(built, built.Handle(), c.key), c.position) << static_cast<char>(c.key);
  }
}

// --- Owner drawing

ui::MenuEntry Entry(const std::wstring& caption) {
  ui::MenuEntry e;
  e.Caption = caption;
  return e;
}

TEST(PopupMenuDrawingTest, SizesFollowTheFontTheDpiAndTheCaptionsAmpersands) {
  Surface surface(10, 10);
  HDC dc = surface.Dc();
  const ui::MenuEntry plain = Entry(L"Documents and Settings");
  const SIZE base = ui::PopupMenu::MeasureEntry(dc, plain, 96);

  ui::MenuEntry bold = plain;
  bold.Bold = true;
  EXPECT_GT(ui::PopupMenu::MeasureEntry(dc, bold, 96).cx, base.cx);

  ui::MenuEntry big = plain;
  big.FontSizePercent = 200;
  const SIZE bigSize = ui::PopupMenu::MeasureEntry(dc, big, 96);
  EXPECT_GT(bigSize.cx, base.cx * 3 / 2);
  EXPECT_GT(bigSize.cy, base.cy);

  const SIZE doubled = ui::PopupMenu::MeasureEntry(dc, plain, 192);
  EXPECT_GE(doubled.cx, base.cx * 9 / 5) << "twice the DPI, about twice as wide";
  EXPECT_GE(doubled.cy, base.cy * 9 / 5);

  // "A&B" shows as "AB" with an underline, or, for a caption made from data, as "A&B".
  ui::MenuEntry accel = Entry(L"A&B");
  ui::MenuEntry data = accel;
  data.ShowAccelChar = false;
  EXPECT_GT(ui::PopupMenu::MeasureEntry(dc, data, 96).cx,
            ui::PopupMenu::MeasureEntry(dc, accel, 96).cx);
  EXPECT_EQ(ui::PopupMenu::MeasureEntry(dc, accel, 96).cx,
            ui::PopupMenu::MeasureEntry(dc, Entry(L"AB"), 96).cx);

  // A tall image makes a tall item.
  ui::ImageList tall(32, 32);
  tall.Add(SolidPng(32, 32, 0xFF0000FF));
  ui::MenuEntry withImage = plain;
  withImage.Images = &tall;
  withImage.ImageIndex = 0;
  withImage.GutterWidth = 32;
  const SIZE imageSize = ui::PopupMenu::MeasureEntry(dc, withImage, 96);
  EXPECT_GE(imageSize.cy, 32);
  EXPECT_GT(imageSize.cx, base.cx) << "a wider gutter";
}

class PopupMenuPaintTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 240, kHeight = 24;
  // The gutter, where the image or the check mark goes, and the text's area.
  static constexpr RECT kGutter{0, 0, 28, kHeight};
  static constexpr RECT kText{30, 0, kWidth - 24, kHeight};

  void Draw(const ui::MenuEntry& entry, UINT state = 0) {
    surface.Fill(RGB(1, 2, 3));  // no system colour
    ui::PopupMenu::DrawEntry(surface.Dc(), entry, RECT{0, 0, kWidth, kHeight}, state, 96);
  }
  COLORREF Menu() const { return ::GetSysColor(COLOR_MENU); }

  Surface surface{kWidth, kHeight};
};

TEST_F(PopupMenuPaintTest, ACheckedItemWithoutImageShowsAMark) {
  struct Case {
    const char* what;
    bool checked;
    bool radio;
  };
  const Case cases[] = {{"plain", false, false}, {"checked", true, false},
                        {"radio", true, true}, {"radio off", false, true}};
  int checkPixels = 0, bulletPixels = 0;
  for (const Case& c : cases) {
    ui::MenuEntry e = Entry(L"Enabled - Mouse Indicator");
    e.Checked = c.checked;
    e.RadioItem = c.radio;
    Draw(e);
    const int marked = surface.CountOtherThan(kGutter, Menu());
    if (c.checked) {
      EXPECT_GT(marked, 6) << c.what;
      (c.radio ? bulletPixels : checkPixels) = marked;
    } else {
      EXPECT_EQ(marked, 0) << c.what;
    }
    EXPECT_EQ(surface.CountOf({0, 0, kWidth, kHeight}, RGB(1, 2, 3)), 0) << c.what << ": all painted";
  }
  EXPECT_NE(checkPixels, bulletPixels) << "a tick and a bullet look different";
}

TEST_F(PopupMenuPaintTest, AnItemsImageIsDrawnInTheGutter) {
  ui::ImageList images(16, 16);
  images.Add(SolidPng(16, 16, 0xFF00C000));
  ui::MenuEntry e = Entry(L"Documents");
  e.Images = &images;
  e.ImageIndex = 0;
  e.GutterWidth = 16;
  Draw(e);
  EXPECT_EQ(surface.CountOf(kGutter, RGB(0, 192, 0)), 16 * 16);

  e.Checked = true;  // a checked item keeps its image and gets a frame
  Draw(e);
  EXPECT_EQ(surface.CountOf(kGutter, RGB(0, 192, 0)), 16 * 16);
  EXPECT_GT(surface.CountOtherThan(kGutter, Menu()), 16 * 16);

  e.ImageIndex = 5;  // out of the list: nothing
  e.Checked = false;
  Draw(e);
  EXPECT_EQ(surface.CountOtherThan(kGutter, Menu()), 0);
}

TEST_F(PopupMenuPaintTest, TheHighlightShowsOnlyOnItemsThatCanBeChosen) {
  BOOL flat = FALSE;
  ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
  const COLORREF highlight = ::GetSysColor(flat ? COLOR_MENUHILIGHT : COLOR_HIGHLIGHT);
  ASSERT_NE(highlight, Menu());
  struct Case {
    const char* what;
    ui::MenuItemKind kind;
    bool enabled;
    COLORREF background;
  };
  const Case cases[] = {{"item", ui::MenuItemKind::Normal, true, highlight},
                        {"disabled", ui::MenuItemKind::Normal, false, Menu()},
                        {"label", ui::MenuItemKind::Label, true, Menu()}};
  for (const Case& c : cases) {
    ui::MenuEntry e = Entry(L"x");
    e.Kind = c.kind;
    e.Enabled = c.enabled;
    Draw(e, ODS_SELECTED);
    EXPECT_EQ(surface.At(kWidth - 2, 1), c.background) << c.what;
  }
}

TEST_F(PopupMenuPaintTest, CaptionsTakeTheItemsColourUnlessDisabled) {
  const auto reddish = [this] {
    int n = 0;
    for (int y = kText.top; y < kText.bottom; ++y) {
      for (int x = kText.left; x < kText.right; ++x) {
        const COLORREF p = surface.At(x, y);
        if (GetRValue(p) > 160 && GetGValue(p) < 90 && GetBValue(p) < 90) ++n;
      }
    }
    return n;
  };
  ui::MenuEntry e = Entry(L"MMMM WWWW");
  e.FontColor = os::clRed;
  e.Bold = true;
  Draw(e);
  EXPECT_GT(reddish(), 10);
  EXPECT_GT(surface.CountOtherThan(kText, Menu()), 10);

  e.Enabled = false;
  Draw(e);
  EXPECT_EQ(reddish(), 0);
  EXPECT_GT(surface.CountOtherThan(kText, Menu()), 10) << "still shown, grey";

  e.Enabled = true;
  e.Caption.clear();
  Draw(e);
  EXPECT_EQ(surface.CountOtherThan(kText, Menu()), 0);
}

TEST_F(PopupMenuPaintTest, DataCaptionsShowTheirAmpersand) {
  // Drawn as "A&B" the caption is wider than "AB" with an underlined B.
  const auto inked = [this] {
    int right = 0;
    for (int y = kText.top; y < kText.bottom; ++y) {
      for (int x = kText.left; x < kText.right; ++x) {
        if (surface.At(x, y) != Menu()) right = std::max(right, x);
      }
    }
    return right;
  };
  ui::MenuEntry e = Entry(L"WW&WW");
  Draw(e);
  const int withAccel = inked();
  e.ShowAccelChar = false;
  Draw(e);
  EXPECT_GT(inked(), withAccel);
}

// --- Showing the menu for real: a thread timer plays the user inside the menu loop.

struct MenuScript {
  ui::PopupMenu* Menu = nullptr;
  std::vector<std::pair<UINT, WPARAM>> Keys;  // posted to the menu one per tick
  size_t Next = 0;
  int Ticks = 0;
  bool SawMenuMode = false;
  int FirstItemHeight = 0;  // as the shown menu laid it out
};
MenuScript* g_script = nullptr;

bool InMenuMode() {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(::GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE) != 0;
}

// The menu window of this thread: other test programs of the run may show menus too.
HWND ShownMenuWindow() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND w, LPARAM out) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(w, name, 16);
        if (std::wstring(name) != L"#32768" || !::IsWindowVisible(w)) return TRUE;
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK PlayUser(HWND, UINT, UINT_PTR, DWORD) {
  MenuScript& s = *g_script;
  ++s.Ticks;
  if (InMenuMode() && !s.SawMenuMode) {
    s.SawMenuMode = true;
    HWND shown = ShownMenuWindow();
    HMENU menu = shown != nullptr ? reinterpret_cast<HMENU>(::SendMessageW(shown, MN_GETHMENU, 0, 0))
                                  : nullptr;
    RECT r{};
    if (menu != nullptr && ::GetMenuItemRect(nullptr, menu, 0, &r)) s.FirstItemHeight = r.bottom - r.top;
  }
  if (s.Next < s.Keys.size()) {
    const auto [message, key] = s.Keys[s.Next++];
    ::PostMessageW(s.Menu->OwnerWindow(), message, key, 0);
  } else if (s.Ticks > 40) {
    ::EndMenu();  // the script did not close it: do not hang the suite
  }
}

class PopupMenuShowTest : public ::testing::Test {
 protected:
  void Show(ui::PopupMenu& menu, std::vector<std::pair<UINT, WPARAM>> keys) {
    script.Menu = &menu;
    script.Keys = std::move(keys);
    g_script = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &PlayUser);
    menu.Popup(100, 100);
    ::KillTimer(nullptr, timer);
    g_script = nullptr;
    // Empty the queue of what the menu left (the posted WM_NULL).
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  MenuScript script;
};

TEST_F(PopupMenuShowTest, TheChosenItemRunsAfterTheMenuHasClosed) {
  ui::PopupMenu menu;
  bool ranInMenu = true, ranWhileShowing = true;
  int clicks = 0, popups = 0;
  menu.OnPopup = [&] {
    ++popups;
    menu.Items().Clear();
    ui::MenuItem* item = menu.Items().Add(L"&Open");
    item->OnClick = [&](ui::MenuItem&) {
      ++clicks;
      ranInMenu = InMenuMode();
      ranWhileShowing = menu.Showing();
    };
    menu.Items().Add(L"&Close");
  };
  Show(menu, {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, L'\r'}});
  EXPECT_TRUE(script.SawMenuMode) << "the menu did not show";
  // The owner window measured the items.
  Surface surface(4, 4);
  const int dpi = static_cast<int>(::GetDpiForWindow(menu.OwnerWindow()));
  EXPECT_EQ(script.FirstItemHeight, ui::PopupMenu::MeasureEntry(surface.Dc(), Entry(L"&Open"), dpi).cy);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(ranInMenu);
  EXPECT_FALSE(ranWhileShowing);
  EXPECT_FALSE(menu.Showing());
}

TEST_F(PopupMenuShowTest, AMenuClosedWithoutChoiceRunsNothing) {
  ui::PopupMenu menu;
  int clicks = 0;
  menu.Items().Add(L"&Open")->OnClick = [&](ui::MenuItem&) { ++clicks; };
  Show(menu, {{WM_KEYDOWN, VK_ESCAPE}});
  EXPECT_TRUE(script.SawMenuMode);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(menu.Showing());
}

}  // namespace
