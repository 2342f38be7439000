#include "ui/image_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "os/error.h"
#include "support/ui_pixels.h"

namespace {

using testing_support::EncodePng;
using testing_support::SolidPng;
using testing_support::Surface;

// Within one step of rounding.
bool Near(int actual, int expected) { return std::abs(actual - expected) <= 1; }

TEST(ImageListTest, AddsImagesFromTheExecutablesResources) {
  ui::ImageList list(16, 16);
  EXPECT_EQ(list.AddFromResource(L"PNG4X3_16_US"), 0);
  EXPECT_EQ(list.AddFromResource(L"TRAY_CAPS_1", L"01_Caps"), 1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ImageCount(), 2);
  EXPECT_EQ(list.Name(0), L"PNG4X3_16_US");
  EXPECT_EQ(list.Name(1), L"01_Caps");
  ASSERT_NE(list.Pixels(0), nullptr);
  EXPECT_EQ(list.Pixels(0)->Width, 16);
  EXPECT_EQ(list.Pixels(0)->Height, 16);
}

TEST(ImageListTest, AMissingResourceRaisesAnErrorNamingIt) {
  ui::ImageList list(16, 16);
  try {
    list.AddFromResource(L"PNG4X3_16_NOWHERE");
    FAIL() << "no error";
  } catch (const os::Error& e) {
    EXPECT_NE(e.Message().find(L"PNG4X3_16_NOWHERE"), std::wstring::npos) << e.Message();
  }
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageListTest, BytesThatAreNoReadablePngRaiseAnError) {
  const std::string png = SolidPng(4, 4, 0xFF00FF00);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"nothing", ""},
      {"a GIF", "GIF89a\x01\x00\x01\x00\x00\x00\x00;"},
      {"a BMP", std::string("BM\x3a\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00", 14)},
      {"the signature alone", png.substr(0, 8)},
      {"a PNG cut in its header", png.substr(0, 20)},
  };
  for (const Case& c : cases) {
    ui::ImageList list(4, 4);
    EXPECT_THROW(list.Add(c.bytes, L"x"), os::Error) << c.what;
    EXPECT_EQ(list.Count(), 0) << c.what;
  }
  ui::ImageList list(4, 4);
  EXPECT_EQ(list.Add(png, L"good"), 0);
}

TEST(ImageListTest, FindsTheFirstImageWhoseNameMatchesWithoutRegardToCase) {
  ui::ImageList list(4, 4);
  const std::string png = SolidPng(4, 4, 0xFF0000FF);
  list.Add(png, L"US");
  list.Add(png, L"de");
  list.Add(png, L"us");  // a second layout of one country
  list.Add(png, L"\x0424\x043B\x0430\x0433");  // Cyrillic, upper case first letter
  struct Case {
    const wchar_t* name;
    int index;
  };
  const Case cases[] = {
      {L"US", 0},  {L"us", 0},  {L"uS", 0}, {L"DE", 1},
      {L"\x0444\x043B\x0430\x0433", 3},  // the same word all in lower case
      {L"U", -1},  {L"USA", -1}, {L"", -1}, {L"fr", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(list.FindIndexByName(c.name), c.index) << c.name;

  list.SetName(0, L"GB");
  EXPECT_EQ(list.FindIndexByName(L"us"), 2);
  EXPECT_EQ(list.FindIndexByName(L"gb"), 0);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.FindIndexByName(L"gb"), -1);
}

TEST(ImageListTest, IndexesOutOfRangeAreHarmless) {
  ui::ImageList list(4, 4);
  list.Add(SolidPng(4, 4, 0xFF0000FF), L"one");
  for (int index : {-1, 1, 100}) {
    EXPECT_EQ(list.Name(index), L"") << index;
    EXPECT_EQ(list.Pixels(index), nullptr) << index;
    EXPECT_EQ(list.MakeIcon(index), nullptr) << index;
    list.SetName(index, L"x");
    Surface surface(8, 8, RGB(0, 255, 0));
    list.DrawImage(surface.Dc(), index, 0, 0);
    EXPECT_EQ(surface.CountOtherThan({0, 0, 8, 8}, RGB(0, 255, 0)), 0) << index;
  }
  EXPECT_EQ(list.Name(0), L"one");
}

TEST(ImageListTest, DrawingKeepsTheTransparentRowsOfAFlag) {
  ui::ImageList list(16, 16);
  list.AddFromResource(L"PNG4X3_16_DE");
  Surface surface(20, 20, RGB(0, 255, 0));
  list.DrawImage(surface.Dc(), 0, 2, 2);
  // The flag's top two rows and bottom two rows are transparent; red is its middle band.
  EXPECT_EQ(surface.At(2 + 8, 2 + 0), RGB(0, 255, 0));
  EXPECT_EQ(surface.At(2 + 8, 2 + 15), RGB(0, 255, 0));
  EXPECT_EQ(surface.At(2 + 8, 2 + 7), RGB(255, 0, 0));
  EXPECT_EQ(surface.At(2 + 8, 2 + 11), RGB(255, 204, 0));
  EXPECT_EQ(surface.At(1, 1), RGB(0, 255, 0)) << "drawn outside its place";
}

TEST(ImageListTest, HalfTransparentPixelsBlendWithWhatIsBelow) {
  ui::ImageList list(1, 1);
  list.Add(SolidPng(1, 1, 0x80FF0000), L"half red");
  struct Case {
    COLORREF below;
    int r, g, b;
  };
  // Over black the result shows whether the colour was premultiplied before blending.
  const Case cases[] = {{RGB(0, 0, 0), 128, 0, 0}, {RGB(255, 255, 255), 255, 127, 127},
                        {RGB(0, 0, 255), 128, 0, 127}};
  for (const Case& c : cases) {
    Surface surface(1, 1, c.below);
    list.DrawImage(surface.Dc(), 0, 0, 0);
    const COLORREF p = surface.At(0, 0);
    EXPECT_TRUE(Near(GetRValue(p), c.r) && Near(GetGValue(p), c.g) && Near(GetBValue(p), c.b))
        << std::hex << p << " over " << c.below;
  }
}

TEST(ImageListTest, ImagesOfAnotherSizeAreScaledToTheListsSize) {
  // Opaque red beside fully transparent white: averaging straight colours would bleed the
  // white into the edge (a light halo); averaging premultiplied pixels does not.
  const std::uint32_t red = 0xFFFF0000, clear = 0x00FFFFFF;
  ui::ImageList list(1, 1);
  list.Add(EncodePng(2, 2, {red, clear, clear, red}), L"checker");
  const ui::PixelImage* p = list.Pixels(0);
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(p->Width, 1);
  ASSERT_EQ(p->Height, 1);
  const std::uint32_t v = p->At(0, 0);
  EXPECT_TRUE(Near(v >> 24, 128)) << std::hex << v;
  EXPECT_TRUE(Near((v >> 16) & 0xFF, 128)) << std::hex << v;
  EXPECT_EQ((v >> 8) & 0xFF, 0u) << std::hex << v;
  EXPECT_EQ(v & 0xFF, 0u) << std::hex << v;

  ui::ImageList big(6, 6);
  big.Add(SolidPng(3, 3, 0xFF0000FF), L"blue");
  for (std::uint32_t px : big.Pixels(0)->Pixels) EXPECT_EQ(px, 0xFF0000FFu);
}

struct IconBits {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;
  std::vector<std::uint32_t> Pixels;  // 0xAARRGGBB, rows from the top
};

IconBits ReadIcon(HICON icon) {
  IconBits out;
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return out;
  ui::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  ::GetObjectW(color.Get(), sizeof(bm), &bm);
  out.Width = bm.bmWidth;
  out.Height = bm.bmHeight;
  out.BitsPerPixel = bm.bmBitsPixel;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  out.Pixels.resize(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, color.Get(), 0, bm.bmHeight, out.Pixels.data(), &bi, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  return out;
}

TEST(ImageListTest, MakesAlphaIconsAtTheSizeAskedFor) {
  ui::ImageList list(16, 16);
  list.AddFromResource(L"PNG4X3_16_DE");
  struct Case {
    int size;
    int expected;
    int transparentRow;  // a row of the flag's transparent band at that size
    int redRow;
  };
  const Case cases[] = {{0, 16, 0, 7}, {16, 16, 15, 7}, {32, 32, 1, 15}, {24, 24, 0, 11}};
  for (const Case& c : cases) {
    ui::UniqueIcon icon(list.MakeIcon(0, c.size));
    ASSERT_TRUE(icon) << c.size;
    const IconBits bits = ReadIcon(icon.Get());
    EXPECT_EQ(bits.Width, c.expected) << c.size;
    EXPECT_EQ(bits.Height, c.expected) << c.size;
    EXPECT_EQ(bits.BitsPerPixel, 32) << c.size;
    const int mid = c.expected / 2;
    EXPECT_EQ(bits.Pixels[static_cast<size_t>(c.transparentRow) * bits.Width + mid] >> 24, 0u)
        << c.size;
    EXPECT_EQ(bits.Pixels[static_cast<size_t>(c.redRow) * bits.Width + mid], 0xFFFF0000u) << c.size;
  }
}

TEST(ImageListTest, IconsCarryStraightAlpha) {
  ui::ImageList list(2, 2);
  list.Add(SolidPng(2, 2, 0x80FF4000), L"half orange");
  ui::UniqueIcon icon(list.MakeIcon(0));
  ASSERT_TRUE(icon);
  const IconBits bits = ReadIcon(icon.Get());
  ASSERT_EQ(bits.Pixels.size(), 4u);
  const std::uint32_t p = bits.Pixels[0];
  // Icons are not premultiplied: the colour is the image's, not half of it.
  EXPECT_EQ(p >> 24, 0x80u) << std::hex << p;
  EXPECT_TRUE(Near((p >> 16) & 0xFF, 0xFF)) << std::hex << p;
  EXPECT_TRUE(Near((p >> 8) & 0xFF, 0x40)) << std::hex << p;
}

TEST(ImageListTest, AWideImageIsCentredInASquareIcon) {
  ui::ImageList list(4, 2);
  list.Add(SolidPng(4, 2, 0xFF0000FF), L"wide");
  ui::UniqueIcon icon(list.MakeIcon(0, 8));
  const IconBits bits = ReadIcon(icon.Get());
  ASSERT_EQ(bits.Width, 8);
  ASSERT_EQ(bits.Height, 8);
  for (int y = 0; y < 8; ++y) {
    const std::uint32_t alpha = bits.Pixels[static_cast<size_t>(y) * 8 + 3] >> 24;
    EXPECT_EQ(alpha, (y >= 2 && y < 6) ? 255u : 0u) << "row " << y;
  }
}

}  // namespace
