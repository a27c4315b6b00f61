#pragma once
// A saver described in a TOML file: every setting of the settings record under its
// own name (the caption font as the table [TextFont]), the effect and description
// lists, and the inputs, relative to the manifest's folder.
//
//   output = "holiday.scr"            runtime = "runtime.scr"     hook = false
//   inputs = ["photos", "music"]      preview = "cover.jpg"
//   pictures = ["a.jpg", { file = "b.jpg", name = "b.png" }]  sounds = [...]  movies = [...]
//   max_size = "3840x2160"            quality = 90                keep_originals = false
//   order = "name"                    skip_bad = false
//   Text = "Happy birthday"           Interval = "5s"             lExitKeyPress = true
//   EffectCommaList = ["wipes", "60-68", 3]
//   DescriptCommaList = ["first", "second"]
//   [TextFont]
//   Name = "Arial"  Color = "yellow"  Height = -24
#include <string>

#include "tools/scrtool/saver_maker.h"

namespace scr::tool {

// Adds the manifest's inputs and settings to `job` (its output only when the job has
// none yet). Options typed on the command line are laid over the result afterwards
// (see TMakeOptions), so they win. Unknown keys and refused values raise std::runtime_error with the file,
// line and key.
void ReadManifest(const std::string& path, TMakeJob& job);

}  // namespace scr::tool
