#include "tools/scrtool/saver_maker.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>
#include <thread>

#include "tools/scrtool/cli.h"
#include "tools/scrtool/default_files.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/make_captions.h"
#include "tools/scrtool/frame_size.h"
#include "tools/scrtool/progress_bar.h"
#include "tools/scrtool/saver_writer.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

namespace {

// Converts the pictures on all cores; the results keep the inputs' order.
std::vector<TPackedPicture> PackPictures(const std::vector<TInputFile>& files, const TPictureOptions& options) {
  std::vector<TPackedPicture> packed(files.size());
  std::vector<std::exception_ptr> errors(files.size());
  uint64_t totalBytes = 0;
  for (const TInputFile& f : files) totalBytes += f.size;
  TProgressBar progress("pictures", files.size(), totalBytes);
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < files.size(); i = next++) {
      try {
        packed[i] = PackPicture(ReadFileBytes(files[i].path), files[i].type, files[i].path, options);
      } catch (...) {
        errors[i] = std::current_exception();
      }
      progress.Advance(files[i].size);
    }
  };
  const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, std::max<size_t>(files.size(), 1));
  std::vector<std::jthread> pool;
  for (size_t t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  pool.clear();
  for (const std::exception_ptr& e : errors)
    if (e) std::rethrow_exception(e);
  return packed;
}

std::string DefaultHook() { return FileExists(SCR_DEFAULT_HOOK) ? SCR_DEFAULT_HOOK : ""; }

void WarnAboutSettings(const TSSFileLocations& s, const TSortedInputs& items, const TWarn& warn) {
  if (items.pictures.empty() && !(s.IsFlash() && !items.movies.empty()))
    warn("no pictures: the saver will show only its background");
  if (!s.Descriptions().empty() && s.Descriptions().size() != items.pictures.size())
    warn("there are " + std::to_string(s.Descriptions().size()) + " descriptions for " +
         std::to_string(items.pictures.size()) + " pictures");
  if (s.IsFlash() && items.movies.empty()) warn("--flash without movies: the saver will show nothing");
  if (!s.IsFlash() && !items.movies.empty()) warn("movies are played only by a Flash saver (--flash)");
  if (s.TextFont().Style() != 0)
    warn("the saver draws its caption in the regular style whatever TextFont.Style says");
}

}  // namespace

std::pair<int, int> ParseMaxSize(const std::string& text) {
  if (text == "0") return {0, 0};
  if (const auto size = ParseFrameSize(text, 1, std::numeric_limits<int>::max())) return {size->width, size->height};
  throw EUsage("--max-size: '" + text + "' is not accepted; give WIDTHxHEIGHT in pixels (3840x2160) or 0 for no limit");
}

TMadeSaver MakeSaver(const TMakeJob& job, const TWarn& warn) {
  TSaverContent content;
  content.textForm = job.singleByteText ? TTextForm::Utf8SingleByte : TTextForm::Utf8;
  TSSFileLocations s = MakeSettings(job.settings);

  TSortedInputs items;
  auto named = [&](const std::vector<TMakeJob::TNamedFile>& files, TContentKind kind, std::vector<TInputFile>& into) {
    for (const TMakeJob::TNamedFile& f : files) {
      into.push_back(InputOfKind(f.path, kind, warn));
      if (!f.name.empty()) into.back().name = f.name;
    }
  };
  named(job.pictures, TContentKind::Picture, items.pictures);
  std::vector<std::optional<std::string>> givenCaptions;
  for (const TMakeJob::TNamedFile& f : job.pictures) givenCaptions.push_back(f.caption);
  named(job.sounds, TContentKind::Sound, items.sounds);
  named(job.movies, TContentKind::Movie, items.movies);
  SortInputs(job.inputs, items, warn);
  givenCaptions.resize(items.pictures.size());
  ApplyCaptions(s, job, items.pictures, givenCaptions, warn);
  WarnAboutSettings(s, items, warn);

  const std::string runtime = job.runtime.empty() ? DefaultRuntimePath() : job.runtime;
  if (!FileExists(runtime))
    throw std::runtime_error("no runtime at " + runtime + "; build the win32 preset or give one with --runtime");

  TPictureOptions options = job.pictureOptions;
  options.background = ColourToRgb(s.Background());
  std::vector<TInputFile> pictures = items.pictures;
  if (!job.preview.empty()) pictures.insert(pictures.begin(), InputOfKind(job.preview, TContentKind::Picture, warn));
  std::vector<TPackedPicture> packed = PackPictures(pictures, options);

  TMadeSaver made;
  made.preview = !job.preview.empty();
  for (size_t i = 0; i < packed.size(); ++i) {
    made.converted += packed[i].converted ? 1 : 0;
    TStoredPicture stored{pictures[i].name, std::move(packed[i].pictureClass), std::move(packed[i].bytes)};
    if (made.preview && i == 0)
      content.preview = std::move(stored);
    else
      content.pictures.push_back(std::move(stored));
  }
  for (const TInputFile& f : items.sounds) content.sounds.push_back({f.name, ReadFileBytes(f.path)});
  for (const TInputFile& f : items.movies) content.movies.push_back({f.name, ReadFileBytes(f.path)});
  const std::string hook = job.noHook ? "" : job.hook.empty() ? DefaultHook() : job.hook;
  if (!hook.empty()) content.hook = ReadFileBytes(hook);

  const TBuiltPackage built = WriteSaver(ReadFileBytes(runtime), s, std::move(content));
  WriteFileBytes(job.output, built.bytes);
  made.bytes = built.bytes.size();
  made.pictures = items.pictures.size();
  made.sounds = items.sounds.size();
  made.movies = items.movies.size();
  made.hook = !hook.empty();
  return made;
}

}  // namespace scr::tool
