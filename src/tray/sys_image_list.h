#pragma once
// The shell's icons as an image list. Menu items and tree nodes show files, folders, drives and
// shell places by their index in the system image list, which the shell keeps; no bitmap is
// ever copied. The list also answers which index belongs to a path or a shell name.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "ui/component.h"
#include "ui/handles.h"
#include "ui/image_source.h"

namespace tray {

enum class TIconSet : std::uint8_t {
  isSystem,   // the shell's system image list
  isToolbar,  // the common-controls toolbar bitmaps: standard, view, history
};

enum class TIconSize : std::uint8_t { isSmallIcons, isLargeIcons };

class TSysImageList : public ui::Component, public ui::ImageSource {
 public:
  TSysImageList();

  TIconSet IconSet() const noexcept { return m_iconSet; }
  void SetIconSet(TIconSet value);
  TIconSize IconSize() const noexcept { return m_iconSize; }
  void SetIconSize(TIconSize value);
  // Shared: it belongs to the shell or to the hidden toolbar, never to this list.
  HIMAGELIST Handle() const noexcept { return m_images; }

  // The system image list's index of the icon of a file or folder path, a drive root or a
  // shell name ("shell:::{CLSID}"); 0, the list's first icon, when the shell knows none.
  int ImageIndexOf(const std::wstring& path, bool openIcon) const;
  // The same with the query flags of QueryFlags, read beforehand: it reads no member, so a
  // thread other than the UI thread may ask it while the list itself changes or is gone.
  static int ImageIndexWith(const std::wstring& path, unsigned queryFlags);
  // The shell's icon query flags (os::kIcon*) for this list's icon size.
  unsigned QueryFlags(bool openIcon) const noexcept;

  int ImageWidth() const override;
  int ImageHeight() const override;
  int ImageCount() const override;
  void DrawImage(HDC dc, int index, int x, int y) const override;
  HICON MakeIcon(int index, int size = 0) const override;

 private:
  void UpdateImageList();
  void AttachToolbarImages();
  static int SpecialFolderImageIndex(int csidl, unsigned queryFlags);  // -1: no location
  bool IsValidIndex(int index) const;

  TIconSet m_iconSet = TIconSet::isSystem;
  TIconSize m_iconSize = TIconSize::isSmallIcons;
  ui::UniqueWindow m_toolbar;  // owns the toolbar image set while it is shown
  HIMAGELIST m_images = nullptr;
};

// Special folders by path: sorted, paths compared without regard to case; adding a path that
// is there already changes nothing, so the first CSIDL added for a path keeps it.
class TSpecialFolderList {
 public:
  bool Add(const std::wstring& path, int csidl);  // false when the path was there
  std::optional<int> Find(const std::wstring& path) const;
  void Clear() noexcept { m_entries.clear(); }
  std::size_t Count() const noexcept { return m_entries.size(); }

 private:
  struct NoCaseLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const noexcept;
  };
  std::map<std::wstring, int, NoCaseLess> m_entries;
};

// The name of a new, empty file in the temporary folder ("<prefix>XXXX.tmp", which stays
// reserved on disk) with `ext` appended; empty when no name can be reserved. The caller deletes
// the reserved file.
std::wstring GetTempFileNameWithExt(const std::wstring& prefix, const std::wstring& ext);
// True for a name with an extension (after its last separator or colon, not a dot at the very
// start) whose file does not exist.
bool IsMissingFileWithExt(const std::wstring& fileName);
// Clears the list and adds every special folder that has a path, without its trailing
// backslash, in the fixed order of the CSIDL table.
void FillSpecialFolderList(TSpecialFolderList& list);
// A special folder's path, no folder created; empty when it has none.
std::wstring GetSpecialFolderPath(int csidl);
// The CSIDL of the special folder at `path` (any case, trailing backslash or not); -1 for none.
// The first call with a path builds the process-wide list, which is then kept for the run.
int FindSpecialFolderCSIDL(const std::wstring& path);
// Forgets the process-wide list, so that the next lookup builds it again from the installed
// shell (a newly installed shell, a test's next scripted desktop).
void ResetSpecialFolderList();

}  // namespace tray
