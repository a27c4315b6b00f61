#pragma once
// Assembles a complete saver file: the runtime's bytes, an optional preview picture at
// the very start of the package, the pictures, sound files, Flash movies and the
// keyboard-hook library back to back, the settings stream naming where each lies, and
// the trailer.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "package/settings.h"
#include "package/value_reader.h"

namespace scr {

struct TBuiltPackage {
  std::vector<uint8_t> bytes;  // the whole saver file
  TSSFileLocations settings;   // the record as streamed, positions filled in
  int32_t settingsOffset = 0;
  int32_t settingsLength = 0;
  int32_t packageLength = 0;
};

class TPackageBuilder {
 public:
  explicit TPackageBuilder(std::vector<uint8_t> runtime = {}) : runtime_(std::move(runtime)) {}

  void SetRuntime(std::vector<uint8_t> runtime) { runtime_ = std::move(runtime); }
  // An image stream (see BuildImageStream) placed first, for the preview only.
  void SetPreview(std::vector<uint8_t> imageStream) { preview_ = std::move(imageStream); }
  // A picture of the slide show: an image stream, with the file name it came from.
  void AddPicture(std::string fileName, std::vector<uint8_t> imageStream);
  void AddSound(std::string fileName, std::vector<uint8_t> bytes);
  void AddMovie(std::string fileName, std::vector<uint8_t> bytes);
  void SetHookLibrary(std::vector<uint8_t> bytes) { hook_ = std::move(bytes); }
  // How the settings' strings are held (see TTextForm); ANSI unless told.
  void SetTextForm(TTextForm form) { textForm_ = form; }

  // Every setting but the item lists and the hook library's place, which Build fills
  // in from the items (HookPosition and HookSize only when a library is given).
  TSSFileLocations& Settings() { return settings_; }
  const TSSFileLocations& Settings() const { return settings_; }

  // Raises std::length_error when the file would exceed 2147483647 bytes.
  TBuiltPackage Build() const;

 private:
  struct TItem {
    std::string name;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> runtime_;
  std::optional<std::vector<uint8_t>> preview_;
  std::vector<TItem> pictures_, sounds_, movies_;
  std::optional<std::vector<uint8_t>> hook_;
  TSSFileLocations settings_;
  TTextForm textForm_ = TTextForm::Ansi;
};

}  // namespace scr
