// The shell icon list as an image source: it draws from the shared list and never owns it, and
// the toolbar image set lives exactly as long as it is shown.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "support/fake_shell.h"
#include "tray/sys_image_list.h"
#include "ui/handles.h"

namespace {

using testing_support::ScopedFakeShell;
using tray::TIconSet;
using tray::TIconSize;
using tray::TSysImageList;

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

int CountToolbarWindows() {
  int count = 0;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) -> BOOL {
        wchar_t name[64] = {};
        ::GetClassNameW(hwnd, name, 64);
        if (lstrcmpiW(name, TOOLBARCLASSNAMEW) == 0) ++*reinterpret_cast<int*>(param);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

class SysImageListImagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_shared = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    ::ImageList_AddIcon(m_shared, ::LoadIconW(nullptr, IDI_APPLICATION));
    ::ImageList_AddIcon(m_shared, ::LoadIconW(nullptr, IDI_WARNING));
    shell->SmallImageList = reinterpret_cast<os::ImageListHandle>(m_shared);
  }
  void TearDown() override { ::ImageList_Destroy(m_shared); }

  ScopedFakeShell shell;
  HIMAGELIST m_shared = nullptr;
};

TEST_F(SysImageListImagesTest, ShowsTheSharedListAndLeavesItAlive) {
  {
    TSysImageList list;
    EXPECT_EQ(list.Handle(), m_shared);
    EXPECT_EQ(list.ImageCount(), 2);
    EXPECT_EQ(list.ImageWidth(), 16);
    EXPECT_EQ(list.ImageHeight(), 16);
  }
  EXPECT_EQ(::ImageList_GetImageCount(m_shared), 2) << "the shell's list must survive";
}

TEST_F(SysImageListImagesTest, MakeIconAtItsOwnOrAGivenSize) {
  TSysImageList list;
  ui::UniqueIcon own(list.MakeIcon(1));
  ui::UniqueIcon big(list.MakeIcon(1, 32));
  ASSERT_TRUE(own);
  ASSERT_TRUE(big);
  EXPECT_EQ(IconWidth(own.Get()), 16);
  EXPECT_EQ(IconWidth(big.Get()), 32);
  for (int outside : {-1, 2}) EXPECT_EQ(list.MakeIcon(outside), nullptr) << outside;
}

TEST_F(SysImageListImagesTest, DrawsOnlyImagesInRange) {
  TSysImageList list;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB};
  void* bits = nullptr;
  ui::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  ui::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  ASSERT_TRUE(bitmap && dc);
  ui::SelectedObject selected(dc.Get(), bitmap.Get());
  auto* pixels = static_cast<std::uint32_t*>(bits);
  auto changed = [&] {
    int n = 0;
    for (int i = 0; i < 16 * 16; ++i) n += (pixels[i] & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
    return n;
  };
  std::fill(pixels, pixels + 16 * 16, 0xFFFFFFFFu);
  ::GdiFlush();

  list.DrawImage(dc.Get(), 2, 0, 0);
  list.DrawImage(dc.Get(), -1, 0, 0);
  ::GdiFlush();
  EXPECT_EQ(changed(), 0);

  list.DrawImage(dc.Get(), 0, 0, 0);
  ::GdiFlush();
  EXPECT_GT(changed(), 0);
}

TEST_F(SysImageListImagesTest, NoListFromTheShellShowsNothing) {
  shell->SmallImageList = 0;
  TSysImageList list;
  EXPECT_EQ(list.ImageCount(), 0);
  EXPECT_EQ(list.ImageWidth(), 0);
  EXPECT_EQ(list.MakeIcon(0), nullptr);
  ui::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  list.DrawImage(dc.Get(), 0, 0, 0);  // nothing to draw, and no fault
}

TEST_F(SysImageListImagesTest, ToolbarSetLivesOnlyWhileShown) {
  const int before = CountToolbarWindows();
  {
    TSysImageList list;
    list.SetIconSet(TIconSet::isToolbar);
    ASSERT_NE(list.Handle(), nullptr);
    EXPECT_NE(list.Handle(), m_shared);
    EXPECT_EQ(list.ImageWidth(), 16);
    const int smallCount = list.ImageCount();
    EXPECT_GE(smallCount, 15 + 12 + 5) << "standard, view and history bitmaps";
    EXPECT_EQ(CountToolbarWindows(), before + 1);

    list.SetIconSize(TIconSize::isLargeIcons);
    EXPECT_EQ(list.ImageWidth(), 24);
    EXPECT_EQ(list.ImageCount(), smallCount);
    EXPECT_EQ(CountToolbarWindows(), before + 1) << "the old toolbar went with its rebuild";

    list.SetIconSet(TIconSet::isSystem);
    EXPECT_EQ(CountToolbarWindows(), before);
    list.SetIconSet(TIconSet::isToolbar);
  }
  EXPECT_EQ(CountToolbarWindows(), before) << "destroyed with the list";
  EXPECT_EQ(shell->ImageListQueries.size(), 2u) << "the toolbar set asks the shell nothing";
}

}  // namespace
