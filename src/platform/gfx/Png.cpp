// Writing a bitmap to a PNG file with libpng.
#include "platform/gfx/Png.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/gfx/Bitmap.h"

namespace plat::gfx {
namespace {

// libpng reports errors by longjmp; this function keeps only plain values in its frame so
// that jumping out of it skips no destructor. row is a scratch buffer of width * 3 bytes.
bool WriteRows(std::FILE* file, const CBitmap& bitmap, png_bytep row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  const int width = bitmap.GetWidth();
  const int height = bitmap.GetHeight();
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* pixels = bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      row[x * 3 + 0] = static_cast<png_byte>(pixels[x] >> 16);
      row[x * 3 + 1] = static_cast<png_byte>(pixels[x] >> 8);
      row[x * 3 + 2] = static_cast<png_byte>(pixels[x]);
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool SavePng(const CBitmap& bitmap, const std::string& hostPath) {
  if (bitmap.IsEmpty() || hostPath.empty()) return false;
  std::vector<png_byte> row(static_cast<std::size_t>(bitmap.GetWidth()) * 3);
  std::FILE* file = std::fopen(hostPath.c_str(), "wb");
  if (!file) return false;
  bool ok = WriteRows(file, bitmap, row.data());
  ok = (std::fflush(file) == 0) && ok;
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) std::remove(hostPath.c_str());
  return ok;
}

}  // namespace plat::gfx
