// The parts of a recording that decide what lands where: which presented picture
// each frame at a fixed rate shows, and where each track's sound lands in the mix.
#include <gtest/gtest.h>
#include <webp/demux.h>

#include <filesystem>
#include <vector>

#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/record/record_sinks.h"

#include "tools/scrtool/record/audio_timeline.h"
#include "tools/scrtool/record/frame_sampler.h"
#include "tools/media/audio_track.h"
#include "tools/media/midi_render.h"
#include "common/errors.h"
#include "tests/music/sound_bytes.h"

namespace scr::tool {
namespace {

// A 1 x 1 picture whose colour names it.
TBitmap24 Solid(uint32_t colour) {
  TBitmap24 b(1, 1);
  b.Fill(colour);
  return b;
}

std::vector<uint32_t> Sample(int fps, int64_t endMs, const std::vector<std::pair<int64_t, uint32_t>>& presents) {
  std::vector<uint32_t> frames;
  TFrameSampler sampler(fps, endMs, Solid(0), [&](const TBitmap24& f, bool) { frames.push_back(f.Pixel(0, 0)); });
  for (auto [at, colour] : presents) sampler.Presented(at, Solid(colour));
  sampler.Finish();
  return frames;
}

TEST(FrameSampler, EachFrameShowsTheLastPicturePresentedAtOrBeforeItsTime) {
  // 10 frames a second: frames due at 0, 100, ..., 900 ms.
  const auto frames = Sample(10, 1000, {{0, 1}, {50, 2}, {100, 3}, {101, 4}, {450, 5}, {450, 6}, {999, 7}});
  EXPECT_EQ(frames, (std::vector<uint32_t>{1, 3, 4, 4, 4, 6, 6, 6, 6, 6}));
}

TEST(FrameSampler, BlankUntilTheFirstPresentAndPresentsAfterTheEndIgnored) {
  EXPECT_EQ(Sample(10, 300, {{150, 9}, {300, 8}, {5000, 7}}), (std::vector<uint32_t>{0, 0, 9}));
}

TEST(FrameSampler, FrameCountCoversTheDurationAtOddRates) {
  // 3 frames a second over 1 s: 0, 333.3, 666.7 ms; over 1001 ms one more (1000 ms).
  EXPECT_EQ(Sample(3, 1000, {}).size(), 3u);
  EXPECT_EQ(Sample(3, 1001, {}).size(), 4u);
  // A present at 667 ms is after the frame due at 666.7 ms.
  EXPECT_EQ(Sample(3, 1000, {{667, 5}}), (std::vector<uint32_t>{0, 0, 0}));
  EXPECT_EQ(Sample(3, 1000, {{666, 5}}), (std::vector<uint32_t>{0, 0, 5}));
}

TEST(FrameSampler, OnlyAChangedPictureMakesAFreshFrame) {
  std::vector<bool> fresh;
  TFrameSampler sampler(10, 600, Solid(0), [&](const TBitmap24&, bool f) { fresh.push_back(f); });
  sampler.Presented(150, Solid(0));  // the same as the blank screen
  sampler.Presented(250, Solid(4));
  sampler.Presented(260, Solid(4));  // repainted, unchanged
  sampler.Presented(420, Solid(5));
  sampler.Presented(430, Solid(4));  // changed and changed back before a frame was due
  sampler.Finish();
  EXPECT_EQ(fresh, (std::vector<bool>{true, false, false, true, false, true}));
}

media::TAudio Constant(int64_t frames, float value) {
  media::TAudio a;
  a.samples.assign(static_cast<size_t>(frames * media::kAudioChannels), value);
  return a;
}

TEST(AudioTimeline, TracksLandAtTheirStartAndSilenceFillsTheGaps) {
  TAudioTimeline t;
  t.Add(10, Constant(441, 0.5f));  // 10 ms for 10 ms: sample frames 441 to 882
  const std::vector<float> first = t.TakeUntil(15);  // frames 0 to 661
  ASSERT_EQ(first.size(), 661u * 2);
  EXPECT_EQ(first[440 * 2], 0.0f);
  EXPECT_EQ(first[441 * 2], 0.5f);
  EXPECT_EQ(first[660 * 2 + 1], 0.5f);
  const std::vector<float> second = t.TakeUntil(30);  // frames 661 to 1323
  ASSERT_EQ(second.size(), (1323u - 661u) * 2);
  EXPECT_EQ(second[(881 - 661) * 2], 0.5f);
  EXPECT_EQ(second[(882 - 661) * 2], 0.0f);
  // Time already handed out is not handed out again.
  EXPECT_TRUE(t.TakeUntil(30).empty());
  EXPECT_TRUE(t.TakeUntil(20).empty());
}

TEST(FrameSampler, AnEndMovedEarlierStopsTheFramesThere) {
  std::vector<uint32_t> frames;
  TFrameSampler sampler(10, 10000, Solid(0), [&](const TBitmap24& f, bool) { frames.push_back(f.Pixel(0, 0)); });
  sampler.Presented(50, Solid(7));
  sampler.EndAt(250);
  sampler.Presented(260, Solid(9));  // after the new end: ignored
  sampler.EndAt(5000);               // later again: no effect
  sampler.Finish();
  EXPECT_EQ(frames, (std::vector<uint32_t>{0, 7, 7}));
}

TEST(AudioTimeline, TheFadeOutRampsDownToSilenceAtTheEnd) {
  TAudioTimeline t;
  t.Add(0, Constant(3 * 44100, 0.5f));
  t.FadeOut(2000, 1000);
  const std::vector<float> mix = t.TakeUntil(3000);
  EXPECT_FLOAT_EQ(mix[500 * 441 / 10 * 2], 0.5f);
  EXPECT_NEAR(mix[1500 * 441 / 10 * 2], 0.25f, 0.001f);
  EXPECT_EQ(mix[2000 * 441 / 10 * 2], 0.0f);
  EXPECT_EQ(mix[2500 * 441 / 10 * 2 + 1], 0.0f);
}

TEST(AudioTimeline, OverlappingTracksAreMixedAndClipped) {
  TAudioTimeline t;
  t.Add(0, Constant(100, 0.75f));
  t.Add(0, Constant(100, 0.75f));
  t.Add(0, Constant(200, -0.25f));
  const std::vector<float> mix = t.TakeUntil(10);
  EXPECT_EQ(mix[0], 1.0f);               // 1.25 clipped
  EXPECT_FLOAT_EQ(mix[150 * 2], -0.25f);  // only the longest still plays
  EXPECT_EQ(mix[300 * 2], 0.0f);
}

TEST(WebPRecording, HeldPicturesBecomeOneFrameAndTheClipLastsTheRecording) {
  // 3 frames a second for 2 s: 6 frames of 333 or 334 ms; the picture changes once.
  const std::string dir = std::string(SCR_TEST_OUTPUT_DIR) + "/webp-recording";
  std::filesystem::create_directories(dir);
  TBitmap24 first(64, 36), second(64, 36);
  first.Fill(0x3060C0);
  second.Fill(0xC06030);
  {
    const auto sink = CreateWebPSink(dir + "/clip.webp", 64, 36, 3);
    for (int i = 0; i < 6; ++i) sink->Frame(i < 4 ? first : second, i == 0 || i == 4);
    sink->Finish();
  }
  const std::vector<uint8_t> file = ReadFileBytes(dir + "/clip.webp");
  const WebPData data{file.data(), file.size()};
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, nullptr);
  ASSERT_NE(decoder, nullptr);
  std::vector<int> ends;
  std::vector<uint8_t> reds;
  while (WebPAnimDecoderHasMoreFrames(decoder)) {
    uint8_t* rgba = nullptr;
    int end = 0;
    ASSERT_TRUE(WebPAnimDecoderGetNext(decoder, &rgba, &end));
    ends.push_back(end);
    reds.push_back(rgba[0]);
  }
  WebPAnimDecoderDelete(decoder);
  EXPECT_EQ(ends, (std::vector<int>{1333, 2000}));
  ASSERT_EQ(reds.size(), 2u);
  EXPECT_NEAR(reds[0], 0xC0, 8);  // lossy: close to the colour
  EXPECT_NEAR(reds[1], 0x30, 8);
}

}  // namespace
}  // namespace scr::tool

namespace scr::media {
namespace {

TEST(MusicDecoding, MidiIsRenderedWithTheSoundFont) {
  const std::vector<uint8_t> note = scr::test::MidiNote(500);
  EXPECT_TRUE(IsMidi(note));
  EXPECT_FALSE(IsMidi(scr::test::WaveTone(100, 440)));
  const std::string font = MidiSoundFont();
  if (font.empty()) GTEST_SKIP() << "no General MIDI sound font installed";
  const TAudio audio = RenderMidi(note, 10000, font);
  EXPECT_GE(audio.DurationMs(), 500);
  EXPECT_LE(audio.DurationMs(), 8000) << "the note and a short ring-out";
  float peak = 0;
  for (float s : audio.samples) peak = std::max(peak, std::abs(s));
  EXPECT_GT(peak, 0.01f);
  EXPECT_EQ(RenderMidi(note, 200, font).DurationMs(), 201);
  EXPECT_THROW(RenderMidi(note, 10000, ""), Exception) << "no sound font";
}

// Sound files come from strangers: formats that name other files are not read, even
// when the file they name is a good sound.
TEST(MusicDecoding, OnlyAudioFormatsAreReadAndTheyOpenNoOtherFile) {
  const std::string dir = std::string(SCR_TEST_OUTPUT_DIR) + "/music-decoding";
  std::filesystem::create_directories(dir);
  const std::string wav = dir + "/tone.wav";
  scr::tool::WriteFileBytes(wav, scr::test::WaveTone(300, 440));
  EXPECT_GT(DecodeAudio(scr::tool::ReadFileBytes(wav), 10000).Frames(), 0);
  const std::string playlist = "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\nfile:" + wav + "\n#EXT-X-ENDLIST\n";
  const std::string concat = "ffconcat version 1.0\nfile '" + wav + "'\n";
  for (const std::string& text : {playlist, concat})
    EXPECT_THROW(DecodeAudio(std::vector<uint8_t>(text.begin(), text.end()), 10000), Exception) << text;
}

}  // namespace
}  // namespace scr::media
