#pragma once
// How each reader of a saver file finds its data through the trailer: the preview
// picture, the settings record (into the saver window's record or a new one) and the
// slide show's pictures. The stream is the opened saver file. The settings' strings
// arrive as UTF-8; text stored single-byte is decoded by `ansi`, the system's ANSI
// code page (Windows-1252 unless a backend says otherwise).
#include <cstdint>
#include <memory>

#include "common/ansi_text.h"
#include "common/stream.h"
#include "package/image.h"
#include "package/settings.h"

namespace scr {

// The saver window's reader: trailer, then the settings stream into `settings`.
// Returns false, reading nothing, when the file is too short for the trailer; stream
// errors propagate (properties read before one keep their values).
bool ReadSettingsInto(TStream& stream, TSSFileLocations& settings, TAnsiDecoder ansi = AnsiToUtf8);

// The setup dialog's reader: the record created from the class named in the stream,
// which must be "TSSFileLocations" (else EInvalidCast). nullptr when the file is too
// short for the trailer.
std::unique_ptr<TSSFileLocations> ReadSettingsRecord(TStream& stream, TAnsiDecoder ansi = AnsiToUtf8);

// The preview's reader: the package's first item read as a component stream. nullptr
// when the trailer is short or the item is a component of another class than "TImage";
// stream errors propagate.
std::unique_ptr<TImage> ReadPreviewImage(TStream& stream);

// The slide show's reader: the picture stream at `position` (EInvalidCast when the
// stream there holds another class).
std::unique_ptr<TImage> ReadPictureAt(TStream& stream, int64_t position);

}  // namespace scr
