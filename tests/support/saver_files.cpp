#include "tests/support/saver_files.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "common/stretch.h"
#include "package/bmp_codec.h"
#include "package/component_writer.h"

namespace scr::test {

TBitmap24 PatternBitmap(int width, int height) {
  TBitmap24 b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.SetPixel(x, y, static_cast<uint32_t>((x * 7) & 0xFF) | (static_cast<uint32_t>((y * 11) & 0xFF) << 8) |
                           (static_cast<uint32_t>(((x + y) * 5) & 0xFF) << 16));
  return b;
}

TBytes PatternImage(int width, int height) {
  return BuildImageStream("TBitmap", EncodeBmp24(PatternBitmap(width, height)));
}

TBytes FakeRuntime(size_t size) {
  TBytes bytes(size, 0);
  bytes[0] = 'M';
  bytes[1] = 'Z';
  return bytes;
}

TBytes PreviewSaver(const TBitmap24& picture) {
  TPackageBuilder builder(FakeRuntime());
  builder.SetPreview(BuildImageStream("TBitmap", EncodeBmp24(picture)));
  return builder.Build().bytes;
}

TBitmap24 ExpectedPreview(const TBitmap24& picture, int width, int height) {
  TBitmap24 scaled(width + 1, height + 1);
  StretchCopy(scaled, scaled.Bounds(), picture, picture.Bounds());
  TBitmap24 cut(width, height);
  DrawBitmap(cut, 0, 0, scaled);
  return cut;
}

TBytes Repeat(std::string_view text, int times) {
  TBytes b;
  for (int i = 0; i < times; ++i) b.insert(b.end(), text.begin(), text.end());
  return b;
}

TBytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return TBytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

TPackageBuilder SaverOn(const std::string& runtimePath) { return TPackageBuilder(ReadFileBytes(runtimePath)); }

void WriteSaver(const TPackageBuilder& builder, const std::string& path) { WriteFileBytes(path, builder.Build().bytes); }

int RunGenerator(const char* name, int argc, char** argv, const std::function<int(const TGeneratorArgs&)>& run) {
  try {
    return run(TGeneratorArgs(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", name, e.what());
    return 1;
  }
}

}  // namespace scr::test
