// scrtool record: a whole saver run rendered in virtual time into a video (MP4 with
// its music, or animated WebP) or a folder of numbered PNG frames. The video is
// written beside its name and renamed at the end, so a failure or Ctrl-C never
// leaves a broken file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/ascii.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/frame_size.h"
#include "tools/scrtool/progress_bar.h"
#include "tools/scrtool/record/output_file.h"
#include "tools/scrtool/record/record_sinks.h"
#include "tools/scrtool/record/saver_recorder.h"

namespace scr::tool {

namespace {

// The user's stored choices beside the saver, whatever the letter case of its name.
std::optional<std::vector<uint8_t>> ControlIniBeside(const std::string& saverPath) {
  namespace fs = std::filesystem;
  std::error_code failed;
  const fs::path dir = fs::absolute(saverPath, failed).parent_path();
  for (fs::directory_iterator it(dir, failed), end; !failed && it != end; it.increment(failed))
    if (AsciiLowerCase(it->path().filename().string()) == "control.ini" && it->is_regular_file(failed))
      return ReadFileBytes(it->path().string());
  return std::nullopt;
}

int Record(const std::vector<std::string>& args) {
  auto app = NewCommandApp(
      "record",
      "Renders a whole saver run in virtual time, as the saver shows it: pictures held for their\n"
      "interval, transitions at their delay, captions included; by default one full round (every\n"
      "picture once), at most 10 minutes. The music goes into an MP4 (MIDI played with Debian's\n"
      "General MIDI sound font) and fades out over the last second, unless --mute is given or the\n"
      "saver's CONTROL.INI beside it says mute; a track that cannot be decoded is skipped with a\n"
      "warning. Movie savers are refused. An error or Ctrl-C leaves OUT as it was.",
      {"scrtool record holiday.scr -o holiday.mp4",
       "scrtool record holiday.scr -o clip.webp --size 640x360 --seconds 10 --fps 15",
       "scrtool record holiday.scr --frames frames --size 1920x1080 --seconds 5"});
  std::string saverPath, out, framesDir, sizeText = "1280x720";
  int seconds = 0, fps = 25;
  bool mute = false;
  app->add_option("SAVER", saverPath, "the saver file")->required();
  app->add_option("-o", out, "OUT.mp4 (H.264, AAC music) or OUT.webp (animated, no sound)");
  app->add_option("--frames", framesDir, "also (or only) write DIR/frame-NNNNNN.png");
  app->add_option("--size", sizeText, "screen size WxH (default 1280x720)");
  app->add_option("--seconds", seconds, "length of the run (default: one full round of the saver, at most 600)")
      ->check(CLI::Range(1, 3600));
  app->add_option("--fps", fps, "frames a second (default 25)")->check(CLI::Range(1, 120));
  app->add_flag("--mute", mute, "leave the music out");
  return RunCommand(*app, args, [&] {
    const TFrameSize size = FrameSizeOption("--size", sizeText, 16, kMaxFrameSide);
    const std::string kind = AsciiLowerCase(std::filesystem::path(out).extension().string());
    if (out.empty() && framesDir.empty()) throw EUsage("give -o OUT.mp4, -o OUT.webp or --frames DIR");
    if (!out.empty() && kind != ".mp4" && kind != ".webp")
      throw EUsage("-o takes a file ending in .mp4 or .webp, not '" + out + "'");
    if (kind == ".mp4" && (size.width % 2 || size.height % 2))
      throw EUsage("an MP4 needs an even width and height, not " + sizeText);

    TRecordRequest request;
    request.saver = ReadFileBytes(saverPath);
    request.controlIni = ControlIniBeside(saverPath);
    request.width = size.width;
    request.height = size.height;
    request.fps = fps;
    request.durationMs = int64_t{seconds} * 1000;
    request.mute = mute;

    std::optional<TOutputFile> file;
    if (!out.empty()) file.emplace(out);
    TInterruptWatch interrupts(file ? file->TempPath() : std::string());
    request.interrupted = [&interrupts] { return interrupts.Signal(); };
    try {
      TSaverRecorder recorder(request);
      std::vector<std::unique_ptr<IRecordSink>> owned;
      if (kind == ".mp4")
        owned.push_back(CreateMp4Sink(file->TempPath(), size.width, size.height, fps, recorder.HasSound()));
      if (kind == ".webp") owned.push_back(CreateWebPSink(file->TempPath(), size.width, size.height, fps));
      if (!framesDir.empty()) owned.push_back(CreatePngSink(framesDir));
      std::vector<IRecordSink*> sinks;
      for (auto& sink : owned) sinks.push_back(sink.get());

      const auto start = std::chrono::steady_clock::now();
      TProgressBar bar("record");
      recorder.Run(sinks, [&](int64_t atMs, double done) {
        char note[48];
        std::snprintf(note, sizeof note, "%.1f s", atMs / 1000.0);
        bar.Show(done, note);
      });
      bar.Done();
      owned.clear();
      if (const int signal = interrupts.Signal()) throw EInterrupted{signal};
      if (file) file->Commit();
      for (const std::string& name : recorder.SkippedTracks())
        Warn("record", "the track " + name + " cannot be decoded; it was skipped");
      const double length = recorder.LengthMs() / 1000.0;
      const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::printf("recorded %.1f s at %dx%d, %d frames a second%s, in %.1f s (%.1f times real time)\n", length,
                  size.width, size.height, fps, recorder.HasSound() && kind == ".mp4" ? " with music" : "", took,
                  took > 0 ? length / took : 0.0);
    } catch (const EInterrupted& e) {
      // Whatever was written goes first; then the process ends as the signal says.
      file.reset();
      TInterruptWatch::Reraise(e.signal);
    }
    return kExitOk;
  });
}

const TRegisterCommand kRegister{TCommand{"record", "record a saver run as MP4, animated WebP or PNG frames", Record}};

}  // namespace

}  // namespace scr::tool
