#pragma once
// MIDI files rendered to sound with a General MIDI sound font through libfluidsynth,
// in the common form of decoded audio.
#include <cstdint>
#include <span>
#include <string>

#include "tools/media/audio_track.h"

namespace scr::media {

// True for a Standard MIDI File ("MThd") or one wrapped in RIFF ("RMID").
bool IsMidi(std::span<const uint8_t> file);
// The sound font the recorder uses: $SDL_SOUNDFONTS's first entry when set, else the
// first of Debian's General MIDI fonts that exists; empty when there is none.
std::string MidiSoundFont();
// Renders the file with the sound font, at most maxMs milliseconds (its last notes
// ring out for a moment). scr::Exception when there is no sound font or the file
// makes no sound.
TAudio RenderMidi(std::span<const uint8_t> file, int64_t maxMs, const std::string& soundFont);

}  // namespace scr::media
