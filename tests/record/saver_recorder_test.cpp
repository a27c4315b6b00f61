// Whole recordings in-process: how many frames a run gives, when the music is part of
// it (the request, the package and the user's stored choice), and that a failing
// output or a movie saver ends the recording with an error instead of a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/errors.h"
#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "tests/support/saver_files.h"
#include "tests/music/sound_bytes.h"
#include "tools/scrtool/record/output_file.h"
#include "tools/scrtool/record/saver_recorder.h"

namespace scr::tool {
namespace {

struct TCountingSink : IRecordSink {
  int frames = 0, fresh = 0;
  size_t audioSamples = 0;
  bool finished = false;
  int failAt = -1;  // the frame whose writing fails, once
  void Frame(const TBitmap24& frame, bool isFresh) override {
    if (frames == failAt) {
      failAt = -1;
      throw Exception("disk full");
    }
    ++frames;
    fresh += isFresh ? 1 : 0;
  }
  void Audio(std::span<const float> samples) override { audioSamples += samples.size(); }
  void Finish() override { finished = true; }
};

TRecordRequest Request(bool withSound, bool packageMute = false, const char* kind = "") {
  TPackageBuilder b(scr::test::FakeRuntime());
  for (int i = 0; i < 2; ++i)
    b.AddPicture("p" + std::to_string(i) + ".bmp",
                 BuildImageStream("TBitmap", EncodeBmp24(scr::test::PatternBitmap(40 + 10 * i, 30))));
  b.Settings().SetInterval(500);
  b.Settings().SetlMute(packageMute);
  b.Settings().SetVer(kind);
  if (withSound) b.AddSound("a.wav", scr::test::WaveTone(300, 440));
  TRecordRequest r;
  r.saver = b.Build().bytes;
  r.width = 64;
  r.height = 48;
  r.fps = 10;
  r.durationMs = 3000;
  return r;
}

std::vector<uint8_t> Ini(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TEST(SaverRecorder, GivesEveryFrameOfTheRunAndItsSoundToEveryOutput) {
  TSaverRecorder recorder(Request(true));
  ASSERT_TRUE(recorder.HasSound());
  TCountingSink a, b;
  IRecordSink* sinks[] = {&a, &b};
  int64_t reached = 0;
  recorder.Run(sinks, [&](int64_t at, double) { reached = at; });
  EXPECT_EQ(reached, 3000);
  for (const TCountingSink* s : {&a, &b}) {
    EXPECT_EQ(s->frames, 30);
    // Transitions and new pictures change the screen; held pictures do not.
    EXPECT_GT(s->fresh, 4);
    EXPECT_LT(s->fresh, 30);
    EXPECT_EQ(s->audioSamples, 3u * 44100 * 2);
    EXPECT_TRUE(s->finished);
  }
  EXPECT_TRUE(recorder.SkippedTracks().empty());
}

// Every frame and every sample, for looking at what was recorded.
struct TKeepingSink : IRecordSink {
  std::vector<bool> fresh;
  std::vector<float> audio;
  bool finished = false;
  void Frame(const TBitmap24&, bool isFresh) override { fresh.push_back(isFresh); }
  void Audio(std::span<const float> samples) override { audio.insert(audio.end(), samples.begin(), samples.end()); }
  void Finish() override { finished = true; }
  // The loudest sample between two times.
  float Peak(int64_t fromMs, int64_t toMs) const {
    float peak = 0;
    for (size_t i = static_cast<size_t>(fromMs * 441 / 10 * 2); i < std::min(audio.size(), size_t(toMs * 441 / 10 * 2)); ++i)
      peak = std::max(peak, std::abs(audio[i]));
    return peak;
  }
};

// Pictures held whole: runs of at least three frames that repeat the one before.
int HeldPictures(const std::vector<bool>& fresh) {
  int held = 0, run = 0;
  for (bool f : fresh) {
    run = f ? 0 : run + 1;
    if (run == 3) ++held;
  }
  return held;
}

TEST(SaverRecorder, ByDefaultOneRoundEveryPictureOnceWithItsTransitionAndInterval) {
  TRecordRequest r = Request(false);
  r.durationMs = 0;
  TSaverRecorder recorder(r);
  TKeepingSink sink;
  IRecordSink* sinks[] = {&sink};
  recorder.Run(sinks);
  EXPECT_EQ(HeldPictures(sink.fresh), 2) << "both pictures shown whole, and not the first again";
  EXPECT_GE(recorder.LengthMs(), 2 * 500);
  EXPECT_LT(recorder.LengthMs(), 2 * (500 + 2000));
  EXPECT_EQ(static_cast<int64_t>(sink.fresh.size()), (recorder.LengthMs() * 10 + 999) / 1000);
  EXPECT_FALSE(sink.fresh.back()) << "it ends on the last picture held, before the next transition";
}

TEST(SaverRecorder, AnUndecodableTrackIsSkippedAndTheNextPlays) {
  TPackageBuilder b(scr::test::FakeRuntime());
  b.AddPicture("p.bmp", BuildImageStream("TBitmap", EncodeBmp24(scr::test::PatternBitmap(40, 30))));
  b.Settings().SetInterval(5000);
  b.Settings().SetlMute(false);
  b.AddSound("a.wav", scr::test::WaveTone(300, 440));
  std::vector<uint8_t> damaged = scr::test::WaveTone(300, 440);
  std::fill(damaged.begin() + 12, damaged.end(), uint8_t{0xEE});
  b.AddSound("b.wav", damaged);
  b.AddSound("c.wav", scr::test::WaveTone(300, 660));
  TRecordRequest r;
  r.saver = b.Build().bytes;
  r.width = 32;
  r.height = 24;
  r.fps = 5;
  r.durationMs = 3000;
  TSaverRecorder recorder(r);
  TKeepingSink sink;
  IRecordSink* sinks[] = {&sink};
  recorder.Run(sinks);
  EXPECT_EQ(recorder.SkippedTracks(), std::vector<std::string>{"b.wav"});
  const int64_t start = 0;  // the music starts with the show
  EXPECT_GT(sink.Peak(start, start + 250), 0.05f) << "the first track";
  EXPECT_GT(sink.Peak(start + 350, start + 550), 0.05f) << "the third track right after the first";
}

TEST(SaverRecorder, TheMusicFadesOutOverTheLastSecond) {
  TRecordRequest r = Request(false);
  TPackageBuilder b(scr::test::FakeRuntime());
  b.AddPicture("p.bmp", BuildImageStream("TBitmap", EncodeBmp24(scr::test::PatternBitmap(40, 30))));
  b.Settings().SetlMute(false);
  b.AddSound("long.wav", scr::test::WaveTone(4000, 440));
  r.saver = b.Build().bytes;
  r.durationMs = 2000;
  TSaverRecorder recorder(r);
  TKeepingSink sink;
  IRecordSink* sinks[] = {&sink};
  recorder.Run(sinks);
  ASSERT_EQ(sink.audio.size(), 2u * 44100 * 2);
  const float full = sink.Peak(0, 900);
  EXPECT_GT(full, 0.05f);
  EXPECT_LT(sink.Peak(1400, 1600), 0.7f * full);
  EXPECT_GT(sink.Peak(1400, 1600), 0.3f * full);
  EXPECT_LT(sink.Peak(1950, 2000), 0.1f * full);
}

TEST(SaverRecorder, AnInterruptionEndsTheRunWithoutFinishingTheOutputs) {
  TRecordRequest r = Request(true);
  int looks = 0;
  r.interrupted = [&looks] { return ++looks > 50 ? 2 : 0; };
  TSaverRecorder recorder(r);
  TKeepingSink sink;
  IRecordSink* sinks[] = {&sink};
  try {
    recorder.Run(sinks);
    FAIL() << "not interrupted";
  } catch (const EInterrupted& e) {
    EXPECT_EQ(e.signal, 2);
  }
  EXPECT_FALSE(sink.finished);
}

TEST(SaverRecorder, MusicIsLeftOutWhenMutedAnywhere) {
  struct TCase {
    bool sound, packageMute, requestMute;
    std::optional<std::string> ini;
    bool recorded;
  } const cases[] = {
      {false, false, false, std::nullopt, false},
      {true, false, false, std::nullopt, true},
      {true, true, false, std::nullopt, false},
      {true, false, true, std::nullopt, false},
      {true, false, false, "[Setup]\r\nmute=1\r\n", false},
      {true, true, false, "[Setup]\r\nmute=0\r\n", true},
  };
  for (const TCase& c : cases) {
    TRecordRequest r = Request(c.sound, c.packageMute);
    r.mute = c.requestMute;
    if (c.ini) r.controlIni = Ini(*c.ini);
    r.durationMs = 500;
    TSaverRecorder recorder(r);
    EXPECT_EQ(recorder.HasSound(), c.recorded) << c.sound << c.packageMute << c.requestMute << c.ini.value_or("");
    TCountingSink sink;
    IRecordSink* sinks[] = {&sink};
    recorder.Run(sinks);
    EXPECT_EQ(sink.audioSamples > 0, c.recorded);
  }
}

TEST(SaverRecorder, AFailingOutputEndsTheRecordingWithItsError) {
  TSaverRecorder recorder(Request(false));
  TCountingSink sink;
  sink.failAt = 12;  // inside the first transition's slide timer tick or soon after
  IRecordSink* sinks[] = {&sink};
  try {
    recorder.Run(sinks);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "disk full");
  }
  EXPECT_FALSE(sink.finished);
}

TEST(SaverRecorder, MovieSaversAndOtherFilesAreRefused) {
  try {
    TSaverRecorder recorder(Request(false, false, "flash"));
    FAIL() << "a movie saver was accepted";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("movie saver"), std::string::npos) << e.what();
  }
  TRecordRequest notASaver = Request(false);
  notASaver.saver.resize(100);
  EXPECT_THROW(TSaverRecorder{notASaver}, Exception);
}

}  // namespace
}  // namespace scr::tool
