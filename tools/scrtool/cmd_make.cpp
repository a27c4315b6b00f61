// scrtool make: builds a saver file from a runtime, content files and settings.
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/ascii.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "package/property_text.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/file_bytes.h"

namespace scr::tool {

namespace {

constexpr const char* kUsage =
    "usage: scrtool make -o OUT.scr [--runtime FILE] [--preview PIC] [--picture FILE]...\n"
    "                    [--sound FILE]... [--movie FILE]... [--hook FILE | --no-hook]\n"
    "                    [--effects LIST] [--title T] [--author A] [--email E] [--web W]\n"
    "                    [--text CAPTION] [--interval MS] [--flash] [--descriptions LIST]\n"
    "                    [--set NAME=VALUE]...\n"
    "Pictures: .bmp, .jpg/.jpeg, .ico, .emf/.wmf. The preview picture goes first in the\n"
    "package; without --preview the first picture serves as the preview.\n"
    "--set takes any setting by name, also the font's (TextFont.Size=24), e.g.\n"
    "  --set Background=clNavy --set lRandomPic=True --set TextFont.Style=[fsBold]\n"
    "The lists of positions, file names and sizes and the hook library's place come from\n"
    "the added files.\n"
    "Defaults: runtime " SCR_DEFAULT_RUNTIME ",\n"
    "          hook    " SCR_DEFAULT_HOOK " (when present).\n";

// The picture class a file's extension stands for.
std::string PictureClassFor(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const std::string ext = dot == std::string::npos ? "" : AsciiLowerCase(path.substr(dot + 1));
  if (ext == "bmp") return "TBitmap";
  if (ext == "jpg" || ext == "jpeg") return "TJPEGImage";
  if (ext == "ico") return "TIcon";
  if (ext == "emf" || ext == "wmf") return "TMetafile";
  throw std::runtime_error("unknown picture type: " + path + " (use .bmp, .jpg, .jpeg, .ico, .emf or .wmf)");
}

std::vector<uint8_t> PictureStream(const std::string& path) {
  return BuildImageStream(PictureClassFor(path), ReadFileBytes(path));
}

bool SetByItems(const std::string& name) {
  for (const char* n : {"PicCommaList", "PicFileNamesCommaList", "SndCommaList", "SndFileNamesCommaList",
                        "SndSizesCommaList", "FlashCommaList", "FlashFileNamesCommaList", "FlashSizesCommaList",
                        "HookPosition", "HookSize"})
    if (SameText(name, n)) return true;
  return false;
}

int Make(const std::vector<std::string>& args) {
  std::string out, runtime, preview, hook;
  bool noHook = false;
  std::vector<std::string> pictures, sounds, movies;
  std::vector<std::pair<std::string, std::string>> sets;

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::runtime_error(a + " needs a value");
      return args[++i];
    };
    if (a == "-h" || a == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "-o" || a == "--output") {
      out = value();
    } else if (a == "--runtime") {
      runtime = value();
    } else if (a == "--preview") {
      preview = value();
    } else if (a == "--picture") {
      pictures.push_back(value());
    } else if (a == "--sound") {
      sounds.push_back(value());
    } else if (a == "--movie") {
      movies.push_back(value());
    } else if (a == "--hook") {
      hook = value();
    } else if (a == "--no-hook") {
      noHook = true;
    } else if (a == "--effects") {
      sets.emplace_back("EffectCommaList", value());
    } else if (a == "--descriptions") {
      sets.emplace_back("DescriptCommaList", value());
    } else if (a == "--title") {
      sets.emplace_back("Title", value());
    } else if (a == "--author") {
      sets.emplace_back("Author", value());
    } else if (a == "--email") {
      sets.emplace_back("Email", value());
    } else if (a == "--web") {
      sets.emplace_back("Web", value());
    } else if (a == "--text") {
      sets.emplace_back("Text", value());
    } else if (a == "--interval") {
      sets.emplace_back("Interval", value());
    } else if (a == "--flash") {
      sets.emplace_back("Ver", "flash");
    } else if (a == "--set") {
      const std::string& nv = value();
      const size_t eq = nv.find('=');
      if (eq == std::string::npos || eq == 0) throw std::runtime_error("--set needs NAME=VALUE, got " + nv);
      sets.emplace_back(nv.substr(0, eq), nv.substr(eq + 1));
    } else {
      std::fputs(kUsage, stderr);
      throw std::runtime_error("unknown option " + a);
    }
  }
  if (out.empty()) {
    std::fputs(kUsage, stderr);
    throw std::runtime_error("no output file (-o)");
  }
  if (runtime.empty()) {
    runtime = SCR_DEFAULT_RUNTIME;
    if (!FileExists(runtime)) throw std::runtime_error("no runtime at " + runtime + "; give one with --runtime");
  }
  if (hook.empty() && !noHook && FileExists(SCR_DEFAULT_HOOK)) hook = SCR_DEFAULT_HOOK;

  TPackageBuilder builder(ReadFileBytes(runtime));
  for (const auto& [name, text] : sets) {
    if (SetByItems(name)) throw std::runtime_error(name + " is set from the added files");
    SetPropertyText(builder.Settings(), name, text);
  }
  if (!preview.empty()) builder.SetPreview(PictureStream(preview));
  for (const std::string& p : pictures) builder.AddPicture(BaseName(p), PictureStream(p));
  for (const std::string& s : sounds) builder.AddSound(BaseName(s), ReadFileBytes(s));
  for (const std::string& m : movies) builder.AddMovie(BaseName(m), ReadFileBytes(m));
  if (!hook.empty()) builder.SetHookLibrary(ReadFileBytes(hook));

  const TBuiltPackage built = builder.Build();
  WriteFileBytes(out, built.bytes);
  std::printf("%s: %zu bytes; %zu picture(s)%s, %zu sound(s), %zu movie(s), %s; settings %d bytes at %d\n",
              out.c_str(), built.bytes.size(), pictures.size(), preview.empty() ? "" : " and a preview",
              sounds.size(), movies.size(), hook.empty() ? "no hook library" : "hook library", built.settingsLength,
              built.settingsOffset);
  return 0;
}

const TRegisterCommand kRegister({"make", "build a saver from a runtime, pictures, sounds, movies and settings", Make});

}  // namespace

}  // namespace scr::tool
