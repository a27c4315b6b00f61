#include "tools/media/png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "common/errors.h"

namespace scr::media {

void WritePng(const std::string& path, const TBitmap24& bitmap, int compression) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) throw Exception("cannot create " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw Exception("out of memory for a PNG file");
  }
  // libpng reports errors by a long jump back here; nothing with a destructor lives
  // between this point and the jump.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw Exception("cannot write " + path);
  }
  png_init_io(png, file.get());
  png_set_compression_level(png, compression);
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()), static_cast<png_uint_32>(bitmap.Height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);  // the bitmap's rows hold blue, green, red
  for (int y = 0; y < bitmap.Height(); ++y) png_write_row(png, const_cast<png_bytep>(bitmap.Row(y)));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) throw Exception("cannot write " + path);
}

}  // namespace scr::media
