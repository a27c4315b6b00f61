#pragma once
// A saver file opened for the tools: its trailer, its settings (text as UTF-8) and
// where each of its items lies, with what can be said about each without running it.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "package/settings.h"
#include "package/trailer.h"

namespace scr::tool {

// A file that holds no package: the message says "not a saver file" and why.
class ENotSaver : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TItemKind { Preview, Picture, Sound, Movie, Hook };
const char* ItemKindName(TItemKind kind);  // "preview", "picture", ...

struct TSaverItem {
  TItemKind kind = TItemKind::Picture;
  int index = -1;  // within its kind; -1 for the preview and the hook library
  int64_t position = 0;
  std::optional<int64_t> size;  // raw items: as listed; pictures: the stream's length once read
  std::string name;
  bool inside = false;       // the whole item lies within the file
  std::string picture;       // pictures: class and size ("TJPEGImage 640x480")
  std::string error;         // pictures: why the stream cannot be read
  std::string pictureClass;  // pictures: the class in the picture data
  bool firstPicture = false; // the preview: it is the first picture, not one of its own
};

// "picture 3 \"x.jpg\"": how messages name an item.
std::string ItemLabel(const TSaverItem& item);

class TSaverFile {
 public:
  // Reads the whole file, its trailer and its settings stream as the runtime does.
  // Raises ENotSaver where the runtime would fail too (a file shorter than the trailer,
  // a settings stream that cannot be read: the message ends in the reader's words),
  // std::runtime_error when the file cannot be read.
  explicit TSaverFile(std::string path);
  // The same for a file already in memory (the web page's), `path` naming it in messages.
  TSaverFile(std::string path, std::vector<uint8_t> bytes);

  const std::string& Path() const { return path_; }
  std::span<const uint8_t> Bytes() const { return bytes_; }
  const TPackageTrailer& Trailer() const { return trailer_; }
  int64_t PackageStart() const { return packageStart_; }
  int64_t SettingsLength() const { return settingsLength_; }
  const TSSFileLocations& Settings() const { return settings_; }
  // The settings as the runtime's own reader gives them (single-byte text decoded by the
  // default code page).
  const TSSFileLocations& RuntimeSettings() const { return runtimeSettings_; }
  // Both trailer fields in the form the writer gives them (digits, then spaces).
  bool WrittenTrailer() const { return writtenTrailer_; }
  // The package start (from PackageLength) lies inside the file, before the trailer.
  bool PackageStartInside() const;
  // Whether the settings hold non-ASCII text in the single-byte form (older savers).
  bool SingleByteText() const { return singleByteText_; }

  // Every item, in the order preview, pictures, sounds, movies, hook library.
  const std::vector<TSaverItem>& Items() const { return items_; }

  // A raw item's bytes; empty when it does not lie inside the file.
  std::span<const uint8_t> RawBytes(const TSaverItem& item) const;
  // The picture data block of a picture item as stored (EReadError etc. when damaged).
  std::vector<uint8_t> PictureBlock(const TSaverItem& item) const;

 private:
  void ListItems();
  ENotSaver NotSaver(const std::string& why) const;

  std::string path_;
  std::vector<uint8_t> bytes_;
  TPackageTrailer trailer_;
  int64_t packageStart_ = 0;
  int64_t settingsLength_ = 0;
  bool singleByteText_ = false;
  TSSFileLocations settings_;
  TSSFileLocations runtimeSettings_;
  bool writtenTrailer_ = false;
  std::vector<TSaverItem> items_;
};

}  // namespace scr::tool
