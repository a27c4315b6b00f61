#include "tools/scrtool/saver_maker.h"

#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <limits>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <variant>

#include "common/ansi_text.h"
#include "common/ascii.h"
#include "common/file_names.h"
#include "package/component_writer.h"
#include "package/package_writer.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/default_files.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/make_captions.h"
#include "tools/scrtool/frame_size.h"
#include "tools/scrtool/item_names.h"
#include "tools/scrtool/progress_bar.h"
#include "tools/scrtool/saver_writer.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

namespace fs = std::filesystem;

namespace {

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
  if (s.Interval() == 0) warn("Interval is 0: the saver never changes its picture");
}

// Music and movies are written to files under their names when the saver starts, so
// they are stored under names every Windows can create. A name asked for by hand
// (a manifest's name = "...") stays when Windows can create it in its Western code page.
void NameItems(std::vector<TInputFile>& files, TItemNamer& namer, std::set<std::string>& kept, const TWarn& warn) {
  for (TInputFile& f : files) {
    const std::optional<std::string> ansi = Utf8ToAnsiExact(f.name);
    std::string name = f.namedByHand && ansi && IsPlainFileName(*ansi) && kept.insert(AsciiLowerCase(f.name)).second
                           ? f.name
                           : namer.Name(f.name);
    if (name != f.name)
      warn(f.path + " is stored as \"" + name + "\": the saver writes its music and movies to files of these names, "
           "which must be plain ASCII and unique");
    f.name = std::move(name);
  }
}

// The saver file being written: a temporary file beside the output, renamed over it
// when complete and removed when not.
class TSaverFileSink : public IByteSink {
 public:
  explicit TSaverFileSink(std::string output)
      : output_(std::move(output)), temp_(output_ + ".tmp" + std::to_string(::getpid())) {
    out_.open(temp_, std::ios::binary | std::ios::trunc);
    if (!out_) throw std::runtime_error("cannot create " + temp_ + " (beside " + output_ + ")");
  }
  ~TSaverFileSink() override {
    if (!committed_) {
      out_.close();
      std::error_code ec;
      fs::remove(temp_, ec);
    }
  }
  void Write(std::span<const uint8_t> bytes) override {
    out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out_) throw std::runtime_error("cannot write " + temp_ + " (is the disk full?)");
  }
  void Commit() {
    out_.close();
    if (!out_) throw std::runtime_error("cannot write " + temp_);
    std::error_code ec;
    fs::rename(temp_, output_, ec);
    if (ec) throw std::runtime_error("cannot write " + output_ + ": " + ec.message());
    committed_ = true;
  }

 private:
  std::string output_, temp_;
  std::ofstream out_;
  bool committed_ = false;
};

using TConverted = std::variant<TPackedPicture, std::exception_ptr>;

// Converts the pictures on all cores and hands each result to `take` in the inputs'
// order, on the calling thread. At most `window` finished pictures wait for their
// turn, so memory holds a few pictures whatever their number. An exception from
// `take` stops the workers and passes on.
void ConvertInOrder(const std::vector<TInputFile>& files, const TPictureOptions& options,
                    const std::function<void(size_t, TConverted&&)>& take) {
  const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, std::max<size_t>(files.size(), 1));
  const size_t window = threads + 1;
  std::mutex mutex;
  std::condition_variable changed;
  size_t next = 0, taken = 0;
  bool stop = false;
  std::map<size_t, TConverted> done;
  auto work = [&] {
    for (;;) {
      size_t i = 0;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return stop || next >= files.size() || next < taken + window; });
        if (stop || next >= files.size()) return;
        i = next++;
      }
      TConverted result;
      try {
        result = PackPicture(ReadFileBytes(files[i].path), files[i].type, files[i].path, options);
      } catch (...) {
        result = std::current_exception();
      }
      const std::lock_guard lock(mutex);
      done.emplace(i, std::move(result));
      changed.notify_all();
    }
  };
  std::vector<std::jthread> pool;
  struct TStopper {  // destroyed before the pool joins its threads
    std::mutex& mutex;
    std::condition_variable& changed;
    bool& stop;
    ~TStopper() {
      const std::lock_guard lock(mutex);
      stop = true;
      changed.notify_all();
    }
  } stopper{mutex, changed, stop};
  for (size_t t = 0; t < threads; ++t) pool.emplace_back(work);
  for (size_t i = 0; i < files.size(); ++i) {
    TConverted result;
    {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return done.count(i) != 0; });
      result = std::move(done.at(i));
      done.erase(i);
      taken = i + 1;
      changed.notify_all();
    }
    take(i, std::move(result));
  }
}

std::string Gigabytes(int64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f GiB", static_cast<double>(bytes) / (1024.0 * 1024.0 * 1024.0));
  return text;
}

// `reached`: the size written so far with the picture that would not fit, or, when
// `foreseen`, the size the whole saver would have.
[[noreturn]] void TooLarge(int64_t reached, size_t done, size_t total, const TMakeJob& job, bool foreseen = false) {
  const TPictureOptions& o = job.pictureOptions;
  std::string advice = "make the pictures smaller with --max-size (now " +
                       (o.maxWidth > 0 ? std::to_string(o.maxWidth) + "x" + std::to_string(o.maxHeight) : "0, no limit") +
                       ", e.g. 1920x1080) or --quality (now " + std::to_string(o.quality) + ", e.g. 80), or give fewer pictures";
  if (o.keepOriginals) advice = "leave out --keep-originals so the pictures are shrunk, " + advice;
  const std::string size = std::to_string(reached) + " bytes (" + Gigabytes(reached) + ")";
  throw std::runtime_error("the saver would pass 2 GiB (2147483647 bytes), the most a saver file can hold: " +
                           (foreseen ? "with its " + std::to_string(total) + " pictures as they are it would hold at least " + size
                                     : "it reached " + size + " with " + std::to_string(done) + " of " +
                                           std::to_string(total) + " pictures") +
                           "; nothing was written. To fit, " + advice);
}

}  // namespace

std::pair<int, int> ParseMaxSize(const std::string& text) {
  if (text == "0") return {0, 0};
  if (const auto size = ParseFrameSize(text, 1, std::numeric_limits<int>::max())) return {size->width, size->height};
  throw EUsage("--max-size: '" + text + "' is not accepted; give WIDTHxHEIGHT in pixels (3840x2160) or 0 for no limit");
}

TSaverPlan PlanSaver(const TMakeJob& job, const TWarn& warn) {
  TSaverPlan plan;
  // The defaults and the settings as typed come from the writer the web page shares.
  plan.settings = MakeSettings(job.settings);
  TSSFileLocations& s = plan.settings;

  TSortedInputs items;
  auto named = [&](const std::vector<TMakeJob::TNamedFile>& files, TContentKind kind, std::vector<TInputFile>& into) {
    for (const TMakeJob::TNamedFile& f : files) {
      into.push_back(InputOfKind(f.path, kind, warn));
      if (!f.name.empty()) {
        into.back().name = f.name;
        into.back().namedByHand = true;
      }
    }
  };
  named(job.pictures, TContentKind::Picture, items.pictures);
  std::vector<std::optional<std::string>> givenCaptions;
  for (const TMakeJob::TNamedFile& f : job.pictures) givenCaptions.push_back(f.caption);
  named(job.sounds, TContentKind::Sound, items.sounds);
  named(job.movies, TContentKind::Movie, items.movies);
  // Files named one by one (--picture, a manifest's list) keep the order given; the
  // files of the inputs follow them in the order asked for. Music has no date taken:
  // it goes by name then.
  const size_t namedPictures = items.pictures.size(), namedSounds = items.sounds.size();
  SortInputs(job.inputs, items, warn);
  WarnAboutSettings(s, items, warn);
  auto order = [](std::vector<TInputFile>& files, size_t from, TInputOrder how) {
    std::vector<TInputFile> tail(std::make_move_iterator(files.begin() + static_cast<std::ptrdiff_t>(from)),
                                 std::make_move_iterator(files.end()));
    files.resize(from);
    OrderInputs(tail, how);
    for (TInputFile& f : tail) files.push_back(std::move(f));
  };
  order(items.pictures, namedPictures, job.order);
  // Given captions belong to the pictures named one by one, which keep their places.
  givenCaptions.resize(items.pictures.size());
  ApplyCaptions(s, job, items.pictures, givenCaptions, warn);
  order(items.sounds, namedSounds, job.order == TInputOrder::Date ? TInputOrder::Name : job.order);
  TItemNamer namer;
  std::set<std::string> kept;
  NameItems(items.sounds, namer, kept, warn);
  NameItems(items.movies, namer, kept, warn);

  plan.runtime = job.runtime.empty() ? DefaultRuntimePath() : job.runtime;
  plan.hook = job.noHook ? "" : job.hook.empty() ? DefaultHookPath() : job.hook;
  if (!job.preview.empty()) plan.preview = InputOfKind(job.preview, TContentKind::Picture, warn);
  plan.pictures = std::move(items.pictures);
  plan.sounds = std::move(items.sounds);
  plan.movies = std::move(items.movies);
  return plan;
}

TMadeSaver WritePlannedSaver(const TMakeJob& job, const TSaverPlan& plan, const TWarn& warn) {
  if (!FileExists(plan.runtime))
    throw std::runtime_error("no runtime at " + plan.runtime + "; build the win32 preset or give one with --runtime");
  TPictureOptions options = job.pictureOptions;
  options.background = ColourToRgb(plan.settings.Background());

  std::vector<TInputFile> pictures = plan.pictures;
  if (plan.preview) pictures.insert(pictures.begin(), *plan.preview);
  // What must still fit after the pictures: the music, the movies and the hook library.
  int64_t reserved = 0;
  for (const auto* list : {&plan.sounds, &plan.movies})
    for (const TInputFile& f : *list) reserved += static_cast<int64_t>(f.size);
  if (!plan.hook.empty()) reserved += static_cast<int64_t>(fs::file_size(plan.hook));

  // Pictures kept as they are have their sizes known now: a saver too large for them
  // stops before anything is read.
  if (options.keepOriginals) {
    int64_t whole = static_cast<int64_t>(fs::file_size(plan.runtime)) + reserved;
    for (const TInputFile& f : pictures) whole += static_cast<int64_t>(f.size);
    if (whole > kLargestSaverFile) TooLarge(whole, pictures.size(), pictures.size(), job, true);
  }

  TSaverFileSink sink(job.output);
  TPackageWriter writer(sink, plan.settings, job.singleByteText ? TTextForm::Utf8SingleByte : TTextForm::Utf8);
  writer.AddRuntime(ReadFileBytes(plan.runtime));

  TMadeSaver made;
  uint64_t totalBytes = 0;
  for (const TInputFile& f : pictures) totalBytes += f.size;
  TProgressBar progress("pictures", pictures.size(), totalBytes);
  ConvertInOrder(pictures, options, [&](size_t i, TConverted&& result) {
    progress.Advance(pictures[i].size);
    if (auto* failure = std::get_if<std::exception_ptr>(&result)) {
      try {
        std::rethrow_exception(*failure);
      } catch (const EBadPicture& e) {
        if (!job.skipBad) throw std::runtime_error(std::string(e.what()) + " (--skip-bad leaves such pictures out)");
        warn(std::string(e.what()) + "; left out (--skip-bad)");
        // A picture left out takes its description (its caption) with it, so the
        // others keep theirs.
        const bool isPreview = plan.preview && i == 0;
        TStringList& descriptions = writer.Settings().Descriptions();
        const size_t entry = made.pictures;  // the entries before are the pictures written
        if (!isPreview && entry < descriptions.size())
          descriptions.erase(descriptions.begin() + static_cast<std::ptrdiff_t>(entry));
        ++made.skipped;
        return;
      }
    }
    TPackedPicture& packed = std::get<TPackedPicture>(result);
    for (const std::string& w : packed.warnings) warn(w);
    const std::vector<uint8_t> stream = BuildImageStream(packed.pictureClass, packed.bytes);
    if (!writer.Fits(reserved + static_cast<int64_t>(stream.size())))
      TooLarge(writer.Size() + static_cast<int64_t>(stream.size()), i, pictures.size(), job);
    made.converted += packed.converted ? 1 : 0;
    if (plan.preview && i == 0) {
      writer.AddPreview(stream);
      made.preview = true;
    } else {
      writer.AddPicture(pictures[i].name, stream);
      ++made.pictures;
    }
  });
  progress.Done();
  try {
    for (const TInputFile& f : plan.sounds) writer.AddSound(f.name, ReadFileBytes(f.path));
    for (const TInputFile& f : plan.movies) writer.AddMovie(f.name, ReadFileBytes(f.path));
    if (!plan.hook.empty()) writer.AddHookLibrary(ReadFileBytes(plan.hook));
    made.bytes = static_cast<size_t>(writer.Finish().fileSize);
  } catch (const std::length_error&) {
    TooLarge(writer.Size(), pictures.size(), pictures.size(), job);
  }
  sink.Commit();
  made.sounds = plan.sounds.size();
  made.movies = plan.movies.size();
  made.hook = !plan.hook.empty();
  return made;
}

TMadeSaver MakeSaver(const TMakeJob& job, const TWarn& warn) { return WritePlannedSaver(job, PlanSaver(job, warn), warn); }

}  // namespace scr::tool
