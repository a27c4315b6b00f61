#pragma once
// Where Debian puts General MIDI sound fonts (fluid-soundfont-gm, timgm6mb-soundfont;
// default-GM.sf2 is the alternatives' link to the preferred one): MIDI tracks are
// played with the first that exists, by the player and the recorder alike.
namespace scr::platform {

inline constexpr const char* kSoundFontPaths[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

}  // namespace scr::platform
