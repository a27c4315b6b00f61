#pragma once
// Everything `make` needs to build a saver, from the command line or a manifest, and
// the building itself.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/scrtool/make_inputs.h"
#include "tools/scrtool/picture_captions.h"
#include "tools/scrtool/picture_convert.h"

namespace scr::tool {

struct TMakeJob {
  std::string output;
  std::string runtime;  // empty: the runtime built beside scrtool
  std::string hook;     // empty: the hook library built beside scrtool, when present
  bool noHook = false;
  std::string preview;  // a picture placed first for the preview only
  std::vector<std::string> inputs;  // files and folders, sorted by content
  // Files of a known kind, each under its own file name or the name given.
  struct TNamedFile {
    std::string path;
    std::string name;  // empty: the file's own name
    std::optional<std::string> caption;  // a picture's own caption (a manifest's [[picture]])
  };
  std::vector<TNamedFile> pictures, sounds, movies;
  TPictureOptions pictureOptions;
  // Text that fits Windows-1252 stored single-byte, as older savers hold it (set by
  // extract's manifest for such a saver, so rebuilding it gives the same bytes);
  // otherwise every non-ASCII text is stored as UTF-8.
  bool singleByteText = false;
  // Each picture's caption (in DescriptCommaList, shown with CaptionMode 1): from its
  // own data, unless a picture is given one.
  TCaptionSource captions = TCaptionSource::None;
  std::string dateFormat = kDefaultDateFormat;
  // Settings by name with their values as typed, applied in order over the defaults.
  std::vector<std::pair<std::string, std::string>> settings;
};

struct TMadeSaver {
  size_t bytes = 0;
  size_t pictures = 0, converted = 0, sounds = 0, movies = 0;
  bool preview = false, hook = false;
};

// Builds and writes the saver. Warnings (no pictures, descriptions and pictures
// differing in number, --flash without movies, a style the runtime does not draw,
// audio that Windows does not play) go to `warn`.
TMadeSaver MakeSaver(const TMakeJob& job, const TWarn& warn);

// "WxH" or "0" for --max-size; EUsage otherwise.
std::pair<int, int> ParseMaxSize(const std::string& text);

}  // namespace scr::tool
