#pragma once
// Everything `make` needs to build a saver, from the command line or a manifest: the
// plan (what goes in, in which order, under which names) and the writing, picture by
// picture into a temporary file beside the output, so memory holds a few pictures
// whatever their number, and the size limit of a saver is met as the file grows.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "package/settings.h"
#include "tools/scrtool/input_order.h"
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
  TInputOrder order = TInputOrder::Name;
  bool skipBad = false;  // a damaged picture is left out with a warning, not an error
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

// What would go in, in order.
struct TSaverPlan {
  TSSFileLocations settings;
  std::string runtime, hook;           // hook empty: none
  std::optional<TInputFile> preview;
  std::vector<TInputFile> pictures;
  std::vector<TInputFile> sounds, movies;  // name: as stored, plain ASCII and unique
};

// Sorts, orders and names the inputs and applies the settings. Warnings (no pictures,
// descriptions and pictures differing in number, --flash without movies, a style the
// runtime does not draw, audio that Windows does not play, a renamed item) go to
// `warn`. Reads no picture.
TSaverPlan PlanSaver(const TMakeJob& job, const TWarn& warn);

struct TMadeSaver {
  size_t bytes = 0;
  size_t pictures = 0, converted = 0, skipped = 0, sounds = 0, movies = 0;
  bool preview = false, hook = false;
};

// Writes the planned saver to job.output (a temporary file beside it, renamed when
// complete; removed when the work fails). Picture warnings, and with --skip-bad the
// pictures left out, go to `warn`. A saver that would pass 2147483647 bytes stops
// the work as soon as that is known, with a message giving the size reached and what
// to change.
TMadeSaver WritePlannedSaver(const TMakeJob& job, const TSaverPlan& plan, const TWarn& warn);

// PlanSaver and WritePlannedSaver.
TMadeSaver MakeSaver(const TMakeJob& job, const TWarn& warn);

// "WxH" or "0" for --max-size; EUsage otherwise.
std::pair<int, int> ParseMaxSize(const std::string& text);

}  // namespace scr::tool
