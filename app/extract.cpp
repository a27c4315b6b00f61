#include "app/extract.h"

#include <set>

#include "app/paths.h"
#include "common/ascii.h"
#include "common/errors.h"

namespace scr::app {

namespace {

// The name from the package, or empty when there is none at that index.
std::string NameAt(const TStringList& names, size_t index) { return index < names.size() ? names[index] : ""; }

// "stem~n.ext" for "stem.ext"; a name without a dot gets "~n" at its end.
std::string Numbered(const std::string& name, int n) {
  const size_t dot = name.rfind('.');
  const std::string suffix = "~" + std::to_string(n);
  return dot == std::string::npos || dot == 0 ? name + suffix : name.substr(0, dot) + suffix + name.substr(dot);
}

void SeekItem(TStream& executable, int32_t position) {
  // A negative position names no byte of the file.
  if (position < 0) throw EReadError(kStreamReadError);
  executable.Seek(position);
}

// The target for an extracted name; nothing when it cannot be created.
std::unique_ptr<platform::TWriteStream> CreateTarget(platform::TPlatform& p, const std::string& directory,
                                                     const std::string& name) {
  if (name.empty()) return nullptr;
  try {
    return p.Files().Create(JoinPath(directory, name));
  } catch (const Exception&) {
    return nullptr;  // the item is left out; the rest of the saver runs
  }
}

}  // namespace

TExtractedNames ExtractedNames(const TSSFileLocations& s) {
  std::set<std::string> stored, taken;  // upper-cased
  auto each = [&](const TStringList& positions, const TStringList& names, auto visit) {
    for (size_t i = 0; i < positions.size(); ++i) visit(NameAt(names, i));
  };
  auto remember = [&](const std::string& name) { stored.insert(AsciiUpperCase(name)); };
  each(s.SndPositions(), s.SndFileNames(), remember);
  each(s.FlashPositions(), s.FlashFileNames(), remember);

  TExtractedNames out;
  auto choose = [&](const std::string& name) {
    std::string chosen = IsPlainFileName(name) ? name : "";
    for (int n = 2; !chosen.empty() && taken.count(AsciiUpperCase(chosen)) != 0; ++n) {
      const std::string candidate = Numbered(name, n);
      if (!IsPlainFileName(candidate))
        chosen.clear();  // no room for a number: the item is left out
      else if (stored.count(AsciiUpperCase(candidate)) == 0)
        chosen = candidate;
    }
    if (!chosen.empty()) taken.insert(AsciiUpperCase(chosen));
    return chosen;
  };
  each(s.SndPositions(), s.SndFileNames(), [&](const std::string& name) { out.sounds.push_back(choose(name)); });
  each(s.FlashPositions(), s.FlashFileNames(), [&](const std::string& name) { out.movies.push_back(choose(name)); });
  return out;
}

std::string ExtractedSoundName(const TSSFileLocations& settings, int32_t index) {
  const TExtractedNames names = ExtractedNames(settings);
  return index >= 0 && static_cast<size_t>(index) < names.sounds.size() ? names.sounds[static_cast<size_t>(index)] : "";
}

std::string ExtractedMovieName(const TSSFileLocations& settings, int32_t index) {
  const TExtractedNames names = ExtractedNames(settings);
  return index >= 0 && static_cast<size_t>(index) < names.movies.size() ? names.movies[static_cast<size_t>(index)] : "";
}

void ExtractMediaFiles(platform::TPlatform& p, TStream& executable, const TSSFileLocations& settings) {
  const std::string temp = GetTempDir(p.System());
  const TExtractedNames names = ExtractedNames(settings);
  for (int32_t i = 0; i < settings.SndCount(); ++i) {
    SeekItem(executable, settings.SndPosition(i));
    std::unique_ptr<platform::TWriteStream> target = CreateTarget(p, temp, names.sounds[static_cast<size_t>(i)]);
    if (target) platform::CopyBytes(executable, *target, settings.SndSize(i));
  }
  for (int32_t i = 0; i < settings.FlashCount(); ++i) {
    std::unique_ptr<platform::TWriteStream> target = CreateTarget(p, temp, names.movies[static_cast<size_t>(i)]);
    if (!target) continue;
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
  for (const std::string& name : ExtractedNames(settings).sounds) {
    if (name.empty()) continue;  // nothing was written for it
    try {
      p.Files().Delete(JoinPath(temp, name));
    } catch (const Exception&) {
    }
  }
}

}  // namespace scr::app
