#include "transition/effect_catalog.h"

#include <array>

namespace scr {

namespace {

constexpr std::array<TEffectInfo, 128> kCatalog{{
    {0, "instant", "instant replacement"},
    {1, "squeezes", "squeeze in from the right"},
    {2, "squeezes", "squeeze in from the left"},
    {3, "slides", "slide in from the right"},
    {4, "slides", "slide in from the left"},
    {5, "wipes", "wipe left to right"},
    {6, "wipes", "wipe right to left"},
    {7, "zooms", "zoom out anchored left"},
    {8, "zooms", "zoom out anchored right"},
    {9, "zooms", "zoom out about the vertical centre"},
    {10, "squeezes", "squeeze into a centre strip"},
    {11, "wipes", "wipe out from the vertical centre"},
    {12, "wipes", "wipe in from both sides"},
    {13, "squeezes", "halves squeeze in from the sides"},
    {14, "folds", "fold left to right"},
    {15, "folds", "fold right to left"},
    {16, "smears", "smear left to right"},
    {17, "smears", "smear right to left"},
    {18, "squeezes", "squeeze in from the bottom"},
    {19, "squeezes", "squeeze in from the top"},
    {20, "slides", "slide in from the bottom"},
    {21, "slides", "slide in from the top"},
    {22, "wipes", "wipe top to bottom"},
    {23, "wipes", "wipe bottom to top"},
    {24, "zooms", "zoom out anchored top"},
    {25, "zooms", "zoom out anchored bottom"},
    {26, "zooms", "zoom out about the horizontal centre"},
    {27, "squeezes", "squeeze into a centre band"},
    {28, "wipes", "wipe out from the horizontal centre"},
    {29, "wipes", "wipe in from top and bottom"},
    {30, "squeezes", "halves squeeze in from top and bottom"},
    {31, "folds", "fold top to bottom"},
    {32, "folds", "fold bottom to top"},
    {33, "smears", "smear top to bottom"},
    {34, "smears", "smear bottom to top"},
    {35, "squeezes", "squeeze in from the bottom-right"},
    {36, "squeezes", "squeeze in from the top-right"},
    {37, "squeezes", "squeeze in from the top-left"},
    {38, "squeezes", "squeeze in from the bottom-left"},
    {39, "slides", "slide in from the bottom-right"},
    {40, "slides", "slide in from the top-right"},
    {41, "slides", "slide in from the top-left"},
    {42, "slides", "slide in from the bottom-left"},
    {43, "wipes", "wipe from the top-left"},
    {44, "wipes", "wipe from the bottom-left"},
    {45, "wipes", "wipe from the bottom-right"},
    {46, "wipes", "wipe from the top-right"},
    {47, "zooms", "zoom out anchored top-left"},
    {48, "zooms", "zoom out anchored bottom-left"},
    {49, "zooms", "zoom out anchored bottom-right"},
    {50, "zooms", "zoom out anchored top-right"},
    {51, "zooms", "zoom out about the centre"},
    {52, "squeezes", "squeeze into a centred box"},
    {53, "wipes", "box out from the centre"},
    {54, "wipes", "frame closing in"},
    {55, "wipes", "boxes from the four corners"},
    {56, "squeezes", "quarters squeeze into the corners"},
    {57, "slides", "quarters slide in"},
    {58, "shapes", "rounded edge from the left"},
    {59, "shapes", "rounded edge from the right"},
    {60, "combs", "rows comb from the right"},
    {61, "combs", "rows comb from the left"},
    {62, "combs", "rows comb left then right"},
    {63, "combs", "rows comb right then left"},
    {64, "combs", "alternate rows from both sides"},
    {65, "ragged", "ragged rows from the right"},
    {66, "ragged", "ragged rows from the left"},
    {67, "ragged", "ragged rows from the centre"},
    {68, "ragged", "ragged rows from both sides"},
    {69, "shapes", "rounded edge from the top"},
    {70, "shapes", "rounded edge from the bottom"},
    {71, "combs", "columns comb from the bottom"},
    {72, "combs", "columns comb from the top"},
    {73, "combs", "columns comb top then bottom"},
    {74, "combs", "columns comb bottom then top"},
    {75, "combs", "alternate columns from both edges"},
    {76, "ragged", "ragged columns from the bottom"},
    {77, "ragged", "ragged columns from the top"},
    {78, "ragged", "ragged columns from the centre"},
    {79, "ragged", "ragged columns from top and bottom"},
    {80, "shapes", "rounded corner from the top-left"},
    {81, "shapes", "rounded corner from the top-right"},
    {82, "shapes", "rounded corner from the bottom-left"},
    {83, "shapes", "rounded corner from the bottom-right"},
    {84, "shapes", "iris opening"},
    {85, "shapes", "iris closing"},
    {86, "combs", "rows from the right, columns from the bottom"},
    {87, "combs", "rows from the right, columns from the top"},
    {88, "combs", "rows from the left, columns from the bottom"},
    {89, "combs", "rows from the left, columns from the top"},
    {90, "combs", "rows and columns, left-top then right-bottom"},
    {91, "combs", "rows left then right, columns bottom then top"},
    {92, "combs", "rows right then left, columns top then bottom"},
    {93, "combs", "rows right then left, columns bottom then top"},
    {94, "combs", "rows from the right, alternate columns"},
    {95, "combs", "rows from the left, alternate columns"},
    {96, "combs", "alternate rows, columns from the bottom"},
    {97, "combs", "alternate rows, columns from the top"},
    {98, "combs", "alternate rows and columns"},
    {99, "combs", "lattice"},
    {100, "ragged", "ragged rows from the right, columns from the bottom"},
    {101, "ragged", "ragged rows from the right, columns from the top"},
    {102, "ragged", "ragged rows from the left, columns from the bottom"},
    {103, "ragged", "ragged rows from the left, columns from the top"},
    {104, "ragged", "ragged rows from the right, columns from the centre"},
    {105, "ragged", "ragged rows from the left, columns from the centre"},
    {106, "ragged", "ragged rows from the centre, columns from the bottom"},
    {107, "ragged", "ragged rows from the centre, columns from the top"},
    {108, "ragged", "ragged rows and columns from the centre"},
    {109, "ragged", "ragged rows and columns from both sides"},
    {110, "shapes", "triangle from the top-left"},
    {111, "shapes", "triangle from the top-right"},
    {112, "shapes", "triangle from the bottom-left"},
    {113, "shapes", "triangle from the bottom-right"},
    {114, "shapes", "triangles hinged left and right"},
    {115, "shapes", "triangles hinged top and bottom"},
    {116, "shapes", "four-blade fan"},
    {117, "shapes", "grid of triangles"},
    {118, "blend", "cross-fade"},
    {119, "doors", "swing in about the top-left"},
    {120, "doors", "swing in about the bottom-left"},
    {121, "doors", "swing in about the top-right"},
    {122, "doors", "swing in about the bottom-right"},
    {123, "drips", "drips from the right"},
    {124, "drips", "drips from the left"},
    {125, "drips", "drips from the bottom"},
    {126, "drips", "drips from the top"},
    {127, "blocks", "scatter of growing blocks"},
}};

constexpr std::array<std::string_view, 13> kFamilies{"wipes",  "slides", "squeezes", "zooms", "folds",
                                                     "smears", "shapes", "combs",    "ragged", "drips",
                                                     "blocks", "blend",  "doors"};

// The catalog is indexed by number; keep that true at compile time.
constexpr bool NumbersMatchIndex() {
  for (size_t i = 0; i < kCatalog.size(); ++i)
    if (kCatalog[i].number != static_cast<int>(i)) return false;
  return true;
}
static_assert(NumbersMatchIndex());

}  // namespace

std::span<const TEffectInfo> EffectCatalog() { return kCatalog; }

std::span<const std::string_view> EffectFamilies() { return kFamilies; }

std::optional<std::vector<int>> EffectsOfFamily(std::string_view family) {
  std::vector<int> out;
  if (family == "all") {
    for (int i = 0; i <= 126; ++i) out.push_back(i);
    return out;
  }
  for (const TEffectInfo& e : kCatalog)
    if (e.family == family) out.push_back(e.number);
  if (out.empty()) return std::nullopt;
  return out;
}

}  // namespace scr
