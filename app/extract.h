#pragma once
// Copying package items out into files: the sound files and Flash movies into the
// temporary directory, the keyboard-hook library into the system directory, and
// removing the sound files again. Names come from the package; a name that is not a
// plain file name (see IsPlainFileName) is refused like a file that cannot be created,
// so no package can make the saver write or delete outside those directories.
#include "common/stream.h"
#include "package/settings.h"
#include "platform/platform.h"

namespace scr::app {

// The hook library's file name in the system directory.
inline constexpr const char* kHookLibraryName = "nuvscrhook.dll";

// Copies every sound file, then every Flash movie, from the open executable into
// JoinPath(GetTempDir, name), replacing existing files. A sound file that cannot be
// created raises EFCreateError("Cannot create file "<path>". <system text>"), a missing
// name or size entry "Index is out of bounds", a copy past the end of the file "Stream
// read error"; the remaining items are then not copied. A movie whose name is missing
// or whose file cannot be created is skipped; its size entry and copy fail as above.
void ExtractMediaFiles(platform::TPlatform& platform, TStream& executable, const TSSFileLocations& settings);

// Copies the hook library to JoinPath(GetSystemDir, "nuvscrhook.dll"); a target that
// cannot be created is skipped silently, a copy past the end raises "Stream read error".
void ExtractHookLibrary(platform::TPlatform& platform, TStream& executable, const TSSFileLocations& settings);

// Deletes JoinPath(GetTempDir, name) for every sound entry; failures (also a missing
// name, or a name that is not a plain file name) are ignored.
void DeleteExtractedSounds(platform::TPlatform& platform, const TSSFileLocations& settings);

}  // namespace scr::app
