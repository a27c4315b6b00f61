// scrtool make: builds a saver from files and folders of pictures, music and movies,
// from options or a TOML manifest.
#include <cstdio>

#include "common/ascii.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/make_options.h"
#include "tools/scrtool/saver_maker.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

namespace {

constexpr const char* kDescription =
    "Builds a saver: the runtime with a package of pictures, music and movies and its settings.\n"
    "Each INPUT is a file or a folder (hidden files skipped); files are sorted into pictures,\n"
    "music (WAV, MP3, MIDI) and Flash movies by their content, and go in by --order: name\n"
    "(natural order: IMG_9 before IMG_10, letter case folded), date (EXIF date taken, else\n"
    "the file's time) or given (as listed, each folder in name order).\n"
    "Pictures of any common format (JPEG, PNG, WebP, HEIF, TIFF, GIF, BMP, ICO, metafiles) are\n"
    "converted to sRGB through their colour profile, turned upright by their EXIF\n"
    "orientation, shrunk to fit --max-size and stored as JPEG; a JPEG, BMP, ICO or metafile\n"
    "that needs none of this goes in unchanged once it decodes cleanly. A damaged picture\n"
    "stops the work, naming the file (--skip-bad leaves it out with a warning). Music and\n"
    "movies are stored under plain ASCII names, unique in the saver (each renaming is shown).\n"
    "\n"
    "Options typed on the command line win over a --manifest, the manifest over the\n"
    "defaults; --max-size or --quality typed over a manifest that keeps the originals\n"
    "converts the pictures.\n"
    "\n"
    "Defaults of a made saver (each can be changed): it closes on a key press, a mouse move\n"
    "and a click (lExitKeyPress, lExitMouseMove, lExitMouseClick = true); a new picture every\n"
    "5 s (Interval=5000 ms); effects 0..126 in random order (EffectCommaList=all,\n"
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
         "families (see 'scrtool effects'). --interval takes a unit: 5s, 1500ms, 1m (a bare number\n"
         "is refused); Interval by name (--set, a manifest) is in milliseconds.\n"
         "MonitorMode: black, same, different.";
}

// --dry-run: what would go in, in order, with the sizes of the files.
void PrintPlan(const TMakeJob& job, const TSaverPlan& plan) {
  std::printf("%s would hold, in this order:\n", job.output.c_str());
  auto line = [](const char* kind, size_t index, const TInputFile& f, const std::string& stored) {
    std::printf("  %-7s %4zu  %12llu bytes  %s%s\n", kind, index, static_cast<unsigned long long>(f.size),
                f.path.c_str(), stored.empty() ? "" : (" as \"" + stored + "\"").c_str());
  };
  if (plan.preview) line("preview", 0, *plan.preview, "");
  for (size_t i = 0; i < plan.pictures.size(); ++i) line("picture", i, plan.pictures[i], "");
  for (size_t i = 0; i < plan.sounds.size(); ++i) line("sound", i, plan.sounds[i], plan.sounds[i].name);
  for (size_t i = 0; i < plan.movies.size(); ++i) line("movie", i, plan.movies[i], plan.movies[i].name);
  std::printf("  runtime %s; %s\nNothing was written (--dry-run).\n", plan.runtime.c_str(),
              plan.hook.empty() ? "no hook library" : ("hook library " + plan.hook).c_str());
}

int Make(const std::vector<std::string>& args) {
  auto app = NewCommandApp("make", Description(),
                           {"scrtool make -o holiday.scr ~/Pictures/holiday",
                            "scrtool make -o friend.scr --text \"Happy birthday\" --interval 8s photos/ music/song.mp3",
                            "scrtool make -o x.scr --effects wipes,60-68 --set Background=navy --set lRandomPic=yes pics",
                            "scrtool make -o trip.scr --order date --max-size 1920x1080 --skip-bad ~/Pictures/trip",
                            "scrtool make --dry-run -o trip.scr ~/Pictures/trip",
                            "scrtool make -o trip.scr --captions date --date-format \"%d.%m.%Y\" photos/",
                            "scrtool make -o calm.scr --fill colour --pan-zoom 0 --caption-fixed pics",
                            "scrtool make -o family.scr --fill crop --pair-portraits --set lRandomPic=yes pics",
                            "scrtool make -o wall.scr --monitors different --set lRandomPic=yes photos/",
                            "scrtool make --manifest saver.toml -o rebuilt.scr --quality 80"});
  TMakeOptions options;
  options.Declare(*app);
  return RunCommand(*app, args, [&] {
    const TMakeJob job = options.Job();
    const TWarn warn = [](const std::string& w) { Warn("make", w); };
    const TSaverPlan plan = PlanSaver(job, warn);
    if (options.DryRun()) {
      PrintPlan(job, plan);
      return kExitOk;
    }
    const TMadeSaver made = WritePlannedSaver(job, plan, warn);
    std::printf("%s: %zu bytes; %zu picture(s) (%zu converted%s)%s, %zu sound(s), %zu movie(s), %s\n",
                job.output.c_str(), made.bytes, made.pictures, made.converted,
                made.skipped ? (", " + std::to_string(made.skipped) + " damaged left out").c_str() : "",
                made.preview ? " and a preview" : "", made.sounds, made.movies,
                made.hook ? "hook library" : "no hook library");
    return kExitOk;
  });
}

const TRegisterCommand kRegister({"make", "build a saver from pictures, music and movies (files, folders, a manifest)",
                                  Make});

}  // namespace

}  // namespace scr::tool
