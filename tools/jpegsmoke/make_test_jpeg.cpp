// make_test_jpeg OUT.jpg WIDTH HEIGHT [QUALITY]: writes a colourful test JPEG made of
// gradients and hard edges, so that decoders are compared on real detail.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_test_jpeg OUT.jpg WIDTH HEIGHT [QUALITY]\n");
    return 2;
  }
  const int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
  const int quality = argc > 4 ? std::atoi(argv[4]) : 85;
  if (width <= 0 || height <= 0) return 2;
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 3;
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<unsigned char>(255 * x / width);
      row[3 * x + 1] = static_cast<unsigned char>(255 * y / height);
      row[3 * x + 2] = static_cast<unsigned char>(((x / 16 + y / 16) % 2) ? 230 : 20);
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(out) == 0 ? 0 : 4;
}
