#include "tests/music/sound_bytes.h"

#include <cstddef>

namespace scr::test {

namespace {

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void PutBig32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutTag(std::vector<uint8_t>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }
// A MIDI variable-length quantity.
void PutVarLen(std::vector<uint8_t>& b, uint32_t v) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v != 0);
  while (n > 1) b.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
  b.push_back(groups[0]);
}

}  // namespace

std::vector<uint8_t> WaveTone(int ms, int hz) {
  constexpr uint32_t kRate = 11025;
  const uint32_t samples = kRate * static_cast<uint32_t>(ms) / 1000;
  std::vector<uint8_t> b;
  PutTag(b, "RIFF");
  Put32(b, 36 + samples);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);  // PCM
  Put16(b, 1);  // mono
  Put32(b, kRate);
  Put32(b, kRate);  // bytes per second
  Put16(b, 1);      // block align
  Put16(b, 8);      // bits per sample
  PutTag(b, "data");
  Put32(b, samples);
  const uint32_t half = kRate / (2 * static_cast<uint32_t>(hz > 0 ? hz : 440));
  for (uint32_t i = 0; i < samples; ++i) b.push_back((i / (half ? half : 1)) % 2 ? 0xA0 : 0x60);
  if (samples % 2) b.push_back(0x80);  // chunks are padded to even sizes
  return b;
}

std::vector<uint8_t> MidiNote(int ms) {
  constexpr uint16_t kDivision = 96;  // ticks per quarter note; 120 beats a minute
  const uint32_t ticks = static_cast<uint32_t>(ms) * kDivision * 2 / 1000;
  std::vector<uint8_t> track;
  PutVarLen(track, 0);
  track.insert(track.end(), {0xC0, 0x00});  // program: piano
  PutVarLen(track, 0);
  track.insert(track.end(), {0x90, 60, 100});  // note on
  PutVarLen(track, ticks);
  track.insert(track.end(), {0x80, 60, 0});  // note off
  PutVarLen(track, 0);
  track.insert(track.end(), {0xFF, 0x2F, 0x00});  // end of track

  std::vector<uint8_t> b;
  PutTag(b, "MThd");
  PutBig32(b, 6);
  b.insert(b.end(), {0, 0, 0, 1, static_cast<uint8_t>(kDivision >> 8), static_cast<uint8_t>(kDivision)});
  PutTag(b, "MTrk");
  PutBig32(b, static_cast<uint32_t>(track.size()));
  b.insert(b.end(), track.begin(), track.end());
  return b;
}

std::vector<uint8_t> SilentMp3(int frames) {
  // 144 * 128000 / 44100 bytes a frame, without padding; all-zero side information
  // and no main data decode as silence.
  constexpr size_t kFrameBytes = 417;
  std::vector<uint8_t> b;
  for (int f = 0; f < frames; ++f) {
    const size_t start = b.size();
    b.insert(b.end(), {0xFF, 0xFB, 0x90, 0xC0});
    b.resize(start + kFrameBytes, 0);
  }
  return b;
}

}  // namespace scr::test
