// Time to the first picture: what the saver does before its first frame can show. The
// picture record is read straight from a file, its JPEG decoded, and the picture
// fitted and composed at the screen's size, as the slide show does for each picture.
//
//   first_picture_bench [--screen=WxH]... [--repeat=N] PICTURE.jpg...
//
// For each picture the program first writes its record (an image stream of class
// "TJPEGImage") next to it as PICTURE.jpg.record, untimed. Then, for each screen size
// (1920x1080 and 3840x2160 unless given), it times N runs (3 by default) and reports
// the best and the heap held at the peak of the first run through operator new, beside
// the budget of the decoded picture plus two screen frames. libjpeg's own working
// memory comes from malloc and is not counted.
//
// Runs the same on Windows (under Wine) through the default platform's screen.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/heap_meter.h"
#include "bench/size_arg.h"
#include "common/stream.h"
#include "package/component_writer.h"
#include "package/package_reader.h"
#include "platform/platform.h"
#include "saver/compose.h"

namespace {

using Clock = std::chrono::steady_clock;

// A read-only stream over a file through the C library.
class TStdioStream : public scr::TStream {
 public:
  explicit TStdioStream(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
    if (!file_) throw scr::Exception("cannot open " + path);
    std::fseek(file_, 0, SEEK_END);
    size_ = std::ftell(file_);
    std::fseek(file_, 0, SEEK_SET);
  }
  ~TStdioStream() override { std::fclose(file_); }
  TStdioStream(const TStdioStream&) = delete;
  TStdioStream& operator=(const TStdioStream&) = delete;

  int64_t Size() const override { return size_; }
  int64_t Position() const override { return position_; }
  void Seek(int64_t position) override { position_ = std::max<int64_t>(position, 0); }
  size_t Read(std::span<uint8_t> out) override {
    if (position_ >= size_ || out.empty()) return 0;
    std::fseek(file_, static_cast<long>(position_), SEEK_SET);
    const size_t n = std::fread(out.data(), 1, out.size(), file_);
    position_ += static_cast<int64_t>(n);
    return n;
  }

 private:
  std::FILE* file_;
  int64_t size_ = 0;
  int64_t position_ = 0;
};

std::vector<uint8_t> ReadAll(const std::string& path) {
  TStdioStream in(path);
  std::vector<uint8_t> bytes(static_cast<size_t>(in.Size()));
  in.ReadBuffer(bytes);
  return bytes;
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) throw scr::Exception("cannot write " + path);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  if (std::fclose(out) != 0 || !ok) throw scr::Exception("cannot write " + path);
}

using bench::TScreenSize;

struct TResult {
  int pictureW = 0, pictureH = 0;
  size_t peak = 0;  // bytes held at the peak, beyond what was held before
};

// The saver's first frame: read the record, decode and compose at the screen's size.
TResult FirstFrame(const std::string& record, const TScreenSize& screenSize, scr::platform::IScreen& screen) {
  const scr::TSSFileLocations settings;
  const size_t before = bench::HeapNow();
  bench::ResetPeak();
  TResult r;
  {
    TStdioStream file(record);
    std::unique_ptr<scr::TImage> image = scr::ReadPictureAt(file, 0);
    const scr::TGraphic* graphic = image->Picture().Graphic();
    if (!graphic) throw scr::Exception("no picture in " + record);
    r.pictureW = graphic->Width();
    r.pictureH = graphic->Height();
    scr::saver::ComposePicture(*image, settings, screenSize.W, screenSize.H, screen);
  }
  r.peak = bench::HeapPeak() - before;
  return r;
}

double MiB(size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int main(int argc, char** argv) {
  std::vector<TScreenSize> sizes;
  std::vector<std::string> pictures;
  int repeat = 3;
  for (int i = 1; i < argc; ++i) {
    TScreenSize s;
    if (bench::ParseSizeArg(argv[i], "--screen=", s))
      sizes.push_back(s);
    else if (std::strncmp(argv[i], "--repeat=", 9) == 0)
      repeat = std::clamp(std::atoi(argv[i] + 9), 1, 100);
    else if (argv[i][0] == '-') {
      std::fprintf(stderr, "usage: first_picture_bench [--screen=WxH]... [--repeat=N] PICTURE.jpg...\n");
      return 2;
    } else
      pictures.emplace_back(argv[i]);
  }
  if (sizes.empty()) sizes = {{1920, 1080}, {3840, 2160}};
  if (pictures.empty()) {
    std::fprintf(stderr, "first_picture_bench: no pictures given\n");
    return 2;
  }

  auto platform = scr::platform::CreateDefaultPlatform();
  if (!platform) platform = scr::platform::CreatePlatform("headless");
  try {
    std::printf("%-13s %11s %10s %10s %10s %6s\n", "picture", "screen", "ms best", "peak MiB", "budget MiB", "within");
    for (const std::string& picture : pictures) {
      const std::string record = picture + ".record";
      WriteAll(record, scr::BuildImageStream("TJPEGImage", ReadAll(picture)));
      for (const TScreenSize& s : sizes) {
        TResult first;
        double best = 1e9;
        for (int k = 0; k < repeat; ++k) {
          const auto t0 = Clock::now();
          const TResult r = FirstFrame(record, s, platform->Screen());
          best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
          if (k == 0) first = r;
        }
        const size_t budget = scr::TBitmap24::StrideFor(first.pictureW) * static_cast<size_t>(first.pictureH) +
                              2 * scr::TBitmap24::StrideFor(s.W) * static_cast<size_t>(s.H);
        char name[32];
        std::snprintf(name, sizeof name, "%.1f MP", first.pictureW * static_cast<double>(first.pictureH) / 1e6);
        std::printf("%-13s %5dx%-5d %10.1f %10.1f %10.1f %6s\n", name, s.W, s.H, best, MiB(first.peak), MiB(budget),
                    first.peak <= budget ? "yes" : "no");
        std::fflush(stdout);
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "first_picture_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
