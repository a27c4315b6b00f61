#pragma once
// What a file holds, told by its first bytes rather than its name: a picture the
// runtime reads as it is, another picture format for the image library, music or a
// Flash movie.
#include <cstdint>
#include <span>
#include <string>

namespace scr::tool {

enum class TContentKind { Unknown, Picture, Sound, Movie };

struct TContentType {
  TContentKind kind = TContentKind::Unknown;
  std::string format;          // "JPEG", "PNG", "WAV", "MP3", "Ogg", "SWF", ...
  std::string pictureClass;    // for pictures the runtime reads itself: TJPEGImage, TBitmap, TIcon, TMetafile
  bool windowsPlays = false;   // for sounds: a format the Windows media player plays (WAV, MP3, MIDI)
};

// The bytes needed to tell a file's type.
inline constexpr size_t kContentHeadSize = 64;

// The type of a file from its first bytes (kContentHeadSize or fewer). Pictures that
// the runtime cannot read are recognised for the formats the image library loads.
TContentType DetectContent(std::span<const uint8_t> head);

// The same for a whole file; reads only its first bytes.
TContentType DetectFileContent(const std::string& path);

}  // namespace scr::tool
