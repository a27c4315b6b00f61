// scrtool make: builds a saver from files and folders of pictures, music and movies,
// from options or a TOML manifest.
#include <cstdio>

#include "common/ascii.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/manifest.h"
#include "tools/scrtool/saver_maker.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

namespace {

constexpr const char* kDescription =
    "Builds a saver: the runtime with a package of pictures, music and movies and its settings.\n"
    "Each INPUT is a file or a folder (walked in name order, hidden files skipped); files are\n"
    "sorted into pictures, music (WAV, MP3, MIDI) and Flash movies by their content.\n"
    "Pictures of any common format (JPEG, PNG, WebP, HEIF, TIFF, GIF, BMP, ICO, metafiles) are\n"
    "turned upright by their EXIF orientation, shrunk to fit --max-size and stored as JPEG;\n"
    "a JPEG that needs none of this, and BMP, ICO and metafiles, go in unchanged.\n"
    "\n"
    "Defaults of a made saver (each can be changed): it closes on a key press, a mouse move\n"
    "and a click (lExitKeyPress, lExitMouseMove, lExitMouseClick = true); a new picture every\n"
    "5000 ms (Interval); effects 0..126 in random order (EffectCommaList=all,\n"
    "lRandomStyle=true); caption in white Arial 24 pixels high (TextFont.Color=white,\n"
    "TextFont.Height=-24, TextFont.Name=Arial). Text is taken as UTF-8 and shown as typed.\n"
    "\n"
    "--set NAME=VALUE takes every setting by name: ";

std::string Description() {
  TSSFileLocations s;
  std::string names;
  size_t column = 46;  // where the list starts on its first line
  for (const std::string& n : SettableNames(s)) {
    if (!names.empty()) names += ",";
    if (column + n.size() + 2 > 90) {
      names += "\n";
      column = 0;
    } else if (!names.empty()) {
      names += " ";
      ++column;
    }
    names += n;
    column += n.size() + 1;
  }
  return kDescription + names +
         ".\nBooleans: true/false, yes/no, on/off, 1/0. Colours: white, clNavy, #FFCC00 or $00BBGGRR.\n"
         "Font styles: bold,italic,underline,strikeout. Effects: numbers, ranges (60-68) and\n"
         "families (see 'scrtool effects'). Intervals: 5000, 1500ms, 5s. MonitorMode: black, same, different.";
}

int Make(const std::vector<std::string>& args) {
  auto app = NewCommandApp("make", Description(),
                           {"scrtool make -o holiday.scr ~/Pictures/holiday",
                            "scrtool make -o friend.scr --text \"Happy birthday\" --interval 8s photos/ music/song.mp3",
                            "scrtool make -o x.scr --effects wipes,60-68 --set Background=navy --set lRandomPic=yes pics",
                            "scrtool make -o wall.scr --monitors different --set lRandomPic=yes photos/",
                            "scrtool make --manifest saver.toml -o rebuilt.scr"});
  TMakeJob job;
  std::vector<std::string> pictures, sounds, movies;
  std::string manifest, maxSize, effects, interval, descriptions, monitors;
  std::vector<std::string> sets;
  std::vector<std::pair<const char*, std::string>> texts = {
      {"Title", ""}, {"Author", ""}, {"Email", ""}, {"Web", ""}, {"Text", ""}};
  bool flash = false;
  int quality = 0;

  app->add_option("inputs", job.inputs, "picture, music and movie files and folders");
  app->add_option("-o,--output", job.output, "the saver file to write");
  app->add_option("--manifest", manifest, "read settings and inputs from this TOML file");
  app->add_option("--runtime", job.runtime, "the runtime executable (default " SCR_DEFAULT_RUNTIME ")");
  app->add_option("--hook", job.hook, "the keyboard-hook library (default " SCR_DEFAULT_HOOK " when present)");
  app->add_flag("--no-hook", job.noHook, "package no hook library");
  app->add_option("--preview", job.preview, "a picture for the preview only, placed first");
  app->add_option("--picture", pictures, "a picture file (repeatable)")->allow_extra_args(false);
  app->add_option("--sound", sounds, "a music file (repeatable)")->allow_extra_args(false);
  app->add_option("--movie", movies, "a Flash movie (repeatable)")->allow_extra_args(false);
  app->add_option("--max-size", maxSize, "shrink larger pictures to fit WxH; 0 keeps every size (default 3840x2160)");
  app->add_option("--quality", quality, "JPEG quality of converted pictures (default 90)")->check(CLI::Range(1, 100));
  app->add_flag("--keep-originals", job.pictureOptions.keepOriginals,
                "package picture files untouched (JPEG, BMP, ICO and metafiles only)");
  app->add_option("--effects", effects, "effect list: numbers, ranges, families (default all, random order)");
  app->add_option("--interval", interval, "time per picture: milliseconds or 5s, 1500ms (default 5000)");
  app->add_option("--monitors", monitors,
                  "the displays beside the primary: black, same (the show on each) or different (a picture of "
                  "its own on each); default black");
  for (auto& [name, value] : texts) {
    const std::string option = "--" + AsciiLowerCase(name);
    app->add_option(option, value, std::string("the saver's ") + (std::string(name) == "Text" ? "caption" : name));
  }
  app->add_option("--descriptions", descriptions, "one description per picture, as comma text");
  app->add_flag("--flash", flash, "a Flash saver: plays the movies (Ver=flash)");
  app->add_option("--set", sets, "any setting as NAME=VALUE (repeatable)")->allow_extra_args(false);

  return RunCommand(*app, args, [&] {
    if (!manifest.empty()) ReadManifest(manifest, job);
    for (const std::string& p : pictures) job.pictures.push_back({p, ""});
    for (const std::string& p : sounds) job.sounds.push_back({p, ""});
    for (const std::string& p : movies) job.movies.push_back({p, ""});
    if (job.output.empty()) throw EUsage("no output file; give one with -o OUT.scr");
    if (!maxSize.empty()) std::tie(job.pictureOptions.maxWidth, job.pictureOptions.maxHeight) = ParseMaxSize(maxSize);
    if (quality != 0) job.pictureOptions.quality = quality;
    if (!effects.empty()) job.settings.emplace_back("EffectCommaList", effects);
    if (!interval.empty()) job.settings.emplace_back("Interval", interval);
    if (!monitors.empty()) job.settings.emplace_back("MonitorMode", monitors);
    for (const auto& [name, value] : texts)
      if (!value.empty()) job.settings.emplace_back(name, value);
    if (!descriptions.empty()) job.settings.emplace_back("DescriptCommaList", descriptions);
    if (flash) job.settings.emplace_back("Ver", "flash");
    for (const std::string& nv : sets) {
      const size_t eq = nv.find('=');
      if (eq == std::string::npos || eq == 0) throw EUsage("--set takes NAME=VALUE, not '" + nv + "'");
      job.settings.emplace_back(nv.substr(0, eq), nv.substr(eq + 1));
    }
    // Values are checked before any picture is read, so a typing error fails at once.
    TSSFileLocations check;
    for (const auto& [name, value] : job.settings) SetSetting(check, name, value);

    const TMadeSaver made = MakeSaver(job, [](const std::string& w) { Warn("make", w); });
    std::printf("%s: %zu bytes; %zu picture(s) (%zu converted)%s, %zu sound(s), %zu movie(s), %s\n",
                job.output.c_str(), made.bytes, made.pictures, made.converted, made.preview ? " and a preview" : "",
                made.sounds, made.movies, made.hook ? "hook library" : "no hook library");
    return kExitOk;
  });
}

const TRegisterCommand kRegister({"make", "build a saver from pictures, music and movies (files, folders, a manifest)",
                                  Make});

}  // namespace

}  // namespace scr::tool
