#pragma once
// Copying package items out into files: the sound files and Flash movies into the
// temporary directory, the keyboard-hook library into the system directory, and
// removing the sound files again. Names come from the package; a name that is not a
// plain file name (see IsPlainFileName) is never written, so no package can make the
// saver write or delete outside those directories, and two items of the same name
// are written under different names, so neither overwrites the other.
#include <string>
#include <vector>

#include "common/stream.h"
#include "package/settings.h"
#include "platform/platform.h"

namespace scr::app {

// The hook library's file name in the system directory.
inline constexpr const char* kHookLibraryName = "nuvscrhook.dll";

// The file names the items are written under in the temporary directory: the sounds
// in order, then the movies. An item keeps its package name unless an earlier item
// took it (compared without regard to letter case, as Windows does): then it gets
// "stem~2.ext" (or ~3 ...), a name no item of the package carries. An item without
// a name entry, or with a name that is no plain file name, gets the empty name: it
// is not written.
struct TExtractedNames {
  std::vector<std::string> sounds, movies;
};
TExtractedNames ExtractedNames(const TSSFileLocations& settings);
// One item's name of the above; empty for an index outside the list.
std::string ExtractedSoundName(const TSSFileLocations& settings, int32_t index);
std::string ExtractedMovieName(const TSSFileLocations& settings, int32_t index);

// Copies every sound file, then every Flash movie, from the open executable into
// JoinPath(GetTempDir, extracted name), replacing existing files. An item whose name
// cannot be created (no name, not a plain name, or refused by the system) is skipped,
// so the rest of the saver runs without it; a missing size entry raises "Index is out
// of bounds", a copy past the end of the file "Stream read error", and the remaining
// items are then not copied.
void ExtractMediaFiles(platform::TPlatform& platform, TStream& executable, const TSSFileLocations& settings);

// Copies the hook library to JoinPath(GetSystemDir, "nuvscrhook.dll"); a target that
// cannot be created is skipped silently, a copy past the end raises "Stream read error".
void ExtractHookLibrary(platform::TPlatform& platform, TStream& executable, const TSSFileLocations& settings);

// Deletes JoinPath(GetTempDir, extracted name) for every sound entry; failures are
// ignored.
void DeleteExtractedSounds(platform::TPlatform& platform, const TSSFileLocations& settings);

}  // namespace scr::app
