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
    "TextFont.Height=-24, TextFont.Name=Arial), 24 pixels at 1080 screen lines and scaled with\n"
    "the screen, with a soft dark outline (lCaptionScaled=true; --caption-fixed for plain 24\n"
    "pixels). Text is taken as UTF-8 and shown as typed. The show: a blurred copy of the picture\n"
    "instead of bars (--fill blur; --fill colour for the background colour, --fill crop to\n"
    "cover the screen), a slow pan and zoom by up to 8 % (--pan-zoom 8; --pan-zoom 0 for still\n"
    "pictures) and, when pictures come in random order, every picture once before any again\n"
    "(--no-repeat, on with lRandomPic; --repeat for plain random draws).\n"
    "\n"
    "--captions gives each picture its own caption: 'date' the day it was taken (EXIF\n"
    "DateTimeOriginal, written as --date-format says, strftime, default \"%-d %B %Y\": 14 July\n"
    "2024), 'title' its own title or description (XMP dc:title, EXIF ImageDescription, XMP\n"
    "dc:description, IPTC caption), 'name' its file name without the extension, 'none' (the\n"
    "default) no captions. A picture without one gets none; the saver shows Text there.\n"
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
                            "scrtool make -o trip.scr --captions date --date-format \"%d.%m.%Y\" photos/",
                            "scrtool make -o calm.scr --fill colour --pan-zoom 0 --caption-fixed pics",
                            "scrtool make -o family.scr --fill crop --pair-portraits --set lRandomPic=yes pics",
                            "scrtool make -o wall.scr --monitors different --set lRandomPic=yes photos/",
                            "scrtool make --manifest saver.toml -o rebuilt.scr"});
  TMakeJob job;
  std::vector<std::string> pictures, sounds, movies;
  std::string manifest, maxSize, effects, interval, descriptions, captions, dateFormat, monitors;
  std::vector<std::string> sets;
  std::vector<std::pair<const char*, std::string>> texts = {
      {"Title", ""}, {"Author", ""}, {"Email", ""}, {"Web", ""}, {"Text", ""}};
  bool flash = false;
  int quality = 0;
  // The show's presentation: each option and its opposite.
  std::string fill, panZoom;
  bool pairOn = false, pairOff = false, noRepeat = false, repeat = false, captionScaled = false, captionFixed = false;

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
  app->add_option("--captions", captions, "each picture's caption: date, title, name or none (default none)")
      ->check(CLI::IsMember({"date", "title", "name", "none"}, CLI::ignore_case));
  app->add_option("--date-format", dateFormat, "how --captions date writes the date, strftime (default \"%-d %B %Y\")");
  app->add_flag("--flash", flash, "a Flash saver: plays the movies (Ver=flash)");
  app->add_option("--fill", fill, "around the picture: blur (a blurred copy, default), colour (Background) or crop "
                                 "(the picture covers the screen)")
      ->check(CLI::IsMember({"colour", "color", "blur", "crop"}));
  app->add_option("--pan-zoom", panZoom, "slow pan and zoom by up to N % while a picture is held, 0..30; 0 for still "
                                         "pictures (default 8)");
  auto* pair = app->add_flag("--pair-portraits", pairOn, "two portrait pictures in a row share a landscape screen");
  app->add_flag("--no-pair-portraits", pairOff, "every picture on its own (default)")->excludes(pair);
  auto* norepeat = app->add_flag("--no-repeat", noRepeat,
                                 "random pictures: each once before any again (default with lRandomPic)");
  app->add_flag("--repeat", repeat, "random pictures: plain random draws, a picture may come again soon")
      ->excludes(norepeat);
  auto* scaled = app->add_flag("--caption-scaled", captionScaled,
                               "caption height for 1080 lines, scaled with the screen, outlined (default)");
  app->add_flag("--caption-fixed", captionFixed, "caption at TextFont.Height pixels on every screen, no outline")
      ->excludes(scaled);
  app->add_option("--set", sets, "any setting as NAME=VALUE (repeatable)")->allow_extra_args(false);

  return RunCommand(*app, args, [&] {
    if (!manifest.empty()) ReadManifest(manifest, job);
    for (const std::string& p : pictures) job.pictures.push_back({p, "", std::nullopt});
    for (const std::string& p : sounds) job.sounds.push_back({p, "", std::nullopt});
    for (const std::string& p : movies) job.movies.push_back({p, "", std::nullopt});
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
    if (!captions.empty()) job.captions = *ParseCaptionSource(captions);
    if (!dateFormat.empty()) job.dateFormat = dateFormat;
    if (!descriptions.empty() && job.captions != TCaptionSource::None)
      throw EUsage("--descriptions and --captions both give the pictures' captions; give one of them");
    if (!fill.empty()) job.settings.emplace_back("FillMode", fill == "blur" ? "1" : fill == "crop" ? "2" : "0");
    if (!panZoom.empty()) job.settings.emplace_back("PanZoom", panZoom);
    if (pairOn || pairOff) job.settings.emplace_back("lPairPortraits", pairOn ? "true" : "false");
    if (noRepeat || repeat) job.settings.emplace_back("lNoRepeat", noRepeat ? "true" : "false");
    if (captionScaled || captionFixed) job.settings.emplace_back("lCaptionScaled", captionScaled ? "true" : "false");
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
