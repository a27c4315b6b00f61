#include "app/extract.h"

#include "app/paths.h"
#include "common/errors.h"

namespace scr::app {

namespace {

// Creates a target in directory for a name from the package. A name that could
// reach outside the directory is refused with the error a bad name gets from the
// system, naming the path refused.
std::unique_ptr<platform::TWriteStream> CreateTarget(platform::TPlatform& p, const std::string& directory,
                                                     const std::string& name) {
  const std::string path = JoinPath(directory, name);
  if (!IsPlainFileName(name))
    throw EFCreateError(CreateErrorText(path, p.System().ErrorText(platform::kErrorInvalidName)));
  return p.Files().Create(path);
}

void SeekItem(TStream& executable, int32_t position) {
  // A negative position names no byte of the file.
  if (position < 0) throw EReadError(kStreamReadError);
  executable.Seek(position);
}

}  // namespace

void ExtractMediaFiles(platform::TPlatform& p, TStream& executable, const TSSFileLocations& settings) {
  const std::string temp = GetTempDir(p.System());
  for (int32_t i = 0; i < settings.SndCount(); ++i) {
    const int32_t position = settings.SndPosition(i);
    const std::string name = settings.SndFileName(i);
    SeekItem(executable, position);
    std::unique_ptr<platform::TWriteStream> target = CreateTarget(p, temp, name);
    platform::CopyBytes(executable, *target, settings.SndSize(i));
  }
  for (int32_t i = 0; i < settings.FlashCount(); ++i) {
    std::unique_ptr<platform::TWriteStream> target;
    try {
      target = CreateTarget(p, temp, settings.FlashFileName(i));
    } catch (const Exception&) {
      continue;  // a movie without a usable file is left out
    }
    SeekItem(executable, settings.FlashPosition(i));
    platform::CopyBytes(executable, *target, settings.FlashSize(i));
  }
}

void ExtractHookLibrary(platform::TPlatform& p, TStream& executable, const TSSFileLocations& settings) {
  std::unique_ptr<platform::TWriteStream> target;
  try {
    target = p.Files().Create(JoinPath(GetSystemDir(p.System()), kHookLibraryName));
  } catch (const Exception&) {
    return;  // an unwritable system directory: whatever library is there stays
  }
  SeekItem(executable, settings.HookPosition());
  platform::CopyBytes(executable, *target, settings.HookSize());
}

void DeleteExtractedSounds(platform::TPlatform& p, const TSSFileLocations& settings) {
  const std::string temp = GetTempDir(p.System());
  for (int32_t i = 0; i < settings.SndCount(); ++i) {
    try {
      const std::string name = settings.SndFileName(i);
      if (IsPlainFileName(name)) p.Files().Delete(JoinPath(temp, name));
    } catch (const Exception&) {
      // a missing name: nothing was written under it
    }
  }
}

}  // namespace scr::app
