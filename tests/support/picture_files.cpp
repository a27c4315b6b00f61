#include "tests/support/picture_files.h"

#include <cstdio>  // libjpeg's header needs FILE
#include <cstdlib>

#include <jpeglib.h>

namespace scr::test {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> MakeDibHeader(const TBmpSpec& s) {
  std::vector<uint8_t> out;
  Put32(out, s.headerSize);
  if (s.headerSize == 12) {
    Put16(out, static_cast<uint32_t>(s.width));
    Put16(out, static_cast<uint32_t>(s.height));
    Put16(out, 1);
    Put16(out, s.bitCount);
    for (uint32_t c : s.palette) {
      out.push_back(static_cast<uint8_t>(c));
      out.push_back(static_cast<uint8_t>(c >> 8));
      out.push_back(static_cast<uint8_t>(c >> 16));
    }
    return out;
  }
  Put32(out, static_cast<uint32_t>(s.width));
  Put32(out, static_cast<uint32_t>(s.height));
  Put16(out, 1);
  Put16(out, s.bitCount);
  Put32(out, s.compression);
  Put32(out, static_cast<uint32_t>(s.pixels.size()));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, s.colorsUsed);
  Put32(out, 0);
  if (s.headerSize == 40) {
    for (uint32_t m : s.masks) Put32(out, m);
  } else {
    std::vector<uint32_t> masks = s.masks;
    masks.resize(4, 0);
    for (uint32_t m : masks) Put32(out, m);
    out.resize(s.headerSize, 0);
  }
  for (uint32_t c : s.palette) Put32(out, c & 0xFFFFFF);
  return out;
}

std::vector<uint8_t> MakeBmp(const TBmpSpec& s) {
  const std::vector<uint8_t> dib = MakeDibHeader(s);
  const uint32_t offset = s.bitsOffset >= 0 ? static_cast<uint32_t>(s.bitsOffset) : static_cast<uint32_t>(14 + dib.size());
  std::vector<uint8_t> out{'B', 'M'};
  Put32(out, static_cast<uint32_t>(14 + dib.size() + s.pixels.size()));
  Put32(out, 0);
  Put32(out, offset);
  out.insert(out.end(), dib.begin(), dib.end());
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

std::vector<uint8_t> PackRows(int width, int height, int bits, bool topDown,
                              const std::function<uint32_t(int x, int y)>& value) {
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  std::vector<uint8_t> out(stride * height, 0);
  for (int r = 0; r < height; ++r) {
    const int y = topDown ? r : height - 1 - r;
    uint8_t* row = out.data() + r * stride;
    for (int x = 0; x < width; ++x) {
      const uint32_t v = value(x, y);
      if (bits < 8) {
        const int bit = x * bits;
        row[bit / 8] |= static_cast<uint8_t>(v << (8 - bits - bit % 8));
      } else {
        for (int i = 0; i < bits / 8; ++i) row[x * bits / 8 + i] = static_cast<uint8_t>(v >> (8 * i));
      }
    }
  }
  return out;
}

std::vector<uint8_t> MakeIco(const std::vector<TIconEntry>& entries) {
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(entries.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
  for (const TIconEntry& e : entries) {
    out.push_back(static_cast<uint8_t>(e.width));
    out.push_back(static_cast<uint8_t>(e.height));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(e.bitCount));
    Put32(out, static_cast<uint32_t>(e.data.size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(e.data.size());
  }
  for (const TIconEntry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

std::vector<uint8_t> MakeIconDib(int width, int height, int bits, const std::vector<uint32_t>& palette,
                                 const std::function<uint32_t(int x, int y)>& value,
                                 const std::function<bool(int x, int y)>& masked) {
  TBmpSpec desc;
  desc.width = width;
  desc.height = 2 * height;
  desc.bitCount = static_cast<uint16_t>(bits);
  desc.palette = palette;
  desc.colorsUsed = static_cast<uint32_t>(palette.size());
  std::vector<uint8_t> out = MakeDibHeader(desc);
  const std::vector<uint8_t> colours = PackRows(width, height, bits, false, value);
  const std::vector<uint8_t> mask = PackRows(width, height, 1, false, [&](int x, int y) { return masked(x, y) ? 1u : 0u; });
  out.insert(out.end(), colours.begin(), colours.end());
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& samples, int width, int height, int components,
                                int quality, bool progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + static_cast<size_t>(info.next_scanline) * width * components);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

// An enhanced metafile header: bounds in pixels, frame in hundredths of a millimetre,
// and a reference device of 1024 x 768 pixels on 320 x 240 mm.
std::vector<uint8_t> EmfHeader(int frameRight, int frameBottom, int boundsRight, int boundsBottom) {
  std::vector<uint8_t> h;
  const auto put = [&](uint32_t v) { Put32(h, v); };
  put(1);   // header record
  put(108); // record size
  for (int v : {0, 0, boundsRight, boundsBottom, 0, 0, frameRight, frameBottom}) put(static_cast<uint32_t>(v));
  put(0x464D4520);  // " EMF"
  for (uint32_t v : {0x10000u, 108u, 1u, 0u, 0u, 0u, 0u}) put(v);
  for (uint32_t v : {1024u, 768u, 320u, 240u}) put(v);
  h.resize(108, 0);
  return h;
}

std::vector<uint8_t> PlaceableWmf(int16_t right, int16_t bottom, uint16_t inch) {
  std::vector<uint8_t> w;
  Put32(w, 0x9AC6CDD7);
  Put16(w, 0);
  for (uint16_t v : {uint16_t{0}, uint16_t{0}, static_cast<uint16_t>(right), static_cast<uint16_t>(bottom)}) Put16(w, v);
  Put16(w, inch);
  Put32(w, 0);
  Put16(w, 0);
  // The standard header: memory metafile, 9 words, version 3.
  for (uint16_t v : {1, 9, 0x300}) Put16(w, v);
  w.resize(w.size() + 12, 0);
  return w;
}

}  // namespace scr::test
