#include "tools/media/midi_render.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "common/errors.h"
#include "platform/sound_fonts.h"

namespace scr::media {

namespace {

// How long the last notes may ring out after the file's end.
constexpr int64_t kRingOutMs = 1500;
constexpr int kBlock = 1024;

struct TSettingsFreer {
  void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};
struct TSynthFreer {
  void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};
struct TPlayerFreer {
  void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
};

// The library's messages would interleave with the tool's own output.
void QuietLibrary() {
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
}

}  // namespace

bool IsMidi(std::span<const uint8_t> file) {
  const auto at = [&](size_t offset, const char* tag) {
    return file.size() >= offset + 4 && std::memcmp(file.data() + offset, tag, 4) == 0;
  };
  return at(0, "MThd") || (at(0, "RIFF") && at(8, "RMID"));
}

std::string MidiSoundFont() {
  if (const char* chosen = std::getenv("SDL_SOUNDFONTS"); chosen && *chosen) {
    const std::string list = chosen;
    return list.substr(0, list.find(';'));
  }
  std::error_code ignored;
  for (const char* font : platform::kSoundFontPaths)
    if (std::filesystem::is_regular_file(font, ignored)) return font;
  return {};
}

TAudio RenderMidi(std::span<const uint8_t> file, int64_t maxMs, const std::string& soundFont) {
  if (soundFont.empty()) throw Exception("no General MIDI sound font is installed (fluid-soundfont-gm)");
  QuietLibrary();
  std::unique_ptr<fluid_settings_t, TSettingsFreer> settings(new_fluid_settings());
  if (!settings) throw Exception("out of memory rendering a MIDI file");
  fluid_settings_setnum(settings.get(), "synth.sample-rate", kAudioRate);
  // The player follows the samples rendered, not the clock: rendering runs faster
  // than real time.
  fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
  fluid_settings_setint(settings.get(), "synth.lock-memory", 0);
  std::unique_ptr<fluid_synth_t, TSynthFreer> synth(new_fluid_synth(settings.get()));
  if (!synth) throw Exception("out of memory rendering a MIDI file");
  if (fluid_synth_sfload(synth.get(), soundFont.c_str(), 1) == FLUID_FAILED)
    throw Exception("cannot load the sound font " + soundFont);
  std::unique_ptr<fluid_player_t, TPlayerFreer> player(new_fluid_player(synth.get()));
  if (!player || fluid_player_add_mem(player.get(), file.data(), file.size()) != FLUID_OK ||
      fluid_player_play(player.get()) != FLUID_OK)
    throw Exception("cannot read the MIDI file");

  const int64_t maxFrames = std::max<int64_t>(0, maxMs) * kAudioRate / 1000 + 1;
  const int64_t ringOut = kRingOutMs * kAudioRate / 1000;
  TAudio audio;
  int64_t after = 0;  // frames rendered since the player finished
  while (audio.Frames() < maxFrames && after < ringOut) {
    const size_t at = audio.samples.size();
    audio.samples.resize(at + kBlock * kAudioChannels);
    float* out = audio.samples.data() + at;
    if (fluid_synth_write_float(synth.get(), kBlock, out, 0, 2, out, 1, 2) != FLUID_OK)
      throw Exception("cannot render the MIDI file");
    if (fluid_player_get_status(player.get()) != FLUID_PLAYER_PLAYING) after += kBlock;
  }
  audio.samples.resize(std::min<size_t>(audio.samples.size(), static_cast<size_t>(maxFrames) * kAudioChannels));
  if (std::all_of(audio.samples.begin(), audio.samples.end(), [](float s) { return s == 0.0f; }))
    throw Exception("the MIDI file makes no sound");
  return audio;
}

}  // namespace scr::media
