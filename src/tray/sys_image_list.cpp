#include "tray/sys_image_list.h"

#include <array>
#include <memory>
#include <mutex>

#include "os/shell.h"

namespace tray {
namespace {

// Every CSIDL that can name a special folder, in the order that decides which CSIDL a path
// shared by several of them maps to.
constexpr std::array<std::uint16_t, 58> kSpecialFolderCSIDLs = {
    0x30,  // CSIDL_ADMINTOOLS
    0x1D,  // CSIDL_ALTSTARTUP
    0x1A,  // CSIDL_APPDATA
    0x0A,  // CSIDL_BITBUCKET
    0x3B,  // CSIDL_CDBURN_AREA
    0x2F,  // CSIDL_COMMON_ADMINTOOLS
    0x1E,  // CSIDL_COMMON_ALTSTARTUP
    0x23,  // CSIDL_COMMON_APPDATA
    0x19,  // CSIDL_COMMON_DESKTOPDIRECTORY
    0x2E,  // CSIDL_COMMON_DOCUMENTS
    0x1F,  // CSIDL_COMMON_FAVORITES
    0x35,  // CSIDL_COMMON_MUSIC
    0x3A,  // CSIDL_COMMON_OEM_LINKS
    0x36,  // CSIDL_COMMON_PICTURES
    0x17,  // CSIDL_COMMON_PROGRAMS
    0x16,  // CSIDL_COMMON_STARTMENU
    0x18,  // CSIDL_COMMON_STARTUP
    0x2D,  // CSIDL_COMMON_TEMPLATES
    0x37,  // CSIDL_COMMON_VIDEO
    0x3D,  // CSIDL_COMPUTERSNEARME
    0x31,  // CSIDL_CONNECTIONS
    0x03,  // CSIDL_CONTROLS
    0x21,  // CSIDL_COOKIES
    0x00,  // CSIDL_DESKTOP
    0x10,  // CSIDL_DESKTOPDIRECTORY
    0x11,  // CSIDL_DRIVES
    0x06,  // CSIDL_FAVORITES
    0x14,  // CSIDL_FONTS
    0x22,  // CSIDL_HISTORY
    0x01,  // CSIDL_INTERNET
    0x20,  // CSIDL_INTERNET_CACHE
    0x1C,  // CSIDL_LOCAL_APPDATA
    0x0C,  // CSIDL_MYDOCUMENTS
    0x0D,  // CSIDL_MYMUSIC
    0x27,  // CSIDL_MYPICTURES
    0x0E,  // CSIDL_MYVIDEO
    0x13,  // CSIDL_NETHOOD
    0x12,  // CSIDL_NETWORK
    0x05,  // CSIDL_PERSONAL
    0x04,  // CSIDL_PRINTERS
    0x1B,  // CSIDL_PRINTHOOD
    0x28,  // CSIDL_PROFILE
    0x3E,  // CSIDL_PROFILES
    0x26,  // CSIDL_PROGRAM_FILES
    0x2A,  // CSIDL_PROGRAM_FILESX86
    0x2B,  // CSIDL_PROGRAM_FILES_COMMON
    0x2C,  // CSIDL_PROGRAM_FILES_COMMONX86
    0x02,  // CSIDL_PROGRAMS
    0x08,  // CSIDL_RECENT
    0x38,  // CSIDL_RESOURCES
    0x39,  // CSIDL_RESOURCES_LOCALIZED
    0x09,  // CSIDL_SENDTO
    0x0B,  // CSIDL_STARTMENU
    0x07,  // CSIDL_STARTUP
    0x25,  // CSIDL_SYSTEM
    0x29,  // CSIDL_SYSTEMX86
    0x15,  // CSIDL_TEMPLATES
    0x24,  // CSIDL_WINDOWS
};

constexpr wchar_t kProbePrefix[] = L"sil";

// Guards the publishing of the special-folder list. The list is filled outside the lock: the
// shell calls of the fill may dispatch sent messages, and a handler that looks a folder up
// again must not find the lock taken by its own thread.
std::mutex g_specialFolderLock;
std::shared_ptr<const TSpecialFolderList> g_specialFolders;

// A turn at a lock, one thread at a time. A shell call made in the turn may dispatch a message
// whose handler comes back for a turn on the same thread: that nested turn runs inside the outer
// one, as std::mutex must not be locked twice.
class NestableTurn {
 public:
  // `inTurn` is the thread's own mark of holding this lock's turn (thread_local).
  NestableTurn(std::mutex& lock, bool& inTurn)
      : m_lock(lock, std::defer_lock), m_inTurn(inTurn), m_nested(inTurn) {
    if (!m_nested) m_lock.lock();
    m_inTurn = true;
  }
  NestableTurn(const NestableTurn&) = delete;
  NestableTurn& operator=(const NestableTurn&) = delete;
  ~NestableTurn() { m_inTurn = m_nested; }

 private:
  std::unique_lock<std::mutex> m_lock;
  bool& m_inTurn;
  bool m_nested;
};

// One fill at a time: the tray menu asks all its icons at once, each on a thread of its own, and
// at the first popup they would otherwise each read every special folder. A lookup nested in
// the fill on the same thread fills a list of its own, as it must not wait for itself.
std::mutex g_specialFolderFillLock;
thread_local bool t_fillingSpecialFolders = false;

std::shared_ptr<const TSpecialFolderList> PublishedSpecialFolders() {
  const std::lock_guard lock(g_specialFolderLock);
  return g_specialFolders;
}

// One temporary-file probe at a time. A nested probe runs inside the outer one's turn (the
// reserved names are unique, so the two cannot collide).
std::mutex g_tempProbeLock;
thread_local bool t_probing = false;

// The files of one probe, deleted however the probe ends: the reserved name always, the probe
// file only when the probe created it.
class ProbeFiles {
 public:
  explicit ProbeFiles(std::wstring reserved) : m_reserved(std::move(reserved)) {}
  ProbeFiles(const ProbeFiles&) = delete;
  ProbeFiles& operator=(const ProbeFiles&) = delete;
  ~ProbeFiles() {
    try {
      if (!m_created.empty()) os::Shl().RemoveFile(m_created);
      os::Shl().RemoveFile(m_reserved);
    } catch (...) {
      // Nothing more can be done for a file the shell will not delete.
    }
  }
  void Created(std::wstring path) { m_created = std::move(path); }

 private:
  std::wstring m_reserved;
  std::wstring m_created;
};

bool IsNameStop(wchar_t c) { return c == L':' || c == L'\\' || c == L'/' || c == L'.'; }

// The position of the dot that starts the name's extension; npos when it has none.
std::size_t ExtensionDot(const std::wstring& name) {
  if (name.empty()) return std::wstring::npos;
  std::size_t i = name.size() - 1;
  while (i > 0 && !IsNameStop(name[i])) --i;
  return i > 0 && name[i] == L'.' ? i : std::wstring::npos;
}

// An extension a file on disk can carry: one that the probe may append to a file name. Names
// end neither in a dot nor in a blank, and wildcards and the like are no part of a name.
bool IsProbeExtension(const std::wstring& ext) {
  if (ext.size() < 2 || ext.back() == L'.' || ext.back() == L' ') return false;
  for (wchar_t c : ext.substr(1)) {
    if (c < 0x20 || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*') {
      return false;
    }
  }
  return true;
}

std::wstring WithoutTrailingBackslash(const std::wstring& path) {
  if (!path.empty() && path.back() == L'\\') return path.substr(0, path.size() - 1);
  return path;
}

int ProbeIconIndex(const std::wstring& ext, unsigned flags) {
  const NestableTurn turn(g_tempProbeLock, t_probing);
  const std::wstring probe = GetTempFileNameWithExt(kProbePrefix, ext);
  if (probe.empty()) return 0;
  ProbeFiles files(probe.substr(0, probe.size() - ext.size()));
  if (os::Shl().CreateNewFile(probe)) files.Created(probe);
  // An existing file of that name, left alone, still tells the type's icon.
  const std::optional<int> index = os::Shl().IconIndexOfName(probe, flags);
  return index && *index > 0 ? *index : 0;
}

}  // namespace

// --- TSysImageList

TSysImageList::TSysImageList() {
  Name = L"SysImageList";
  UpdateImageList();
}

void TSysImageList::SetIconSet(TIconSet value) {
  if (value == m_iconSet) return;
  m_iconSet = value;
  UpdateImageList();
}

void TSysImageList::SetIconSize(TIconSize value) {
  if (value == m_iconSize) return;
  m_iconSize = value;
  UpdateImageList();
}

unsigned TSysImageList::QueryFlags(bool openIcon) const noexcept {
  return (m_iconSize == TIconSize::isSmallIcons ? os::kIconSmall : os::kIconLarge) |
         (openIcon ? os::kIconOpen : 0u);
}

void TSysImageList::UpdateImageList() {
  // The toolbar's images die with the toolbar: forget them first.
  m_images = nullptr;
  m_toolbar.Reset();
  if (m_iconSet == TIconSet::isSystem) {
    m_images = reinterpret_cast<HIMAGELIST>(os::Shl().SystemImageList(QueryFlags(false)));
  } else {
    AttachToolbarImages();
  }
}

void TSysImageList::AttachToolbarImages() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  m_toolbar.Reset(::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr));
  if (!m_toolbar) return;
  const bool smallIcons = m_iconSize == TIconSize::isSmallIcons;
  const UINT_PTR bitmaps[] = {
      smallIcons ? UINT_PTR{IDB_STD_SMALL_COLOR} : UINT_PTR{IDB_STD_LARGE_COLOR},
      smallIcons ? UINT_PTR{IDB_VIEW_SMALL_COLOR} : UINT_PTR{IDB_VIEW_LARGE_COLOR},
      smallIcons ? UINT_PTR{IDB_HIST_SMALL_COLOR} : UINT_PTR{IDB_HIST_LARGE_COLOR},
  };
  for (UINT_PTR id : bitmaps) {
    TBADDBITMAP bitmap{HINST_COMMCTRL, id};
    ::SendMessageW(m_toolbar.Get(), TB_ADDBITMAP, 1000, reinterpret_cast<LPARAM>(&bitmap));
  }
  m_images = reinterpret_cast<HIMAGELIST>(::SendMessageW(m_toolbar.Get(), TB_GETIMAGELIST, 0, 0));
}

int TSysImageList::SpecialFolderImageIndex(int csidl, unsigned queryFlags) {
  return os::Shl().IconIndexOfSpecialFolder(csidl, queryFlags).value_or(-1);
}

int TSysImageList::ImageIndexOf(const std::wstring& path, bool openIcon) const {
  return ImageIndexWith(path, QueryFlags(openIcon));
}

int TSysImageList::ImageIndexWith(const std::wstring& path, unsigned flags) {
  const int csidl = FindSpecialFolderCSIDL(path);
  if (csidl != -1) {
    const int index = SpecialFolderImageIndex(csidl, flags);
    if (index >= 0) return index;
  }
  if (path.empty()) return 0;

  if (const std::optional<int> index = os::Shl().IconIndexOfName(path, flags)) {
    return *index > 0 ? *index : 0;
  }

  // A missing file: the shell knows most types by name alone, the rest only from a real file.
  if (!IsMissingFileWithExt(path)) return 0;
  const std::wstring ext = path.substr(ExtensionDot(path));
  if (!IsProbeExtension(ext)) return 0;
  if (const std::optional<int> index = os::Shl().IconIndexOfFileType(L"*" + ext, flags);
      index && *index > 0) {
    return *index;
  }
  return ProbeIconIndex(ext, flags);
}

bool TSysImageList::IsValidIndex(int index) const {
  return m_images != nullptr && index >= 0 && index < ::ImageList_GetImageCount(m_images);
}

int TSysImageList::ImageWidth() const {
  int cx = 0, cy = 0;
  if (m_images == nullptr || !::ImageList_GetIconSize(m_images, &cx, &cy)) return 0;
  return cx;
}

int TSysImageList::ImageHeight() const {
  int cx = 0, cy = 0;
  if (m_images == nullptr || !::ImageList_GetIconSize(m_images, &cx, &cy)) return 0;
  return cy;
}

int TSysImageList::ImageCount() const {
  return m_images == nullptr ? 0 : ::ImageList_GetImageCount(m_images);
}

void TSysImageList::DrawImage(HDC dc, int index, int x, int y) const {
  if (!IsValidIndex(index)) return;
  ::ImageList_Draw(m_images, index, dc, x, y, ILD_TRANSPARENT);
}

HICON TSysImageList::MakeIcon(int index, int size) const {
  if (!IsValidIndex(index)) return nullptr;
  ui::UniqueIcon icon(::ImageList_GetIcon(m_images, index, ILD_TRANSPARENT));
  if (!icon || size <= 0 || (size == ImageWidth() && size == ImageHeight())) return icon.Release();
  return static_cast<HICON>(::CopyImage(icon.Get(), IMAGE_ICON, size, size, 0));
}

// --- TSpecialFolderList

bool TSpecialFolderList::NoCaseLess::operator()(const std::wstring& a,
                                                const std::wstring& b) const noexcept {
  // File-system rules: ordinal, with the letter case of every alphabet folded.
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
}

bool TSpecialFolderList::Add(const std::wstring& path, int csidl) {
  return m_entries.emplace(path, csidl).second;
}

std::optional<int> TSpecialFolderList::Find(const std::wstring& path) const {
  const auto it = m_entries.find(path);
  if (it == m_entries.end()) return std::nullopt;
  return it->second;
}

// --- Unit functions

std::wstring GetTempFileNameWithExt(const std::wstring& prefix, const std::wstring& ext) {
  const std::wstring folder = os::Shl().TempFolder();
  if (folder.empty()) return {};
  const std::wstring reserved = os::Shl().ReserveTempFileName(folder, prefix);
  if (reserved.empty()) return {};
  return reserved + ext;
}

bool IsMissingFileWithExt(const std::wstring& fileName) {
  return ExtensionDot(fileName) != std::wstring::npos && !os::Shl().FileExists(fileName);
}

void FillSpecialFolderList(TSpecialFolderList& list) {
  list.Clear();
  for (const int csidl : kSpecialFolderCSIDLs) {
    const std::wstring path = GetSpecialFolderPath(csidl);
    if (!path.empty()) list.Add(WithoutTrailingBackslash(path), csidl);
  }
}

std::wstring GetSpecialFolderPath(int csidl) { return os::Shl().SpecialFolderPath(csidl); }

int FindSpecialFolderCSIDL(const std::wstring& path) {
  if (path.empty()) return -1;
  std::shared_ptr<const TSpecialFolderList> list = PublishedSpecialFolders();
  if (!list) {
    const NestableTurn turn(g_specialFolderFillLock, t_fillingSpecialFolders);
    list = PublishedSpecialFolders();  // filled meanwhile by the thread whose turn came first
    if (!list) {
      auto filled = std::make_shared<TSpecialFolderList>();
      FillSpecialFolderList(*filled);
      const std::lock_guard lock(g_specialFolderLock);
      if (!g_specialFolders) g_specialFolders = std::move(filled);  // the first fill is kept
      list = g_specialFolders;
    }
  }
  return list->Find(WithoutTrailingBackslash(path)).value_or(-1);
}

void ResetSpecialFolderList() {
  const std::lock_guard lock(g_specialFolderLock);
  g_specialFolders.reset();
}

}  // namespace tray
