#include "ui/popup_menu.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "os/error.h"
#include "ui/application.h"
#include "ui/native_calls.h"
#include "ui/window_thunk.h"
#include "ui/canvas.h"
#include "ui/font.h"

namespace ui {
namespace {

std::uint64_t g_nextSerial = 1;
constexpr wchar_t kOwnerClass[] = L"HalvarinMenuOwner";

int Px(int value, int dpi) { return ::MulDiv(value, dpi, 96); }

// The native text of a caption that shows its "&": doubled, or the system would take it for an
// accelerator.
std::wstring Escaped(const std::wstring& caption) {
  std::wstring out;
  out.reserve(caption.size());
  for (wchar_t c : caption) {
    if (c == L'&') out += L'&';
    out += c;
  }
  return out;
}

LOGFONTW MenuLogFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                   static_cast<UINT>(dpi))) {
    return metrics.lfMenuFont;
  }
  LOGFONTW font{};
  font.lfHeight = -Px(12, dpi);
  font.lfWeight = FW_NORMAL;
  wcscpy_s(font.lfFaceName, L"Segoe UI");
  return font;
}

Font EntryFont(const MenuEntry& entry, int dpi) {
  const LOGFONTW menu = MenuLogFont(dpi);
  Font font;
  font.Name = entry.FontName.empty() ? std::wstring(menu.lfFaceName) : entry.FontName;
  const int base = menu.lfHeight != 0 ? std::abs(menu.lfHeight) : Px(12, dpi);
  font.Height = std::max(1, ::MulDiv(base, std::max(1, entry.FontSizePercent), 100));
  font.Bold = entry.Bold || menu.lfWeight >= FW_BOLD;
  return font;
}

// Horizontal layout of an item, from its left edge: margin, gutter (image or check mark), gap,
// text, and room for the submenu arrow the system draws.
struct Layout {
  int GutterLeft;
  int GutterWidth;
  int TextLeft;
  int RightRoom;
  int CheckSize;
};

Layout MakeLayout(const MenuEntry& entry, int dpi) {
  Layout l{};
  l.CheckSize = Px(16, dpi);
  l.GutterLeft = Px(2, dpi);
  l.GutterWidth = std::max(l.CheckSize, entry.GutterWidth) + 2 * Px(4, dpi);
  l.TextLeft = l.GutterLeft + l.GutterWidth + Px(4, dpi);
  l.RightRoom = Px(24, dpi);
  return l;
}

UINT TextFlags(const MenuEntry& entry) {
  return DT_SINGLELINE | DT_LEFT | DT_VCENTER | (entry.ShowAccelChar ? 0u : UINT{DT_NOPREFIX});
}

COLORREF HighlightColor() {
  BOOL flat = FALSE;
  ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
  return ::GetSysColor(flat ? COLOR_MENUHILIGHT : COLOR_HIGHLIGHT);
}

void DrawCheck(HDC dc, const RECT& box, bool radio, COLORREF color, int dpi) {
  const int size = box.right - box.left;
  if (radio) {
    const int d = std::max(4, size * 6 / 16);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    UniqueBrush brush(::CreateSolidBrush(color));
    UniquePen pen(::CreatePen(PS_SOLID, 1, color));
    SelectedObject b(dc, brush.Get());
    SelectedObject p(dc, pen.Get());
    ::Ellipse(dc, cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d);
    return;
  }
  const POINT tick[3] = {{box.left + size * 3 / 16, box.top + size * 8 / 16},
                         {box.left + size * 6 / 16, box.top + size * 11 / 16},
                         {box.left + size * 13 / 16, box.top + size * 4 / 16}};
  UniquePen pen(::CreatePen(PS_SOLID, std::max(1, Px(2, dpi)), color));
  SelectedObject p(dc, pen.Get());
  ::Polyline(dc, tick, 3);
}

// The accelerator character of a caption: the one after a single "&"; 0 when none.
wchar_t AccelChar(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;  // "&&" is a plain "&"
  }
  return 0;
}

wchar_t Upper(wchar_t c) {
  return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
      ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}

void BuildLevel(HMENU menu, const MenuItem& parent, const ImageSource* menuImages,
                BuiltMenu& built, UINT& nextId);

MenuEntry MakeEntry(const MenuItem& item, const ImageSource* menuImages) {
  MenuEntry e;
  e.Item = const_cast<MenuItem*>(&item);
  e.Serial = item.Serial();
  e.Kind = item.Kind;
  e.Caption = item.Caption;
  e.Enabled = item.Enabled;
  e.Checked = item.Checked;
  e.RadioItem = item.RadioItem;
  e.ShowAccelChar = item.ShowAccelChar;
  e.ImageIndex = item.ImageIndex;
  e.Images = item.Images != nullptr ? item.Images : menuImages;
  e.FontName = item.FontName;
  e.FontSizePercent = item.FontSizePercent;
  e.Bold = item.Bold;
  e.FontColor = item.FontColor;
  return e;
}

void InsertEntry(HMENU menu, UINT position, const MenuItem& item, const ImageSource* menuImages,
                 int gutter, BuiltMenu& built, UINT& nextId) {
  MenuEntry entry = MakeEntry(item, menuImages);
  entry.GutterWidth = gutter;
  const std::wstring text = entry.ShowAccelChar ? entry.Caption : Escaped(entry.Caption);

  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  // The text is kept beside the owner drawing: the system finds keyboard accelerators in it.
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
  info.fType = MFT_OWNERDRAW | (entry.RadioItem ? MFT_RADIOCHECK : 0u);
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());

  UniqueMenu submenu;
  if (item.Count() > 0) {
    submenu.Reset(::CreatePopupMenu());
    if (!submenu) throw os::Error(L"Cannot create a menu.");
    BuildLevel(submenu.Get(), item, menuImages, built, nextId);
    entry.HasSubmenu = true;
    // Nothing inside is shown: offer no empty submenu.
    if (::GetMenuItemCount(submenu.Get()) == 0) entry.Enabled = false;
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = submenu.Get();
  } else if (entry.Kind == MenuItemKind::Normal) {
    entry.CommandId = nextId++;
  }
  if (entry.Kind == MenuItemKind::Label) entry.Enabled = false;
  info.wID = entry.CommandId;
  info.fState = (entry.Checked ? MFS_CHECKED : 0u) | (entry.Enabled ? 0u : MFS_DISABLED);
  info.dwItemData = built.Entries.size();
  if (!::InsertMenuItemW(menu, position, TRUE, &info)) throw os::Error(L"Cannot build a menu.");
  submenu.Release();  // now the parent menu's
  if (entry.CommandId != 0) built.Commands[entry.CommandId] = entry.Item;
  built.Entries.push_back(std::move(entry));
}

void BuildLevel(HMENU menu, const MenuItem& parent, const ImageSource* menuImages,
                BuiltMenu& built, UINT& nextId) {
  // One gutter width for the level, so that the captions line up.
  int gutter = 0;
  for (int i = 0; i < parent.Count(); ++i) {
    const MenuItem& item = *parent.Item(i);
    const ImageSource* images = item.Images != nullptr ? item.Images : menuImages;
    if (item.Visible && item.ImageIndex >= 0 && images != nullptr) {
      gutter = std::max(gutter, images->ImageWidth());
    }
  }
  UINT position = 0;
  for (int i = 0; i < parent.Count(); ++i) {
    const MenuItem& item = *parent.Item(i);
    if (!item.Visible) continue;
    if (item.Kind == MenuItemKind::Separator) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
      if (!::InsertMenuItemW(menu, position, TRUE, &info)) throw os::Error(L"Cannot build a menu.");
    } else {
      InsertEntry(menu, position, item, menuImages, gutter, built, nextId);
    }
    ++position;
  }
}

}  // namespace

// --- MenuItem

MenuItem::MenuItem(std::wstring caption, MenuItemKind kind)
    : Kind(kind), Caption(std::move(caption)), m_serial(g_nextSerial++) {}

MenuItem::~MenuItem() = default;

void MenuItem::Click() {
  // A copy: the handler may delete this item.
  if (auto handler = OnClick) handler(*this);
}

MenuItem* MenuItem::Item(int index) const noexcept {
  if (index < 0 || index >= Count()) return nullptr;
  return m_items[static_cast<size_t>(index)].get();
}

int MenuItem::IndexOf(const MenuItem* item) const noexcept {
  for (int i = 0; i < Count(); ++i) {
    if (m_items[static_cast<size_t>(i)].get() == item) return i;
  }
  return -1;
}

MenuItem* MenuItem::Insert(int index, std::unique_ptr<MenuItem>&& item) {
  if (!item) return nullptr;
  // Under one of its own children it would own itself.
  if (item->Contains(this)) throw os::Error(L"A menu item cannot be put below itself.");
  index = std::clamp(index, 0, Count());
  item->m_parent = this;
  MenuItem* raw = item.get();
  m_items.insert(m_items.begin() + index, std::move(item));
  return raw;
}

MenuItem* MenuItem::Insert(int index, std::wstring caption) {
  return Insert(index, std::make_unique<MenuItem>(std::move(caption)));
}

MenuItem* MenuItem::Add(std::unique_ptr<MenuItem>&& item) { return Insert(Count(), std::move(item)); }

MenuItem* MenuItem::Add(std::wstring caption) { return Insert(Count(), std::move(caption)); }

MenuItem* MenuItem::AddSeparator() {
  return Add(std::make_unique<MenuItem>(std::wstring(), MenuItemKind::Separator));
}

void MenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  // Out of the list first: the item's destruction must not find itself still a child.
  std::unique_ptr<MenuItem> gone = std::move(m_items[static_cast<size_t>(index)]);
  m_items.erase(m_items.begin() + index);
}

bool MenuItem::Remove(MenuItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return false;
  Delete(index);
  return true;
}

void MenuItem::Clear() {
  std::vector<std::unique_ptr<MenuItem>> gone = std::move(m_items);
  m_items.clear();
}

bool MenuItem::Contains(const MenuItem* item) const noexcept {
  if (item == this) return true;
  for (const auto& child : m_items) {
    if (child->Contains(item)) return true;
  }
  return false;
}

// --- BuiltMenu

bool MenuEntry::HasImage() const noexcept {
  return Images != nullptr && ImageIndex >= 0 && ImageIndex < Images->ImageCount();
}

const MenuEntry* BuiltMenu::EntryOf(UINT commandId) const noexcept {
  if (commandId == 0) return nullptr;
  for (const MenuEntry& e : Entries) {
    if (e.CommandId == commandId) return &e;
  }
  return nullptr;
}

// --- PopupMenu

PopupMenu::PopupMenu() = default;

PopupMenu::~PopupMenu() { m_owner.Reset(); }

HWND PopupMenu::OwnerWindow() {
  if (!m_owner) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSEXW wc{sizeof(wc)};
      wc.lpfnWndProc = &WindowThunk<PopupMenu>;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = kOwnerClass;
      registered = ::RegisterClassExW(&wc) != 0;
    }
    // Top-level, not message-only: it must be able to become the foreground window.
    ::CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                      ::GetModuleHandleW(nullptr), this);
    if (!m_owner) throw os::Error(L"Cannot create the menu's window.");
  }
  return m_owner.Get();
}

BuiltMenu PopupMenu::Prepare() {
  if (auto onPopup = OnPopup) onPopup();
  return Build();
}

BuiltMenu PopupMenu::Build() const {
  BuiltMenu built;
  built.Menu.Reset(::CreatePopupMenu());
  if (!built.Menu) throw os::Error(L"Cannot create a menu.");
  UINT nextId = 1;
  BuildLevel(built.Menu.Get(), m_root, Images, built, nextId);
  return built;
}

bool PopupMenu::Invoke(const BuiltMenu& menu, UINT commandId) {
  const MenuEntry* entry = menu.EntryOf(commandId);
  if (entry == nullptr || !entry->Enabled) return false;
  // The item may have been deleted since the menu was built; its address is only compared
  // until the tree shows it is still there.
  if (!m_root.Contains(entry->Item) || entry->Item->Serial() != entry->Serial) return false;
  entry->Item->Click();
  return true;
}

void PopupMenu::Popup(int x, int y) {
  if (m_showing != nullptr) return;  // one appearance at a time
  BuiltMenu built = Prepare();
  if (::GetMenuItemCount(built.Handle()) <= 0) return;
  HWND owner = OwnerWindow();
  // The hidden owner on the monitor the menu opens on gives the DPI to measure the items for.
  native::SetWindowPos(owner, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const UINT dpi = ::GetDpiForWindow(owner);
  m_dpi = dpi != 0 ? static_cast<int>(dpi) : 96;

  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON;
  flags |= ::GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  m_showing = &built;
  // The classic rule for menus of notification icons: without the owner in the foreground the
  // menu does not close on a click elsewhere, and without the posted message a second popup
  // would close at once.
  ::SetForegroundWindow(owner);
  const UINT command =
      static_cast<UINT>(::TrackPopupMenuEx(built.Handle(), flags, x, y, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  m_showing = nullptr;
  if (command != 0) Invoke(built, command);
}

SIZE PopupMenu::MeasureEntry(HDC dc, const MenuEntry& entry, int dpi) {
  const Layout l = MakeLayout(entry, dpi);
  const Font font = EntryFont(entry, dpi);
  SelectedObject selected(dc, FontHandle(font));
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  RECT r{0, 0, 0, 0};
  const std::wstring& text = entry.Caption.empty() ? std::wstring(L" ") : entry.Caption;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFlags(entry) | DT_CALCRECT);
  const int imageHeight = entry.HasImage() ? entry.Images->ImageHeight() : 0;
  const int height = std::max({static_cast<int>(tm.tmHeight) + Px(6, dpi),
                               imageHeight + Px(6, dpi), l.CheckSize + Px(6, dpi)});
  return SIZE{l.TextLeft + (r.right - r.left) + l.RightRoom, height};
}

void PopupMenu::DrawEntry(HDC dc, const MenuEntry& entry, const RECT& rect, UINT state, int dpi) {
  const Layout l = MakeLayout(entry, dpi);
  const bool choosable = entry.Kind == MenuItemKind::Normal && entry.Enabled;
  const bool selected = choosable && (state & ODS_SELECTED) != 0;
  const COLORREF back = selected ? HighlightColor() : ::GetSysColor(COLOR_MENU);
  COLORREF fore = ColorRef(entry.FontColor);
  if (entry.Kind == MenuItemKind::Normal && !entry.Enabled) fore = ::GetSysColor(COLOR_GRAYTEXT);
  if (selected) fore = ::GetSysColor(COLOR_HIGHLIGHTTEXT);

  ::SetBkColor(dc, back);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);

  const RECT gutter{rect.left + l.GutterLeft, rect.top, rect.left + l.GutterLeft + l.GutterWidth,
                    rect.bottom};
  if (entry.HasImage()) {
    const int w = entry.Images->ImageWidth(), h = entry.Images->ImageHeight();
    const int x = gutter.left + (gutter.right - gutter.left - w) / 2;
    const int y = gutter.top + (gutter.bottom - gutter.top - h) / 2;
    if (entry.Checked) {
      // A checked item with an image shows the image framed.
      const int m = Px(2, dpi);
      const RECT frame{x - m, y - m, x + w + m, y + h + m};
      UniqueBrush brush(::CreateSolidBrush(HighlightColor()));
      ::FrameRect(dc, &frame, brush.Get());
    }
    entry.Images->DrawImage(dc, entry.ImageIndex, x, y);
  } else if (entry.Checked) {
    const int x = gutter.left + (gutter.right - gutter.left - l.CheckSize) / 2;
    const int y = gutter.top + (gutter.bottom - gutter.top - l.CheckSize) / 2;
    DrawCheck(dc, RECT{x, y, x + l.CheckSize, y + l.CheckSize}, entry.RadioItem, fore, dpi);
  }

  RECT text{rect.left + l.TextLeft, rect.top, rect.right - l.RightRoom, rect.bottom};
  UINT flags = TextFlags(entry) | DT_END_ELLIPSIS;
  if ((state & ODS_NOACCEL) != 0) flags |= DT_HIDEPREFIX;
  SelectedObject selectedFont(dc, FontHandle(EntryFont(entry, dpi)));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, fore);
  ::DrawTextW(dc, entry.Caption.c_str(), static_cast<int>(entry.Caption.size()), &text, flags);
}

int PopupMenu::FindAccelerator(const BuiltMenu& built, HMENU menu, wchar_t key) {
  const wchar_t wanted = Upper(key);
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if ((info.fType & MFT_SEPARATOR) != 0 || info.dwItemData >= built.Entries.size()) continue;
    const MenuEntry& e = built.Entries[info.dwItemData];
    if (!e.Enabled || !e.ShowAccelChar) continue;
    const wchar_t c = AccelChar(e.Caption);
    if (c != 0 && Upper(c) == wanted) return i;
  }
  return -1;
}

bool PopupMenu::OwnerMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (m_showing == nullptr) return false;
  const BuiltMenu& built = *m_showing;
  switch (msg) {
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (wp != 0 || mis->CtlType != ODT_MENU || mis->itemData >= built.Entries.size()) return false;
      WindowDc dc(hwnd);
      const SIZE size = MeasureEntry(dc.Get(), built.Entries[mis->itemData], m_dpi);
      mis->itemWidth = static_cast<UINT>(size.cx);
      mis->itemHeight = static_cast<UINT>(size.cy);
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (wp != 0 || dis->CtlType != ODT_MENU || dis->itemData >= built.Entries.size()) return false;
      const int saved = ::SaveDC(dis->hDC);
      DrawEntry(dis->hDC, built.Entries[dis->itemData], dis->rcItem, dis->itemState, m_dpi);
      ::RestoreDC(dis->hDC, saved);
      result = TRUE;
      return true;
    }
    case WM_MENUCHAR: {
      const int position = FindAccelerator(built, reinterpret_cast<HMENU>(lp), LOWORD(wp));
      result = position >= 0 ? MAKELRESULT(position, MNC_EXECUTE) : MAKELRESULT(0, MNC_IGNORE);
      return true;
    }
    default: return false;
  }
}

void PopupMenu::AttachWindow(HWND hwnd) noexcept { m_owner.Reset(hwnd); }

void PopupMenu::DetachWindow() noexcept { m_owner.Release(); }

LRESULT PopupMenu::ThunkMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (OwnerMessage(hwnd, msg, wp, lp, result)) return result;
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace ui
