#pragma once
// A popup menu built afresh from a tree of items at each appearance. The items are owner-drawn,
// so that images, fonts, colours and check marks show, measured for the DPI of the monitor the
// menu opens on. The chosen item's OnClick runs after the menu has closed, outside the menu loop.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "os/types.h"
#include "ui/component.h"
#include "ui/handles.h"
#include "ui/image_source.h"

namespace ui {

inline constexpr os::TColor clMenuText = static_cast<os::TColor>(0xFF000000 | COLOR_MENUTEXT);

enum class MenuItemKind {
  Normal,
  Separator,
  Label,  // a heading: shown in its font and colour, never chosen
};

class MenuItem : public Component {
 public:
  explicit MenuItem(std::wstring caption = {}, MenuItemKind kind = MenuItemKind::Normal);
  ~MenuItem() override;

  // Read each time the menu is built; between appearances a change costs nothing.
  MenuItemKind Kind;
  std::wstring Caption;
  std::wstring Hint;
  bool Visible = true;
  bool Enabled = true;
  bool Checked = false;
  bool RadioItem = false;  // a bullet instead of a check mark
  // Off for captions made from data (volume labels, window titles): "&" then shows as itself.
  bool ShowAccelChar = true;
  int ImageIndex = -1;
  const ImageSource* Images = nullptr;  // null: the menu's images
  std::wstring FontName;                // empty: the menu font
  int FontSizePercent = 100;            // of the menu font
  bool Bold = false;
  os::TColor FontColor = clMenuText;

  std::function<void(MenuItem& sender)> OnClick;
  void Click();

  // Children: an item that has some opens a submenu.
  MenuItem* Parent() const noexcept { return m_parent; }
  int Count() const noexcept { return static_cast<int>(m_items.size()); }
  MenuItem* Item(int index) const noexcept;  // null out of range
  int IndexOf(const MenuItem* item) const noexcept;  // -1 when not a child
  MenuItem* Add(std::unique_ptr<MenuItem>&& item);
  MenuItem* Add(std::wstring caption = {});
  MenuItem* AddSeparator();
  // Taken only when it can be: after an error the caller still has it.
  MenuItem* Insert(int index, std::unique_ptr<MenuItem>&& item);  // index clamped to 0..Count
  MenuItem* Insert(int index, std::wstring caption = {});
  void Delete(int index);       // destroys the child
  bool Remove(MenuItem* item);  // destroys it when it is a child; false when not
  void Clear();
  // Whether the item is this one or below it; never touches `item` itself.
  bool Contains(const MenuItem* item) const noexcept;
  // Distinguishes an item from a later one that happens to get the same address.
  std::uint64_t Serial() const noexcept { return m_serial; }

 private:
  MenuItem* m_parent = nullptr;
  std::vector<std::unique_ptr<MenuItem>> m_items;
  std::uint64_t m_serial;
};

// What one native item of a built menu shows, copied from its MenuItem at build time, so that
// drawing never reaches into an item tree that a handler may have changed meanwhile.
struct MenuEntry {
  MenuItem* Item = nullptr;  // compare only; see PopupMenu::Invoke
  std::uint64_t Serial = 0;
  UINT CommandId = 0;  // 0: no command (a label, a submenu)
  MenuItemKind Kind = MenuItemKind::Normal;
  std::wstring Caption;
  bool Enabled = true;
  bool Checked = false;
  bool RadioItem = false;
  bool ShowAccelChar = true;
  bool HasSubmenu = false;
  int ImageIndex = -1;
  const ImageSource* Images = nullptr;  // resolved: the item's or the menu's
  std::wstring FontName;
  int FontSizePercent = 100;
  bool Bold = false;
  os::TColor FontColor = clMenuText;
  int GutterWidth = 0;  // the widest image of the entry's level, in pixels

  bool HasImage() const noexcept;
};

// A native menu built from the visible items. Each owner-drawn item's item data is its index in
// Entries; separators are native separators.
struct BuiltMenu {
  UniqueMenu Menu;  // destroying it destroys the submenus too
  std::map<UINT, MenuItem*> Commands;
  std::vector<MenuEntry> Entries;

  HMENU Handle() const noexcept { return Menu.Get(); }
  const MenuEntry* EntryOf(UINT commandId) const noexcept;
};

class PopupMenu : public Component {
 public:
  PopupMenu();
  ~PopupMenu() override;

  MenuItem& Items() noexcept { return m_root; }
  const MenuItem& Items() const noexcept { return m_root; }
  const ImageSource* Images = nullptr;  // for items without images of their own
  // Runs before every appearance; may change the item tree.
  std::function<void()> OnPopup;

  // Runs OnPopup, shows the menu at a screen point until it closes, then runs the OnClick of
  // the chosen item.
  virtual void Popup(int x, int y);
  bool Showing() const noexcept { return m_showing != nullptr; }

  // What Popup shows: OnPopup first, then Build.
  BuiltMenu Prepare();
  // The native menu of the visible items as they are now.
  BuiltMenu Build() const;
  // Runs the OnClick of the item that `commandId` stood for, as if it had been chosen; nothing
  // when that item has left the menu or was not enabled. True when a handler ran.
  bool Invoke(const BuiltMenu& menu, UINT commandId);

  // Owner drawing at a DPI; state holds ODS_* flags.
  static SIZE MeasureEntry(HDC dc, const MenuEntry& entry, int dpi);
  static void DrawEntry(HDC dc, const MenuEntry& entry, const RECT& rect, UINT state, int dpi);
  // The position in `menu` of the item whose caption underlines `key`; -1 when none. Owner-drawn
  // items have no text for the system to look in.
  static int FindAccelerator(const BuiltMenu& built, HMENU menu, wchar_t key);

  // The hidden window that owns the menu while it shows.
  HWND OwnerWindow();

 private:
  template <class T>
  friend LRESULT CALLBACK WindowThunk(HWND, UINT, WPARAM, LPARAM) noexcept;
  void AttachWindow(HWND hwnd) noexcept;
  void DetachWindow() noexcept;
  LRESULT ThunkMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  bool OwnerMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  MenuItem m_root;
  UniqueWindow m_owner;
  const BuiltMenu* m_showing = nullptr;
  int m_dpi = 96;
};

}  // namespace ui
