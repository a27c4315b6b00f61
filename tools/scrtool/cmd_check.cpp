// scrtool check: finds what would go wrong when a saver runs: a damaged package, items
// outside the file or undecodable, effect numbers out of range, music Windows does not
// play, item names that are no plain file names.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "common/ansi_text.h"
#include "common/comma_text.h"
#include "common/file_names.h"
#include "common/errors.h"
#include "common/int_convert.h"
#include "package/jpeg_image.h"
#include "package/picture_data.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/content_kind.h"
#include "tools/scrtool/effect_list.h"
#include "tools/scrtool/picture_convert.h"
#include "tools/scrtool/saver_file.h"

namespace scr::tool {

namespace {

struct TProblem {
  std::string item;  // "settings", "picture 2 \"x.jpg\"", ...
  std::string text;
};

// What the check found: problems the runtime would meet (exit status 1), and warnings
// about what it reads all the same but no writer of savers writes.
struct TFindings {
  std::vector<TProblem> problems, warnings;
  size_t items = 0;
};

void CheckTrailer(const TSaverFile& saver, TFindings& found) {
  const TPackageTrailer& t = saver.Trailer();
  if (!saver.WrittenTrailer())
    found.warnings.push_back(
        {"trailer", "the fields are read as PackageLength " + std::to_string(t.PackageLength) + " and SettingsOffset " +
                        std::to_string(t.SettingsOffset) +
                        ", but are not in the form savers are written with (decimal digits, then spaces); other "
                        "programs may read them differently"});
  if (!saver.PackageStartInside())
    found.problems.push_back({"trailer", "PackageLength " + std::to_string(t.PackageLength) +
                                             " puts the package start outside the file, so the preview shows nothing"});
}

// A picture's pixels as the runtime decodes them, and for JPEG also a strict decode
// that notices data the runtime's decoder would quietly guess at.
std::optional<std::string> PictureDamage(const TSaverFile& saver, const TSaverItem& item) {
  try {
    const std::unique_ptr<TGraphic> graphic = DecodePictureData(saver.PictureBlock(item));
    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(graphic.get()); jpeg != nullptr && !jpeg->Empty()) {
      jpeg->Bitmap();
      return JpegDamage(jpeg->Data());
    }
  } catch (const Exception& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

// Sounds and movies are written to files under their names when the saver starts; the
// names are taken as the runtime's reader gives them.
std::optional<std::string> UnwritableName(const TSaverFile& saver, const TSaverItem& item) {
  const TSSFileLocations& s = saver.RuntimeSettings();
  const TStringList& names = item.kind == TItemKind::Sound ? s.SndFileNames() : s.FlashFileNames();
  if (static_cast<size_t>(item.index) >= names.size()) return "has no name, so the saver leaves it out";
  const std::string& name = names[static_cast<size_t>(item.index)];
  const auto why = PlainFileNameProblem(name);
  if (!why) return std::nullopt;
  std::string text = "is not a plain file name, so the saver on Windows cannot write it and leaves it out: " + *why;
  if (name != item.name) text += " (Windows reads the name as \"" + name + "\")";
  return text;
}

void CheckItem(const TSaverFile& saver, const TSaverItem& item, std::vector<TProblem>& problems) {
  const std::string label = ItemLabel(item);
  auto report = [&](const std::string& text) { problems.push_back({label, text}); };
  if (item.kind == TItemKind::Hook && item.size.value_or(0) == 0 && item.position == 0) return;
  if (!item.inside) {
    report("lies outside the file (position " + std::to_string(item.position) +
           (item.size ? ", " + std::to_string(*item.size) + " bytes" : std::string()) + ")");
    return;
  }
  if (item.kind == TItemKind::Picture || item.kind == TItemKind::Preview) {
    if (item.firstPicture) return;  // checked as picture 0
    if (!item.error.empty())
      report("cannot be read: " + item.error);
    else if (const auto damage = PictureDamage(saver, item))
      report("is damaged: " + *damage);
  }
  if (item.kind == TItemKind::Sound || item.kind == TItemKind::Movie)
    if (const auto why = UnwritableName(saver, item)) report(*why);
  const TContentType type = DetectContent(saver.RawBytes(item).first(std::min(saver.RawBytes(item).size(), kContentHeadSize)));
  if (item.kind == TItemKind::Sound && !type.windowsPlays)
    report(type.kind == TContentKind::Sound ? "is " + type.format + " audio, which Windows' media player does not play"
                                            : "is not WAV, MP3 or MIDI music, which Windows' media player plays");
  if (item.kind == TItemKind::Movie && type.kind != TContentKind::Movie) report("is not a Flash movie");
}

TFindings Check(const std::string& path) {
  TFindings found;
  std::vector<TProblem>& problems = found.problems;
  std::unique_ptr<TSaverFile> saver;
  try {
    saver = std::make_unique<TSaverFile>(path);
  } catch (const ENotSaver& e) {
    problems.push_back({"file", e.what()});
    return found;
  }
  CheckTrailer(*saver, found);
  const TSSFileLocations& s = saver->Settings();
  const TStringList& effects = s.Effects();
  for (size_t i = 0; i < effects.size(); ++i) {
    const std::optional<int32_t> n = TryStrToInt(effects[i]);
    if (!n || *n < 0 || *n > kLastEffect)
      problems.push_back({"effect " + std::to_string(i), "'" + effects[i] + "' is not an effect number 0..127"});
  }
  if (s.MonitorMode() < kMonitorsBlack || s.MonitorMode() > kMonitorsDifferent)
    problems.push_back({"settings", "MonitorMode " + std::to_string(s.MonitorMode()) +
                                        " is not 0, 1 or 2; the runtime keeps the other displays black"});
  auto lists = [&](const char* kind, const TStringList& positions, const TStringList& names, const TStringList& sizes) {
    if (names.size() != positions.size() || sizes.size() != positions.size())
      problems.push_back({"settings", std::string("the ") + kind + " lists differ in length: " +
                                          std::to_string(positions.size()) + " positions, " +
                                          std::to_string(names.size()) + " names, " + std::to_string(sizes.size()) +
                                          " sizes"});
  };
  lists("sound", s.SndPositions(), s.SndFileNames(), s.SndSizes());
  lists("movie", s.FlashPositions(), s.FlashFileNames(), s.FlashSizes());
  for (const TSaverItem& item : saver->Items()) CheckItem(*saver, item, problems);
  found.items = saver->Items().size();
  return found;
}

int CheckCommand(const std::vector<std::string>& args) {
  auto app = NewCommandApp("check",
                           "Checks a saver: its trailer and settings stream, that every item lies inside the file and\n"
                           "decodes, effect numbers 0..127, music in formats Windows plays (WAV, MP3, MIDI) and plain\n"
                           "item names. Prints each problem with the item it concerns; exit status 1 when there is one.",
                           {"scrtool check holiday.scr", "scrtool check holiday.scr --json"});
  std::string path;
  bool json = false;
  app->add_option("saver", path, "the saver file")->required();
  app->add_flag("--json", json, "print the problems as one JSON object");
  return RunCommand(*app, args, [&] {
    const TFindings found = Check(path);
    const std::vector<TProblem>& problems = found.problems;
    if (json) {
      nlohmann::ordered_json out = {{"file", path},
                                    {"ok", problems.empty()},
                                    {"problems", nlohmann::json::array()},
                                    {"warnings", nlohmann::json::array()}};
      for (const TProblem& p : problems) out["problems"].push_back({{"item", p.item}, {"problem", p.text}});
      for (const TProblem& p : found.warnings) out["warnings"].push_back({{"item", p.item}, {"warning", p.text}});
      std::puts(out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
    } else {
      if (problems.empty())
        std::printf("%s: no problems (%zu items)\n", path.c_str(), found.items);
      else
        std::printf("%s: %zu problem(s)\n", path.c_str(), problems.size());
      for (const TProblem& p : problems) std::printf("  %s: %s\n", p.item.c_str(), p.text.c_str());
      for (const TProblem& p : found.warnings) std::printf("  %s: warning: %s\n", p.item.c_str(), p.text.c_str());
    }
    return problems.empty() ? kExitOk : kExitFailure;
  });
}

const TRegisterCommand kRegister({"check", "check a saver for damage and problems the runtime would meet", CheckCommand});

}  // namespace

}  // namespace scr::tool
