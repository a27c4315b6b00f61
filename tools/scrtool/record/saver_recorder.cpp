#include "tools/scrtool/record/saver_recorder.h"

#include <algorithm>
#include <exception>

#include "app/globals.h"
#include "common/errors.h"
#include "common/random.h"
#include "package/package_reader.h"
#include "platform/headless/headless_platform.h"
#include "saver/music_part.h"
#include "saver/screen_saver.h"
#include "tools/media/audio_track.h"
#include "tools/media/midi_render.h"
#include "tools/scrtool/record/output_file.h"
#include "tools/scrtool/record/audio_timeline.h"
#include "tools/scrtool/record/frame_sampler.h"

namespace scr::tool {

using platform::headless::THeadlessPlatform;

namespace {

// How often the run is looked at between the saver's own events: each millisecond
// while music plays (a track's start is known to the millisecond), else ten times a
// virtual second.
constexpr uint64_t kSoundPollMs = 1;
constexpr uint64_t kQuietPollMs = 100;
// Sound is handed to the sinks this far behind virtual time, so a track that starts
// within the current poll still lands in the mix, and the last second is still there
// to fade out when the round's end is found.
constexpr int64_t kSoundLagMs = kFadeOutMs + 100;

std::string ControlIniPath(THeadlessPlatform& p) {
  const std::string exe = p.System().ExecutablePath();
  return exe.substr(0, exe.find_last_of('\\') + 1) + saver::kControlIni;
}

}  // namespace

struct TSaverRecorder::TState {
  TRecordRequest request;
  THeadlessPlatform p;
  std::unique_ptr<saver::TfrmScrn> form;
  bool sound = false;
  TAudioTimeline timeline;
  size_t tracksSeen = 0;
  std::vector<std::string> skipped;
  int failuresInARow = 0;
  std::string soundFont = media::MidiSoundFont();
  // The end: the request's length, or (one round) the longest round until the round's
  // end is seen.
  int64_t endMs = 0;
  bool round = false, roundEnded = false;
  int32_t lastPicIndex = 0;
  int picturesShown = 0;
  TFrameSampler* sampler = nullptr;
  std::span<IRecordSink* const> sinks;
  std::function<void(int64_t, double)> onProgress;
  // The first error of the recording's own work. It is kept here and the run ended:
  // raised inside the saver's handlers, it would only be shown in a message box and
  // the saver would carry on.
  std::exception_ptr failure;

  template <class F>
  void Guarded(F&& work) {
    if (failure) return;
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
      p.Application().Terminate();
    }
  }

  void Poll() {
    const int64_t now = static_cast<int64_t>(p.Desktop().Now());
    p.Log().Clear();  // nobody reads the call log here; keep it from growing all run long
    if (request.interrupted)
      if (const int signal = request.interrupted()) throw EInterrupted{signal};
    if (round && !roundEnded) WatchRound(now);
    if (sound) {
      NoticeTracks(now);
      GiveSound(now - kSoundLagMs);
    }
    if (onProgress) onProgress(now, Done(now));
    if (now >= endMs) return;
    const uint64_t next = static_cast<uint64_t>(now) + (sound || round ? kSoundPollMs : kQuietPollMs);
    p.Desktop().At(next, [this] { Guarded([this] { Poll(); }); });
  }

  double Done(int64_t now) const {
    double done = static_cast<double>(now) / static_cast<double>(endMs);
    if (round && !roundEnded)
      done = std::max(done, static_cast<double>(picturesShown) / std::max(1, form->Settings().PicCount()));
    return std::clamp(done, 0.0, 1.0);
  }

  // The slide show counts a picture as shown once its transition ended (its index
  // moves on by one); the round ends when, all pictures shown, the next one begins.
  void WatchRound(int64_t now) {
    const int32_t index = form->PicIndex();
    if (index == lastPicIndex) return;
    if (picturesShown >= form->Settings().PicCount()) {
      EndRoundAt(now);
      return;
    }
    if (index == lastPicIndex + 1) ++picturesShown;
    lastPicIndex = index;
  }

  void EndRoundAt(int64_t now) {
    roundEnded = true;
    endMs = std::max<int64_t>(1, now);
    if (sampler) sampler->EndAt(endMs);
    timeline.FadeOut(endMs, kFadeOutMs);
    if (form->Window().Exists()) p.Windowing().PostMessageTo(form->Window().Handle(), saver::WM_STOPSHOW, 0, 0);
  }

  media::TAudio Decode(std::span<const uint8_t> bytes, int64_t maxMs) const {
    if (media::IsMidi(bytes)) return media::RenderMidi(bytes, maxMs, soundFont);
    return media::DecodeAudio(bytes, maxMs);
  }

  // A track that started since the last look: decoded, placed at its start, and ended
  // for the saver when its sound ends, as the system's player would. One that cannot
  // be decoded ends at once, so the next one plays, unless every track in a row
  // failed (the playlist would only go round them again).
  void NoticeTracks(int64_t now) {
    const auto& played = p.Media().Played();
    for (; tracksSeen < played.size(); ++tracksSeen) {
      const std::string path = played[tracksSeen];
      const auto bytes = p.Files().File(path);
      media::TAudio audio;
      try {
        if (!bytes) throw Exception("the file is gone");
        audio = Decode(*bytes, std::max<int64_t>(0, endMs - now));
      } catch (const Exception&) {
        const std::string name = path.substr(path.find_last_of('\\') + 1);
        if (std::find(skipped.begin(), skipped.end(), name) == skipped.end()) skipped.push_back(name);
        if (++failuresInARow < form->Settings().SndCount() && tracksSeen + 1 == played.size() &&
            p.Media().Playing() == path)
          p.Media().FinishTrack();
        continue;
      }
      failuresInARow = 0;
      const size_t index = tracksSeen;
      p.Desktop().At(static_cast<uint64_t>(now + audio.DurationMs()), [this, index, path] {
        if (p.Media().Played().size() == index + 1 && p.Media().Playing() == path) p.Media().FinishTrack();
      });
      timeline.Add(now, std::move(audio));
    }
  }

  void GiveSound(int64_t untilMs) {
    const std::vector<float> mix = timeline.TakeUntil(std::min(untilMs, endMs));
    if (mix.empty()) return;
    for (IRecordSink* sink : sinks) sink->Audio(mix);
  }
};

TSaverRecorder::TSaverRecorder(const TRecordRequest& request) : s_(std::make_unique<TState>()) {
  TState& s = *s_;
  s.request = request;
  if (request.width < 1 || request.height < 1 || request.fps < 1 || request.durationMs < 0)
    throw Exception("a recording needs a size, a frame rate and a duration");
  s.round = request.durationMs == 0;
  s.endMs = s.round ? kLongestRoundMs : request.durationMs;
  s.timeline.FadeOut(s.endMs, kFadeOutMs);
  // The program-wide state as at program start: every recording of a saver is the same.
  app::ResetProgramState();
  ResetProgramRandom();
  saver::MouseSkipCount = 0;

  THeadlessPlatform& p = s.p;
  p.Desktop().SetScreen(TRect{0, 0, request.width, request.height});
  p.Desktop().SetTimeLimit(static_cast<uint64_t>(s.endMs) + 600000);
  p.Files().SetFile(p.System().ExecutablePath(), request.saver);
  if (request.controlIni) p.Files().SetFile(ControlIniPath(p), *request.controlIni);
  {
    std::unique_ptr<TStream> file = p.Files().OpenRead(p.System().ExecutablePath());
    TSSFileLocations settings;
    if (!ReadSettingsInto(*file, settings)) throw Exception("not a saver: the package trailer is missing");
    if (settings.IsFlash()) throw Exception(std::string("the saver ") + kMovieSaverRefused);
    if (settings.PicCount() == 0) throw Exception("the saver holds no pictures");
  }

  s.form = std::make_unique<saver::TfrmScrn>(p, saver::TSaverParts{saver::CreateMusicPart(p), nullptr});
  s.form->Window().Show();
  // The activation runs the set-up (the slide show starts later, from the loop).
  for (int i = 0; i < 4; ++i) p.Application().ProcessMessages();
  s.sound = !request.mute && s.form->Settings().SndCount() > 0 && !s.form->Settings().lMute();
}

TSaverRecorder::~TSaverRecorder() = default;

bool TSaverRecorder::HasSound() const { return s_->sound; }
const std::vector<std::string>& TSaverRecorder::SkippedTracks() const { return s_->skipped; }
int64_t TSaverRecorder::LengthMs() const { return s_->endMs; }

void TSaverRecorder::Run(std::span<IRecordSink* const> sinks,
                         const std::function<void(int64_t atMs, double done)>& onProgress) {
  TState& s = *s_;
  THeadlessPlatform& p = s.p;
  s.sinks = sinks;
  s.onProgress = onProgress;
  const int64_t end = s.endMs;
  TFrameSampler sampler(s.request.fps, end, p.Screen().Snapshot(), [&](const TBitmap24& frame, bool fresh) {
    for (IRecordSink* sink : sinks) sink->Frame(frame, fresh);
  });
  s.sampler = &sampler;
  p.Screen().OnPresent = [&] {
    s.Guarded([&] {
      const int64_t now = static_cast<int64_t>(p.Desktop().Now());
      // The next round's first frame is not part of this one.
      if (s.round && !s.roundEnded) s.WatchRound(now);
      sampler.Presented(now, p.Screen().Snapshot());
    });
  };
  s.Poll();
  p.Desktop().At(static_cast<uint64_t>(end), [&s, &p] {
    if (s.form->Window().Exists()) p.Windowing().PostMessageTo(s.form->Window().Handle(), saver::WM_STOPSHOW, 0, 0);
  });
  if (s.form->Window().Exists()) p.Application().Run(s.form->Window());
  p.Screen().OnPresent = nullptr;
  s.sampler = nullptr;
  s.sinks = {};
  s.onProgress = nullptr;
  if (s.failure) std::rethrow_exception(s.failure);
  sampler.Finish();
  if (s.sound) {
    s.NoticeTracks(s.endMs);
    const std::vector<float> rest = s.timeline.TakeUntil(s.endMs);
    if (!rest.empty())
      for (IRecordSink* sink : sinks) sink->Audio(rest);
  }
  for (IRecordSink* sink : sinks) sink->Finish();
  if (onProgress) onProgress(s.endMs, 1.0);
}

}  // namespace scr::tool
