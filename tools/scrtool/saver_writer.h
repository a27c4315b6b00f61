#pragma once
// The last step of making a saver, shared by `scrtool make` and the web page's maker so
// that both write the same bytes: settings as typed over the maker's defaults, and the
// items as they are stored (pictures already converted), into the runtime followed by
// its package.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "package/package_builder.h"

namespace scr::tool {

// A picture as it goes into the package: the class the runtime reads it as and that
// class's file, listed under the name of the file it came from.
struct TStoredPicture {
  std::string name;
  std::string pictureClass;  // TJPEGImage, TBitmap, TIcon or TMetafile
  std::vector<uint8_t> bytes;
};

// A music file or Flash movie as it goes into the package.
struct TStoredFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

struct TSaverContent {
  // Settings by name with their values as typed, applied in order over the defaults.
  std::vector<std::pair<std::string, std::string>> settings;
  std::optional<TStoredPicture> preview;  // placed first, for the preview only
  std::vector<TStoredPicture> pictures;
  std::vector<TStoredFile> sounds, movies;
  std::optional<std::vector<uint8_t>> hook;  // the keyboard-hook library
  TTextForm textForm = TTextForm::Utf8;       // how the settings' texts are stored
};

// The settings record a maker starts from with `settings` applied (EUsage for a
// refused name or value).
TSSFileLocations MakeSettings(const std::vector<std::pair<std::string, std::string>>& settings);

// The whole saver file. Raises EUsage for a refused setting and std::length_error
// when the file would pass 2147483647 bytes.
TBuiltPackage WriteSaver(std::vector<uint8_t> runtime, TSaverContent content);
// The same with the settings record already made (content.settings is not used).
TBuiltPackage WriteSaver(std::vector<uint8_t> runtime, const TSSFileLocations& settings, TSaverContent content);

}  // namespace scr::tool
