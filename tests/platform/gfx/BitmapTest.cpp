// Bitmaps, PNG output, the logical DPI and the system colours.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/Png.h"
#include "platform/gfx/SysColors.h"

namespace {

TEST(Bitmap, RefusesSizesThatAreNotPositiveOrTooLarge) {
  CBitmap bitmap;
  const int bad[][2] = {{0, 10}, {10, 0}, {-1, 10}, {10, -5}, {16385, 1}, {1, 16385}, {INT_MAX, INT_MAX}, {INT_MIN, 1}};
  for (const auto& size : bad) {
    EXPECT_FALSE(bitmap.Create(size[0], size[1])) << size[0] << "x" << size[1];
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.GetBits(), nullptr);
  }
  ASSERT_TRUE(bitmap.Create(16384, 1));
  EXPECT_EQ(bitmap.GetWidth(), 16384);
  // A refused re-creation leaves no stale pixels behind a size of zero.
  EXPECT_FALSE(bitmap.Create(0, 0));
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(bitmap.GetPixel(0, 0), CLR_INVALID);
}

TEST(Bitmap, StoresPixelsAsRgbWhileColorsAreBgr) {
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(3, 2));
  EXPECT_EQ(bitmap.GetPixel(2, 1), RGB(0, 0, 0));  // new bitmaps are black
  bitmap.SetPixel(2, 1, RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(bitmap.GetBits()[1 * 3 + 2], 0x112233u);
  EXPECT_EQ(bitmap.GetPixel(2, 1), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(ColorFromPixel(PixelFromColor(RGB(1, 2, 3))), RGB(1, 2, 3));

  // Outside the bitmap: nothing written, CLR_INVALID read.
  bitmap.SetPixel(3, 0, RGB(9, 9, 9));
  bitmap.SetPixel(-1, 0, RGB(9, 9, 9));
  EXPECT_EQ(bitmap.GetPixel(3, 0), CLR_INVALID);
  EXPECT_EQ(bitmap.GetPixel(0, 2), CLR_INVALID);
  EXPECT_EQ(bitmap.GetPixel(0, 0), RGB(0, 0, 0));
}

class PngFile : public ::testing::Test {
 protected:
  std::string path = ::testing::TempDir() + "tovin_gfx_" + std::to_string(getpid()) + ".png";
  void TearDown() override { std::remove(path.c_str()); }
};

// Reads an 8-bit RGB PNG back with libpng; empty when it is not one.
std::vector<png_byte> ReadRgbPng(const std::string& path, png_uint_32& width, png_uint_32& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  width = image.width;
  height = image.height;
  const bool rgb = image.format == PNG_FORMAT_RGB;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) || !rgb) return {};
  return pixels;
}

TEST_F(PngFile, IsWrittenAsRgbThatLibpngReadsBack) {
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(7, 5));
  bitmap.Fill(RGB(255, 255, 255));
  bitmap.SetPixel(3, 2, RGB(10, 200, 30));
  ASSERT_TRUE(plat::gfx::SavePng(bitmap, path));

  png_uint_32 width = 0, height = 0;
  std::vector<png_byte> pixels = ReadRgbPng(path, width, height);
  ASSERT_FALSE(pixels.empty());
  EXPECT_EQ(width, 7u);
  EXPECT_EQ(height, 5u);
  const png_byte* p = &pixels[(2 * 7 + 3) * 3];
  EXPECT_EQ(p[0], 10);
  EXPECT_EQ(p[1], 200);
  EXPECT_EQ(p[2], 30);
  EXPECT_EQ(pixels[0], 255);
}

TEST_F(PngFile, RefusesAnEmptyBitmapOrAFolderThatIsNotThere) {
  CBitmap empty;
  EXPECT_FALSE(plat::gfx::SavePng(empty, path));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(2, 2));
  EXPECT_FALSE(plat::gfx::SavePng(bitmap, ::testing::TempDir() + "no/such/folder/x.png"));
  EXPECT_FALSE(plat::gfx::SavePng(bitmap, ""));
}

class LogicalDpi : public ::testing::Test {
 protected:
  void TearDown() override { plat::gfx::SetScreenWidthForDpi(480); }
};

TEST_F(LogicalDpi, IsHighAbove400PixelsWide) {
  EXPECT_EQ(plat::gfx::GetLogicalDpi(), 192);  // the 480 x 640 screen the program starts with
  plat::gfx::SetScreenWidthForDpi(320);
  EXPECT_EQ(plat::gfx::GetLogicalDpi(), 96);
  EXPECT_EQ(PointsToLogFontHeight(8), -11);
  plat::gfx::SetScreenWidthForDpi(400);
  EXPECT_EQ(plat::gfx::GetLogicalDpi(), 96);
  plat::gfx::SetScreenWidthForDpi(401);
  EXPECT_EQ(plat::gfx::GetLogicalDpi(), 192);
  plat::gfx::SetScreenWidthForDpi(480);
  EXPECT_EQ(PointsToLogFontHeight(8), -21);
}

TEST(MulDivTest, RoundsHalfAwayFromZeroAndRefusesWhatCannotBeAnswered) {
  EXPECT_EQ(MulDiv(8, 192, 72), 21);  // 21.33
  EXPECT_EQ(MulDiv(10, 96, 72), 13);  // 13.33
  EXPECT_EQ(MulDiv(3, 1, 2), 2);      // 1.5
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(3, 1, -2), -2);
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);  // the product is taken in 64 bits
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 4, 1), -1);
}

TEST(SysColors, AreTheLightHandheldTheme) {
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHTTEXT), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_CAPTIONTEXT), RGB(255, 255, 255));
  // Highlight and caption are blues dark enough for white text.
  for (int index : {COLOR_HIGHLIGHT, COLOR_ACTIVECAPTION}) {
    COLORREF c = GetSysColor(index);
    EXPECT_GT(GetBValue(c), GetRValue(c));
    EXPECT_LT(GetRValue(c) + GetGValue(c) + GetBValue(c), 384);
  }
  // Scroll bar and button face are light greys.
  for (int index : {COLOR_SCROLLBAR, COLOR_BTNFACE}) {
    COLORREF c = GetSysColor(index);
    EXPECT_EQ(GetRValue(c), GetBValue(c));
    EXPECT_GT(GetRValue(c), 180);
    EXPECT_LT(GetRValue(c), 255);
  }
  EXPECT_EQ(GetSysColor(COLOR_WINDOW | SYS_COLOR_INDEX_FLAG), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(1000), 0u);
}

}  // namespace
