#include "tools/scrtool/gallery/gallery_build.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "common/errors.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/gallery/effect_clip.h"
#include "tools/scrtool/gallery/gallery_page.h"
#include "transition/effect_catalog.h"

namespace scr::tool {

void BuildGallery(const TGalleryInput& input, const std::function<void(int done, int total)>& onClip) {
  std::error_code failed;
  std::filesystem::create_directories(input.dir, failed);
  if (failed) throw Exception("cannot create the folder " + input.dir + ": " + failed.message());
  const std::string page = GalleryPage(input.oldPic.Width(), input.oldPic.Height());
  WriteFileBytes(input.dir + "/index.html", std::vector<uint8_t>(page.begin(), page.end()));

  const auto catalog = EffectCatalog();
  const int total = static_cast<int>(catalog.size());
  const TClipTiming timing;
  std::atomic<int> next{0};
  std::mutex renderLock;  // composing uses the program-wide random generator
  std::mutex doneLock;
  std::condition_variable doneChanged;
  int done = 0;
  std::exception_ptr error;

  auto work = [&] {
    for (int i = next++; i < total; i = next++) {
      try {
        std::vector<TBitmap24> frames;
        {
          std::lock_guard lock(renderLock);
          frames = RenderEffectFrames(input.oldPic, input.newPic, catalog[i].number, timing.step);
        }
        WriteFileBytes(input.dir + "/" + ClipFileName(catalog[i].number), EncodeEffectClip(frames, timing));
      } catch (...) {
        std::lock_guard lock(doneLock);
        if (!error) error = std::current_exception();
        next = total;  // the others stop after their clip
      }
      std::lock_guard lock(doneLock);
      ++done;
      doneChanged.notify_all();
    }
  };

  const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
  const int workers = std::clamp(input.workers > 0 ? input.workers : static_cast<int>(processors), 1, total);
  std::vector<std::jthread> pool;
  for (int w = 0; w < workers; ++w) pool.emplace_back(work);
  {
    std::unique_lock lock(doneLock);
    int told = 0;
    for (;;) {
      doneChanged.wait(lock, [&] { return done > told || done == total || error; });
      if (onClip && done > told && !error) onClip(done, total);
      told = done;
      if (done == total || error) break;
    }
  }
  pool.clear();  // joins
  if (error) std::rethrow_exception(error);
}

}  // namespace scr::tool
