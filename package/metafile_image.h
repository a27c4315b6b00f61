#pragma once
// The "TMetafile" picture: an enhanced (EMF) or Windows (WMF) metafile kept as its
// bytes, with the picture size taken from its header. Pixels come from a renderer the
// platform registers (the Win32 backend plays metafiles through GDI); without one,
// drawing throws EInvalidGraphic(kMetafileDrawingUnavailable).
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "common/graphic.h"

namespace scr {

class TMetafile;

// Plays `metafile` stretched into r of dst (r as for TGraphic::StretchDraw).
using TMetafileRenderer = std::function<void(const TMetafile& metafile, TBitmap24& dst, const TRect& r)>;

// Registers the renderer that draws every metafile (an empty function removes it).
// Set once at program start-up, before any picture is drawn.
void SetMetafileRenderer(TMetafileRenderer renderer);

class TMetafile : public TGraphic {
 public:
  TMetafile() = default;  // an empty metafile
  // Reads the header: data that is neither metafile kind, or a picture over the size
  // limits, throws EInvalidGraphic(kMetafileInvalid). Empty data gives an empty metafile.
  explicit TMetafile(std::vector<uint8_t> data);

  std::string ClassName() const override { return "TMetafile"; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(TBitmap24& dst, int x, int y) const override;
  void StretchDraw(TBitmap24& dst, const TRect& r) const override;
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TMetafile>(*this); }

  // True for an enhanced metafile, false for a Windows metafile.
  bool Enhanced() const { return enhanced_; }
  // The metafile's bytes, header included.
  const std::vector<uint8_t>& Data() const;

 private:
  std::shared_ptr<const std::vector<uint8_t>> data_;
  bool enhanced_ = false;
  int width_ = 0;
  int height_ = 0;
};

inline constexpr const char* kMetafileInvalid = "Metafile is not valid";
inline constexpr const char* kMetafileDrawingUnavailable = "Metafile drawing is not available";
// Screen resolution at which sizes given in physical units become pixels.
inline constexpr int kMetafilePixelsPerInch = 96;

}  // namespace scr
