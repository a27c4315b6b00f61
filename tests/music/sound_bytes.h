#pragma once
// Short sound files made in code for the music tests: a PCM wave tone, a one-note
// standard MIDI file, and silent MPEG audio layer III frames.
#include <cstdint>
#include <vector>

namespace scr::test {

// 8-bit mono PCM at 11025 Hz: a square tone of `hz` lasting `ms` milliseconds.
std::vector<uint8_t> WaveTone(int ms, int hz);
// Format 0, one track: middle C held for `ms` milliseconds at the default tempo.
std::vector<uint8_t> MidiNote(int ms);
// MPEG-1 layer III, 128 kbit/s, 44.1 kHz, mono: `frames` silent frames (26 ms each).
std::vector<uint8_t> SilentMp3(int frames);

}  // namespace scr::test
