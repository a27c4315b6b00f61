#include "tools/scrtool/content_kind.h"

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace scr::tool {

namespace {

bool At(std::span<const uint8_t> head, size_t offset, std::string_view magic) {
  return head.size() >= offset + magic.size() && std::memcmp(head.data() + offset, magic.data(), magic.size()) == 0;
}

TContentType Picture(std::string format, std::string pictureClass = {}) {
  return {TContentKind::Picture, std::move(format), std::move(pictureClass), false};
}

TContentType Sound(std::string format, bool plays) { return {TContentKind::Sound, std::move(format), {}, plays}; }

// An MPEG audio frame header: 11 sync bits, a version and a layer that exist.
bool IsMpegAudioFrame(std::span<const uint8_t> h) {
  if (h.size() < 4 || h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return false;
  const int version = (h[1] >> 3) & 3, layer = (h[1] >> 1) & 3, bitrate = h[2] >> 4, rate = (h[2] >> 2) & 3;
  return version != 1 && layer != 0 && bitrate != 15 && rate != 3;
}

bool IsWindowsMetafile(std::span<const uint8_t> h) {
  if (At(h, 0, "\xD7\xCD\xC6\x9A")) return true;  // placeable
  return h.size() >= 6 && (h[0] == 1 || h[0] == 2) && h[1] == 0 && h[2] == 9 && h[3] == 0 &&
         (h[4] == 0 && (h[5] == 1 || h[5] == 3));
}

}  // namespace

TContentType DetectContent(std::span<const uint8_t> h) {
  if (At(h, 0, "\xFF\xD8\xFF")) return Picture("JPEG", "TJPEGImage");
  if (At(h, 0, "BM") && h.size() >= 18) return Picture("BMP", "TBitmap");
  if (At(h, 0, std::string_view("\0\0\1\0", 4)) && h.size() >= 6 && (h[4] | h[5]) != 0) return Picture("ICO", "TIcon");
  if (At(h, 0, std::string_view("\1\0\0\0", 4)) && At(h, 40, " EMF")) return Picture("EMF", "TMetafile");
  if (IsWindowsMetafile(h)) return Picture("WMF", "TMetafile");
  if (At(h, 0, "\x89PNG\r\n\x1A\n")) return Picture("PNG");
  if (At(h, 0, "GIF87a") || At(h, 0, "GIF89a")) return Picture("GIF");
  if (At(h, 0, "RIFF") && At(h, 8, "WEBP")) return Picture("WebP");
  if (At(h, 0, "II*") || At(h, 0, "MM\0*")) return Picture("TIFF");
  if (At(h, 4, "ftyp")) {
    for (std::string_view brand : {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1", "avif", "avis"})
      if (At(h, 8, brand)) return Picture(brand.starts_with("avi") ? "AVIF" : "HEIF");
    for (std::string_view brand : {"M4A ", "M4B ", "M4P "})
      if (At(h, 8, brand)) return Sound("AAC", false);
  }
  if (At(h, 0, "FWS") || At(h, 0, "CWS") || At(h, 0, "ZWS")) return {TContentKind::Movie, "SWF", {}, false};
  if (At(h, 0, "RIFF") && At(h, 8, "WAVE")) return Sound("WAV", true);
  if (At(h, 0, "RIFF") && At(h, 8, "RMID")) return Sound("MIDI", true);
  if (At(h, 0, "MThd")) return Sound("MIDI", true);
  if (At(h, 0, "ID3") || IsMpegAudioFrame(h)) return Sound("MP3", true);
  if (At(h, 0, "OggS")) return Sound("Ogg", false);
  if (At(h, 0, "fLaC")) return Sound("FLAC", false);
  if (At(h, 0, "FORM") && (At(h, 8, "AIFF") || At(h, 8, "AIFC"))) return Sound("AIFF", false);
  if (At(h, 0, "#!AMR")) return Sound("AMR", false);
  if (At(h, 0, "\x30\x26\xB2\x75\x8E\x66\xCF\x11")) return Sound("WMA", false);
  return {};
}

TContentType DetectFileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<uint8_t> head(kContentHeadSize);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return DetectContent(head);
}

}  // namespace scr::tool
