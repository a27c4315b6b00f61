#include "tools/scrtool/gallery/effect_clip.h"

#include <algorithm>
#include <map>

#include "tools/media/webp_animation.h"
#include "transition/frame_render.h"

namespace scr::tool {

std::vector<int> ClipPositions(int step) {
  step = std::clamp(step, 1, 100);
  std::vector<int> positions;
  for (int p = 0; p < 100; p += step) positions.push_back(p);
  positions.push_back(100);
  return positions;
}

std::vector<TBitmap24> RenderEffectFrames(const TBitmap24& oldPic, const TBitmap24& newPic, int style, int step) {
  TFrameRenderOptions options;
  options.style = style;
  options.step = step;
  // One run to the end yields every position on the way; a position the run did not
  // report (the start, before any step) is rendered on its own.
  std::map<int, TBitmap24> seen;
  options.progress = 100;
  const TBitmap24 last = RenderTransitionFrame(oldPic, newPic, options, [&](int p, const TBitmap24& f) { seen[p] = f; });
  seen[100] = last;
  std::vector<TBitmap24> frames;
  for (int p : ClipPositions(step)) {
    if (p != 0 && seen.count(p)) {
      frames.push_back(seen[p]);
      continue;
    }
    options.progress = p;
    frames.push_back(RenderTransitionFrame(oldPic, newPic, options));
  }
  return frames;
}

std::vector<uint8_t> EncodeEffectClip(std::span<const TBitmap24> frames, const TClipTiming& timing) {
  media::TWebPOptions webp;
  webp.lossless = true;
  webp.quality = 0;  // lossless effort: small tiles, quickly
  webp.method = 0;
  webp.mergeRepeats = false;
  media::TWebPAnimation clip(frames.front().Width(), frames.front().Height(), webp);
  for (size_t i = 0; i < frames.size(); ++i)
    clip.Add(frames[i], i + 1 == frames.size() ? timing.holdNewMs : timing.delayMs);
  return clip.Finish();
}

}  // namespace scr::tool
