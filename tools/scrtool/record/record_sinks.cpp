#include "tools/scrtool/record/record_sinks.h"

#include <cstdio>
#include <filesystem>

#include "common/errors.h"
#include "tools/media/mp4_writer.h"
#include "tools/media/image_library.h"
#include "tools/media/webp_animation.h"
#include "tools/scrtool/file_bytes.h"

namespace scr::tool {

namespace {

class TMp4Sink : public IRecordSink {
 public:
  TMp4Sink(const std::string& path, int width, int height, int fps, bool withAudio)
      : writer_(path, width, height, fps, withAudio) {}
  void Frame(const TBitmap24& frame, bool fresh) override {
    if (fresh)
      writer_.AddFrame(frame);
    else
      writer_.RepeatFrame();
  }
  void Audio(std::span<const float> samples) override { writer_.AddAudio(samples); }
  void Finish() override { writer_.Finish(); }

 private:
  media::TMp4Writer writer_;
};

class TWebPSink : public IRecordSink {
 public:
  TWebPSink(const std::string& path, int width, int height, int fps)
      : path_(path), fps_(fps), clip_(width, height, Options()) {}
  void Frame(const TBitmap24& frame, bool) override {
    // Whole milliseconds per frame that add up to the true time.
    const int64_t end = (count_ + 1) * 1000 / fps_;
    clip_.Add(frame, static_cast<int>(end - count_ * 1000 / fps_));
    ++count_;
  }
  void Finish() override { WriteFileBytes(path_, clip_.Finish()); }

 private:
  static media::TWebPOptions Options() {
    media::TWebPOptions o;
    o.lossless = false;
    o.quality = 80;
    o.method = 0;
    o.mergeRepeats = true;  // a held picture is one frame
    return o;
  }
  std::string path_;
  int fps_;
  int64_t count_ = 0;
  media::TWebPAnimation clip_;
};

class TPngSink : public IRecordSink {
 public:
  explicit TPngSink(const std::string& dir) : dir_(dir) {
    std::error_code failed;
    std::filesystem::create_directories(dir, failed);
    if (failed) throw Exception("cannot create the folder " + dir + ": " + failed.message());
  }
  void Frame(const TBitmap24& frame, bool) override {
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%06lld.png", static_cast<long long>(count_++));
    WriteFileBytes(dir_ + name, media::EncodePng(frame, 1));  // fast rather than small
  }
  void Finish() override {}

 private:
  std::string dir_;
  int64_t count_ = 0;
};

}  // namespace

std::unique_ptr<IRecordSink> CreateMp4Sink(const std::string& path, int width, int height, int fps, bool withAudio) {
  return std::make_unique<TMp4Sink>(path, width, height, fps, withAudio);
}
std::unique_ptr<IRecordSink> CreateWebPSink(const std::string& path, int width, int height, int fps) {
  return std::make_unique<TWebPSink>(path, width, height, fps);
}
std::unique_ptr<IRecordSink> CreatePngSink(const std::string& dir) { return std::make_unique<TPngSink>(dir); }

}  // namespace scr::tool
