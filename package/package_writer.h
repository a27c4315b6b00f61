#pragma once
// Lays a saver file out as it is written, item by item, into any sink: the runtime's
// bytes, an optional preview picture at the very start of the package, the pictures,
// sound files, Flash movies and the keyboard-hook library back to back, then the
// settings stream naming where each lies, and the trailer. Nothing but the settings
// is kept, so a saver of any size is written in the memory of one item.
#include <cstdint>
#include <span>
#include <string>

#include "package/settings.h"
#include "package/value_reader.h"

namespace scr {

// Where the bytes go: a file, or memory.
class IByteSink {
 public:
  virtual ~IByteSink() = default;
  virtual void Write(std::span<const uint8_t> bytes) = 0;
};

// A saver file cannot address more than this.
inline constexpr int64_t kLargestSaverFile = 2147483647;

struct TPackageLayout {
  int32_t settingsOffset = 0;
  int32_t settingsLength = 0;
  int32_t packageLength = 0;
  int64_t fileSize = 0;
};

class TPackageWriter {
 public:
  // The settings give every setting but the item lists and the hook library's place,
  // which the writer fills in from the items; their strings are held as `textForm`.
  TPackageWriter(IByteSink& sink, const TSSFileLocations& settings, TTextForm textForm = TTextForm::Ansi);

  // Each Add appends its bytes and returns where they start. The runtime goes first,
  // the preview (an image stream, see BuildImageStream) right after it. Raises
  // std::length_error, writing nothing, when the file would pass kLargestSaverFile.
  int32_t AddRuntime(std::span<const uint8_t> runtime);
  int32_t AddPreview(std::span<const uint8_t> imageStream);
  int32_t AddPicture(const std::string& fileName, std::span<const uint8_t> imageStream);
  int32_t AddSound(const std::string& fileName, std::span<const uint8_t> bytes);
  int32_t AddMovie(const std::string& fileName, std::span<const uint8_t> bytes);
  int32_t AddHookLibrary(std::span<const uint8_t> bytes);

  // Bytes written so far.
  int64_t Size() const { return size_; }
  // Whether `more` bytes, and the settings and trailer as they stand, still fit.
  bool Fits(int64_t more) const;

  // Appends the settings stream and the trailer (std::length_error when they do not
  // fit). The record as streamed, positions filled in, stays readable in Settings().
  TPackageLayout Finish();
  const TSSFileLocations& Settings() const { return settings_; }
  // Before Finish, for what is learnt only as the items go in (a maker leaving out a
  // damaged picture drops its description).
  TSSFileLocations& Settings() { return settings_; }

 private:
  int32_t Append(std::span<const uint8_t> bytes);

  IByteSink& sink_;
  TSSFileLocations settings_;
  TTextForm textForm_;
  int64_t size_ = 0;
  int32_t runtimeSize_ = 0;
};

}  // namespace scr
