// Whole recordings in-process: how many frames a run gives, when the music is part of
// it (the request, the package and the user's stored choice), and that a failing
// output or a movie saver ends the recording with an error instead of a file.
#include <gtest/gtest.h>

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
  recorder.Run(sinks, [&](int64_t at) { reached = at; });
  EXPECT_EQ(reached, 3000);
  for (const TCountingSink* s : {&a, &b}) {
    EXPECT_EQ(s->frames, 30);
    // Transitions and new pictures change the screen; held pictures do not.
    EXPECT_GT(s->fresh, 4);
    EXPECT_LT(s->fresh, 30);
    EXPECT_EQ(s->audioSamples, 3u * 44100 * 2);
    EXPECT_TRUE(s->finished);
  }
  EXPECT_TRUE(recorder.SilentTracks().empty());
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
