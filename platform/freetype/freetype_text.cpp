#include "platform/freetype/freetype_text.h"

#if !defined(SCR_FREETYPE_TEXT)

// Built without FreeType: text has no extent and draws nothing.
namespace scr::platform {
struct TFreeTypeText::TImpl {};
TFreeTypeText::TFreeTypeText() : impl_(std::make_unique<TImpl>()) {}
TFreeTypeText::~TFreeTypeText() = default;
TTextSize TFreeTypeText::Extent(const TTextFont&, std::string_view) { return {}; }
void TFreeTypeText::Draw(TBitmap24&, int, int, const TTextFont&, std::string_view) {}
}  // namespace scr::platform

#else

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>

#include "common/ansi_text.h"

namespace scr::platform {

namespace {

int Round26(FT_Pos v) { return static_cast<int>((v + 32) >> 6); }

// The file and face index of a fontconfig match, when it has them.
bool MatchedFile(FcPattern* match, std::string& file, int& index) {
  FcChar8* path = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &path) != FcResultMatch) return false;
  index = 0;
  FcPatternGetInteger(match, FC_INDEX, 0, &index);
  file = reinterpret_cast<const char*>(path);
  return true;
}

// The best match for a pattern after the configuration's substitutions; the caller
// destroys it. The pattern is destroyed here.
FcPattern* Match(FcPattern* pattern) {
  FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  return match;
}

}  // namespace

struct TFreeTypeText::TImpl {
  FT_Library library = nullptr;
  std::map<std::string, FT_Face> faces;          // by requested family name
  std::map<std::pair<std::string, int>, FT_Face> files;  // every opened face, by file and index
  std::map<char32_t, FT_Face> fallbacks;         // a face that has the character, or none

  ~TImpl() {
    for (auto& [file, face] : files)
      if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }

  FT_Face Open(const std::string& file, int index) {
    const auto key = std::make_pair(file, index);
    if (const auto it = files.find(key); it != files.end()) return it->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0) face = nullptr;
    files[key] = face;
    return face;
  }

  // The face for a font name. The name is a family name, never parsed as a fontconfig
  // pattern (a name with ':' or '-' in it means nothing more); when no family of that
  // name is installed, the sans-serif face stands in for it.
  FT_Face Face(const std::string& name) {
    if (!library && FT_Init_FreeType(&library) != 0) return nullptr;
    if (const auto it = faces.find(name); it != faces.end()) return it->second;
    FT_Face face = nullptr;
    if (FcPattern* pattern = FcPatternCreate()) {
      if (!name.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
      if (FcPattern* match = Match(pattern)) {
        std::string file;
        int index = 0;
        if (MatchedFile(match, file, index)) face = Open(file, index);
        FcPatternDestroy(match);
      }
    }
    faces[name] = face;
    return face;
  }

  // A face that has a character the chosen face lacks (nullptr when none has it).
  FT_Face Fallback(char32_t c) {
    if (const auto it = fallbacks.find(c); it != fallbacks.end()) return it->second;
    FT_Face face = nullptr;
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* wanted = FcCharSetCreate();
    if (pattern && wanted && FcCharSetAddChar(wanted, c)) {
      FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
      if (FcPattern* match = Match(pattern)) {
        FcCharSet* has = nullptr;
        std::string file;
        int index = 0;
        if (FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch && FcCharSetHasChar(has, c) &&
            MatchedFile(match, file, index))
          face = Open(file, index);
        FcPatternDestroy(match);
      }
      pattern = nullptr;
    }
    if (pattern) FcPatternDestroy(pattern);
    if (wanted) FcCharSetDestroy(wanted);
    if (face && FT_Get_Char_Index(face, c) == 0) face = nullptr;
    fallbacks[c] = face;
    return face;
  }

  // Sets the size the font's height asks for on a face; false when it cannot.
  static bool SetSize(FT_Face face, const TTextFont& font) {
    const long h = font.height == 0 ? 11 : std::abs(static_cast<long>(font.height));
    FT_Size_RequestRec req{};
    // Below zero the height is the em (character) height, above zero the cell height.
    req.type = font.height < 0 || font.height == 0 ? FT_SIZE_REQUEST_TYPE_NOMINAL : FT_SIZE_REQUEST_TYPE_REAL_DIM;
    req.height = h << 6;
    return FT_Request_Size(face, &req) == 0;
  }

  FT_Face Sized(const TTextFont& font) {
    FT_Face face = Face(font.name);
    if (!face || !SetSize(face, font)) return nullptr;
    return face;
  }

  // The face that draws a character: the chosen one, or a fallback sized alike.
  FT_Face For(FT_Face chosen, char32_t c, const TTextFont& font) {
    if (FT_Get_Char_Index(chosen, c) != 0) return chosen;
    FT_Face other = Fallback(c);
    if (!other || other == chosen || !SetSize(other, font)) return chosen;
    return other;
  }
};

TFreeTypeText::TFreeTypeText() : impl_(std::make_unique<TImpl>()) {}
TFreeTypeText::~TFreeTypeText() = default;

TTextSize TFreeTypeText::Extent(const TTextFont& font, std::string_view text) {
  FT_Face face = impl_->Sized(font);
  if (!face) return {};
  TTextSize size;
  size.cy = Round26(face->size->metrics.ascender) - Round26(face->size->metrics.descender);
  for (char32_t c : Utf8ToCodePoints(text)) {
    FT_Face drawn = impl_->For(face, c, font);
    if (FT_Load_Char(drawn, c, FT_LOAD_DEFAULT) != 0) continue;
    size.cx += Round26(drawn->glyph->advance.x);
  }
  return size;
}

void TFreeTypeText::Draw(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) {
  FT_Face face = impl_->Sized(font);
  if (!face) return;
  const int baseline = y + Round26(face->size->metrics.ascender);
  const uint8_t cr = static_cast<uint8_t>(font.color), cg = static_cast<uint8_t>(font.color >> 8),
                cb = static_cast<uint8_t>(font.color >> 16);
  int penX = x;
  for (char32_t c : Utf8ToCodePoints(text)) {
    FT_Face drawn = impl_->For(face, c, font);
    if (FT_Load_Char(drawn, c, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot g = drawn->glyph;
    const FT_Bitmap& gb = g->bitmap;
    const int left = penX + g->bitmap_left, top = baseline - g->bitmap_top;
    for (unsigned row = 0; row < gb.rows; ++row) {
      const int py = top + static_cast<int>(row);
      if (py < 0 || py >= bitmap.Height()) continue;
      const unsigned char* src = gb.buffer + static_cast<ptrdiff_t>(row) * gb.pitch;
      uint8_t* dst = bitmap.Row(py);
      for (unsigned col = 0; col < gb.width; ++col) {
        const int px = left + static_cast<int>(col);
        if (px < 0 || px >= bitmap.Width()) continue;
        const unsigned a = src[col];
        if (a == 0) continue;
        uint8_t* p = dst + 3 * px;
        p[0] = static_cast<uint8_t>((p[0] * (255 - a) + cb * a + 127) / 255);
        p[1] = static_cast<uint8_t>((p[1] * (255 - a) + cg * a + 127) / 255);
        p[2] = static_cast<uint8_t>((p[2] * (255 - a) + cr * a + 127) / 255);
      }
    }
    penX += Round26(g->advance.x);
  }
}

}  // namespace scr::platform

#endif
