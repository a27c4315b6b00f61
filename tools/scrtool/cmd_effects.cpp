// scrtool effects: lists the 128 transition effects with their families and names.
#include <cstdio>

#include "common/ascii.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/effect_list.h"
#include "transition/effect_catalog.h"

namespace scr::tool {

namespace {

int Effects(const std::vector<std::string>& args) {
  std::string families;
  for (std::string_view f : EffectFamilies()) families += (families.empty() ? "" : ", ") + std::string(f);
  auto app = NewCommandApp(
      "effects",
      "Lists the transition effects, one a line: the number, its family and a short name.\n"
      "Effect lists (make --effects, the manifest's EffectCommaList) take numbers, ranges such\n"
      "as 60-68, all (0..126) and the families\n  " + families + ".",
      {"scrtool effects", "scrtool effects wipes", "scrtool effects 60-68,shapes"});
  std::string list;
  app->add_option("list", list, "show only the effects of this effect list");
  return RunCommand(*app, args, [&] {
    std::vector<bool> shown(EffectCatalog().size(), list.empty());
    if (!list.empty())
      for (int n : ParseEffectList(list)) shown[static_cast<size_t>(n)] = true;
    for (const TEffectInfo& e : EffectCatalog())
      if (shown[static_cast<size_t>(e.number)])
        std::printf("%-4d %-9s %.*s\n", e.number, std::string(e.family).c_str(), static_cast<int>(e.name.size()),
                    e.name.data());
    return kExitOk;
  });
}

const TRegisterCommand kRegister({"effects", "list the 128 transition effects by number, family and name", Effects});

}  // namespace

}  // namespace scr::tool
