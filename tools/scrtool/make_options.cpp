#include "tools/scrtool/make_options.h"

#include "common/ascii.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/manifest.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

void TMakeOptions::Declare(CLI::App& app) {
  app_ = &app;
  app.add_option("inputs", typed_.inputs, "picture, music and movie files and folders");
  app.add_option("-o,--output", typed_.output, "the saver file to write");
  app.add_option("--manifest", manifest_, "read settings and inputs from this TOML file (options typed here win)");
  app.add_option("--runtime", typed_.runtime, "the runtime executable (default " SCR_DEFAULT_RUNTIME ")");
  app.add_option("--hook", typed_.hook, "the keyboard-hook library (default " SCR_DEFAULT_HOOK " when present)");
  app.add_flag("--no-hook", noHook_, "package no hook library");
  app.add_option("--preview", typed_.preview, "a picture for the preview only, placed first");
  app.add_option("--picture", pictures_, "a picture file (repeatable)")->allow_extra_args(false);
  app.add_option("--sound", sounds_, "a music file (repeatable)")->allow_extra_args(false);
  app.add_option("--movie", movies_, "a Flash movie (repeatable)")->allow_extra_args(false);
  app.add_option("--order", order_, "order of the inputs' files: name (natural, the default), date (taken) or given");
  app.add_option("--max-size", maxSize_, "shrink larger pictures to fit WxH; 0 keeps every size (default 3840x2160)");
  app.add_option("--quality", quality_, "JPEG quality of converted pictures (default 90)")->check(CLI::Range(1, 100));
  app.add_flag("--keep-originals", keepOriginals_, "package picture files untouched (JPEG, BMP, ICO and metafiles only)");
  app.add_flag("--skip-bad", skipBad_, "leave out damaged pictures with a warning instead of stopping");
  app.add_flag("--dry-run", dryRun_, "list what would go in, in order, with sizes; write nothing");
  app.add_option("--effects", effects_, "effect list: numbers, ranges, families (default all, random order)");
  app.add_option("--interval", interval_, "time per picture with its unit: 5s, 1500ms, 1m (default 5s)");
  app.add_option("--monitors", monitors_,
                 "the displays beside the primary: black, same (the show on each) or different (a picture of "
                 "its own on each); default black");
  for (auto& [name, value] : texts_) {
    const std::string option = "--" + AsciiLowerCase(name);
    app.add_option(option, value, std::string("the saver's ") + (name == "Text" ? "caption" : name));
  }
  app.add_option("--descriptions", descriptions_, "one description per picture, as comma text");
  app.add_option("--captions", captions_, "each picture's caption: date, title, name or none (default none)")
      ->check(CLI::IsMember({"date", "title", "name", "none"}, CLI::ignore_case));
  app.add_option("--date-format", dateFormat_, "how --captions date writes the date, strftime (default \"%-d %B %Y\")");
  app.add_flag("--flash", flash_, "a Flash saver: plays the movies (Ver=flash)");
  app.add_option("--fill", fill_, "around the picture: blur (a blurred copy, default), colour (Background) or crop "
                                  "(the picture covers the screen)")
      ->check(CLI::IsMember({"colour", "color", "blur", "crop"}));
  app.add_option("--pan-zoom", panZoom_, "slow pan and zoom by up to N % while a picture is held, 0..30; 0 for still "
                                          "pictures (default 8)");
  auto* pair = app.add_flag("--pair-portraits", pairOn_, "two portrait pictures in a row share a landscape screen");
  app.add_flag("--no-pair-portraits", pairOff_, "every picture on its own (default)")->excludes(pair);
  auto* norepeat = app.add_flag("--no-repeat", noRepeat_,
                                "random pictures: each once before any again (default with lRandomPic)");
  app.add_flag("--repeat", repeat_, "random pictures: plain random draws, a picture may come again soon")
      ->excludes(norepeat);
  auto* scaled = app.add_flag("--caption-scaled", captionScaled_,
                              "caption height for 1080 lines, scaled with the screen, outlined (default)");
  app.add_flag("--caption-fixed", captionFixed_, "caption at TextFont.Height pixels on every screen, no outline")
      ->excludes(scaled);
  app.add_option("--set", sets_, "any setting as NAME=VALUE (repeatable)")->allow_extra_args(false);
}

TMakeJob TMakeOptions::Job() const {
  TMakeJob job;
  if (!manifest_.empty()) ReadManifest(manifest_, job);
  Apply(job);
  if (job.output.empty()) throw EUsage("no output file; give one with -o OUT.scr");
  // Values are checked before any picture is read, so a typing error fails at once.
  TSSFileLocations check;
  for (const auto& [name, value] : job.settings) SetSetting(check, name, value);
  return job;
}

void TMakeOptions::Apply(TMakeJob& job) const {
  if (!typed_.output.empty()) job.output = typed_.output;
  if (!typed_.runtime.empty()) job.runtime = typed_.runtime;
  if (!typed_.hook.empty()) job.hook = typed_.hook;
  if (!typed_.preview.empty()) job.preview = typed_.preview;
  if (!typed_.hook.empty()) job.noHook = false;
  if (noHook_) job.noHook = true;
  job.inputs.insert(job.inputs.end(), typed_.inputs.begin(), typed_.inputs.end());
  for (const std::string& p : pictures_) job.pictures.push_back({p, "", std::nullopt});
  for (const std::string& p : sounds_) job.sounds.push_back({p, "", std::nullopt});
  for (const std::string& p : movies_) job.movies.push_back({p, "", std::nullopt});
  if (Given("--order")) job.order = ParseInputOrder(order_);

  // A size or quality typed here asks for pictures to be converted, also over a
  // manifest that keeps the originals (as extract writes them).
  TPictureOptions& pictures = job.pictureOptions;
  if (Given("--max-size")) std::tie(pictures.maxWidth, pictures.maxHeight) = ParseMaxSize(maxSize_);
  if (Given("--quality")) pictures.quality = quality_;
  if (Given("--max-size") || Given("--quality")) pictures.keepOriginals = false;
  if (keepOriginals_) pictures.keepOriginals = true;
  if (skipBad_) job.skipBad = true;

  // Settings typed here come after the manifest's, so they win.
  if (Given("--effects")) job.settings.emplace_back("EffectCommaList", effects_);
  if (Given("--interval")) job.settings.emplace_back("Interval", std::to_string(ParseIntervalOption(interval_)));
  if (Given("--monitors")) job.settings.emplace_back("MonitorMode", monitors_);
  for (const auto& [name, value] : texts_)
    if (Given(("--" + AsciiLowerCase(name)).c_str())) job.settings.emplace_back(name, value);
  if (Given("--descriptions")) job.settings.emplace_back("DescriptCommaList", descriptions_);
  if (flash_) job.settings.emplace_back("Ver", "flash");
  if (Given("--captions")) job.captions = *ParseCaptionSource(captions_);
  if (Given("--date-format")) job.dateFormat = dateFormat_;
  if (Given("--descriptions") && job.captions != TCaptionSource::None)
    throw EUsage("--descriptions and --captions both give the pictures' captions; give one of them");
  if (Given("--fill")) job.settings.emplace_back("FillMode", fill_ == "blur" ? "1" : fill_ == "crop" ? "2" : "0");
  if (Given("--pan-zoom")) job.settings.emplace_back("PanZoom", panZoom_);
  if (pairOn_ || pairOff_) job.settings.emplace_back("lPairPortraits", pairOn_ ? "true" : "false");
  if (noRepeat_ || repeat_) job.settings.emplace_back("lNoRepeat", noRepeat_ ? "true" : "false");
  if (captionScaled_ || captionFixed_) job.settings.emplace_back("lCaptionScaled", captionScaled_ ? "true" : "false");
  for (const std::string& nv : sets_) {
    const size_t eq = nv.find('=');
    if (eq == std::string::npos || eq == 0) throw EUsage("--set takes NAME=VALUE, not '" + nv + "'");
    job.settings.emplace_back(nv.substr(0, eq), nv.substr(eq + 1));
  }
}

}  // namespace scr::tool
