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

// The Unicode characters of Windows-1252 text.
std::u32string Characters(std::string_view ansi) {
  const std::string utf8 = AnsiToUtf8(ansi);
  std::u32string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = c;
    size_t n = 1;
    if (c >= 0xF0) {
      cp = c & 0x07;
      n = 4;
    } else if (c >= 0xE0) {
      cp = c & 0x0F;
      n = 3;
    } else if (c >= 0xC0) {
      cp = c & 0x1F;
      n = 2;
    }
    for (size_t k = 1; k < n && i + k < utf8.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(cp);
    i += n;
  }
  return out;
}

int Round26(FT_Pos v) { return static_cast<int>((v + 32) >> 6); }

}  // namespace

struct TFreeTypeText::TImpl {
  FT_Library library = nullptr;
  std::map<std::string, FT_Face> faces;  // by requested name

  ~TImpl() {
    for (auto& [name, face] : faces)
      if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }

  FT_Face Face(const std::string& name) {
    if (!library && FT_Init_FreeType(&library) != 0) return nullptr;
    if (const auto it = faces.find(name); it != faces.end()) return it->second;
    FT_Face face = nullptr;
    // The saver's font name is a family name, never a pattern: a name holding ':' or
    // '-' (as "Arial:bold" or "Sans-10") asks for nothing more than that family.
    FcPattern* pattern = FcPatternCreate();
    if (pattern) {
      if (!name.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
      FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
      FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
      FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
      FcDefaultSubstitute(pattern);
      FcResult result;
      if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
          FcPatternGetInteger(match, FC_INDEX, 0, &index);
          if (FT_New_Face(library, reinterpret_cast<const char*>(file), index, &face) != 0) face = nullptr;
        }
        FcPatternDestroy(match);
      }
      FcPatternDestroy(pattern);
    }
    faces[name] = face;
    return face;
  }

  // Sets the size the font's height asks for; false without a face.
  FT_Face Sized(const TTextFont& font) {
    FT_Face face = Face(font.name);
    if (!face) return nullptr;
    const long h = font.height == 0 ? 11 : std::abs(static_cast<long>(font.height));
    FT_Size_RequestRec req{};
    // Below zero the height is the em (character) height, above zero the cell height.
    req.type = font.height < 0 || font.height == 0 ? FT_SIZE_REQUEST_TYPE_NOMINAL : FT_SIZE_REQUEST_TYPE_REAL_DIM;
    req.height = h << 6;
    if (FT_Request_Size(face, &req) != 0) return nullptr;
    return face;
  }
};

TFreeTypeText::TFreeTypeText() : impl_(std::make_unique<TImpl>()) {}
TFreeTypeText::~TFreeTypeText() = default;

TTextSize TFreeTypeText::Extent(const TTextFont& font, std::string_view text) {
  FT_Face face = impl_->Sized(font);
  if (!face) return {};
  TTextSize size;
  size.cy = Round26(face->size->metrics.ascender) - Round26(face->size->metrics.descender);
  for (char32_t c : Characters(text)) {
    if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) != 0) continue;
    size.cx += Round26(face->glyph->advance.x);
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
  for (char32_t c : Characters(text)) {
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot g = face->glyph;
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
