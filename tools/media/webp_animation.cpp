#include "tools/media/webp_animation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "common/errors.h"

namespace scr::media {

namespace {

// The smallest rectangle holding every pixel where a and b differ; empty when equal.
TRect ChangedRect(const TBitmap24& a, const TBitmap24& b) {
  const int w = a.Width(), h = a.Height();
  const size_t rowBytes = static_cast<size_t>(w) * 3;
  int top = 0, bottom = h;
  while (top < h && std::memcmp(a.Row(top), b.Row(top), rowBytes) == 0) ++top;
  if (top == h) return TRect{0, 0, 0, 0};
  while (bottom > top && std::memcmp(a.Row(bottom - 1), b.Row(bottom - 1), rowBytes) == 0) --bottom;
  int left = w, right = 0;
  for (int y = top; y < bottom; ++y) {
    const uint8_t* pa = a.Row(y);
    const uint8_t* pb = b.Row(y);
    int x = 0;
    while (x < left && std::memcmp(pa + 3 * x, pb + 3 * x, 3) == 0) ++x;
    left = std::min(left, x);
    int r = w;
    while (r > right && std::memcmp(pa + 3 * (r - 1), pb + 3 * (r - 1), 3) == 0) --r;
    right = std::max(right, r);
  }
  return TRect{left, top, right, bottom};
}

std::vector<uint8_t> EncodeArea(const TBitmap24& frame, const TRect& r, const TWebPOptions& options) {
  WebPConfig config;
  if (!WebPConfigInit(&config)) throw Exception("the WebP encoder does not match its header");
  config.lossless = options.lossless ? 1 : 0;
  config.quality = options.quality;
  config.method = options.method;
  config.exact = 1;
  WebPPicture picture;
  if (!WebPPictureInit(&picture)) throw Exception("the WebP encoder does not match its header");
  picture.use_argb = 1;
  picture.width = r.Width();
  picture.height = r.Height();
  WebPMemoryWriter writer;
  WebPMemoryWriterInit(&writer);
  picture.writer = WebPMemoryWrite;
  picture.custom_ptr = &writer;
  const uint8_t* origin = frame.Row(r.top) + 3 * static_cast<size_t>(r.left);
  const bool ok = WebPPictureImportBGR(&picture, origin, static_cast<int>(frame.Stride())) &&
                  WebPEncode(&config, &picture);
  WebPPictureFree(&picture);
  std::vector<uint8_t> bytes(writer.mem, writer.mem + (ok ? writer.size : 0));
  WebPMemoryWriterClear(&writer);
  if (!ok) throw Exception("cannot encode a WebP frame");
  return bytes;
}

}  // namespace

TWebPAnimation::TWebPAnimation(int width, int height, TWebPOptions options)
    : width_(width), height_(height), options_(options), mux_(WebPMuxNew()) {
  if (width < 1 || height < 1 || width > WEBP_MAX_DIMENSION || height > WEBP_MAX_DIMENSION)
    throw Exception("a WebP animation takes 1 to " + std::to_string(WEBP_MAX_DIMENSION) + " pixels a side");
  if (!mux_) throw Exception("out of memory for a WebP animation");
}

TWebPAnimation::~TWebPAnimation() { WebPMuxDelete(mux_); }

void TWebPAnimation::Add(const TBitmap24& frame, int durationMs) {
  if (frame.Width() != width_ || frame.Height() != height_) throw Exception("a frame differs in size from the animation");
  durationMs = std::clamp(durationMs, 1, (1 << 24) - 1);
  TRect area = previous_.Empty() ? frame.Bounds() : ChangedRect(previous_, frame);
  if (area.IsEmpty()) {
    if (options_.mergeRepeats && pendingDuration_ + durationMs < (1 << 24)) {
      pendingDuration_ += durationMs;
      return;
    }
    area = TRect{0, 0, std::min(2, width_), std::min(2, height_)};  // a frame of its own that changes nothing
  }
  // Frame offsets are stored halved: widen the area to even left and top edges.
  area.left &= ~1;
  area.top &= ~1;
  Flush();
  pendingData_ = EncodeArea(frame, area, options_);
  pendingX_ = area.left;
  pendingY_ = area.top;
  pendingDuration_ = durationMs;
  havePending_ = true;
  previous_ = frame;
  ++frames_;
}

void TWebPAnimation::Flush() {
  if (!havePending_) return;
  WebPMuxFrameInfo info{};
  info.bitstream.bytes = pendingData_.data();
  info.bitstream.size = pendingData_.size();
  info.x_offset = pendingX_;
  info.y_offset = pendingY_;
  info.duration = pendingDuration_;
  info.id = WEBP_CHUNK_ANMF;
  info.dispose_method = WEBP_MUX_DISPOSE_NONE;
  info.blend_method = WEBP_MUX_NO_BLEND;
  if (WebPMuxPushFrame(mux_, &info, 1) != WEBP_MUX_OK) throw Exception("cannot add a frame to a WebP animation");
  havePending_ = false;
}

std::vector<uint8_t> TWebPAnimation::Finish() {
  Flush();
  if (frames_ == 0) throw Exception("a WebP animation needs a frame");
  WebPMuxAnimParams params{};
  params.bgcolor = 0xFF000000;  // opaque black, in the order blue, green, red, alpha
  params.loop_count = 0;
  if (WebPMuxSetAnimationParams(mux_, &params) != WEBP_MUX_OK || WebPMuxSetCanvasSize(mux_, width_, height_) != WEBP_MUX_OK)
    throw Exception("cannot set up a WebP animation");
  WebPData data;
  WebPDataInit(&data);
  if (WebPMuxAssemble(mux_, &data) != WEBP_MUX_OK) throw Exception("cannot assemble a WebP animation");
  std::vector<uint8_t> bytes(data.bytes, data.bytes + data.size);
  WebPDataClear(&data);
  return bytes;
}

}  // namespace scr::media
