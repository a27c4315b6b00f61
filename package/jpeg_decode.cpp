#include "package/jpeg_decode.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>

#include <jpeglib.h>
#include <jerror.h>
#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo's colour space extensions are needed (blue, green, red rows)"
#endif

#include "common/errors.h"
#include "package/picture_limits.h"

namespace scr {

namespace {

// A damaged progressive file can carry a great many scans, each one a pass over the
// whole picture; real pictures use a handful.
constexpr int kMaxScans = 500;
constexpr const char* kTooManyScans = "JPEG image has too many scans";

const JOCTET kFakeEoi[2] = {0xFF, JPEG_EOI};

// All state one decode shares with libjpeg's callbacks. Plain C data only: libjpeg
// leaves through longjmp, which must not skip a C++ destructor.
struct TJpegJob {
  jpeg_decompress_struct info;
  jpeg_error_mgr err;
  jpeg_source_mgr src;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  const uint8_t* data;
  size_t size;
  bool created;
};

TJpegJob& JobOf(j_common_ptr info) { return *static_cast<TJpegJob*>(info->client_data); }

[[noreturn]] void Fail(j_common_ptr info, const char* message) {
  TJpegJob& job = JobOf(info);
  std::snprintf(job.message, sizeof job.message, "%s", message);
  std::longjmp(job.jump, 1);
}

void OnError(j_common_ptr info) {
  TJpegJob& job = JobOf(info);
  (*info->err->format_message)(info, job.message);
  std::longjmp(job.jump, 1);
}
void OnEmitMessage(j_common_ptr, int) {}
void OnOutputMessage(j_common_ptr) {}

void OnProgress(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
    Fail(info, kTooManyScans);
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// The whole input is in the buffer from the start; running out means the data ends
// early, and an end-of-image marker is supplied so that libjpeg finishes cleanly.
boolean FillInputBuffer(j_decompress_ptr info) {
  if (JobOf(reinterpret_cast<j_common_ptr>(info)).size == 0) ERREXIT(info, JERR_INPUT_EMPTY);
  WARNMS(info, JWRN_JPEG_EOF);
  info->src->next_input_byte = kFakeEoi;
  info->src->bytes_in_buffer = 2;
  return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = info->src;
  while (count > static_cast<long>(src->bytes_in_buffer)) {
    count -= static_cast<long>(src->bytes_in_buffer);
    FillInputBuffer(info);
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<size_t>(count);
}

void Prepare(TJpegJob& job, std::span<const uint8_t> data) {
  job.data = data.data();
  job.size = data.size();
  job.info.err = jpeg_std_error(&job.err);
  job.err.error_exit = OnError;
  job.err.emit_message = OnEmitMessage;
  job.err.output_message = OnOutputMessage;
  job.info.client_data = &job;
}

// Runs libjpeg. The only automatic objects here are plain C data, and everything the
// caller needs lives in the caller's frame, so returning through setjmp is safe. With
// `out` null only the header is read. Returns false with the message in job.message.
bool Run(TJpegJob& job, TJpegHeader& header, TBitmap24* out) {
  if (setjmp(job.jump)) return false;
  jpeg_create_decompress(&job.info);
  job.created = true;
  job.src.init_source = InitSource;
  job.src.fill_input_buffer = FillInputBuffer;
  job.src.skip_input_data = SkipInputData;
  job.src.resync_to_restart = jpeg_resync_to_restart;
  job.src.term_source = TermSource;
  job.src.next_input_byte = job.data;
  job.src.bytes_in_buffer = job.size;
  job.info.src = &job.src;
  job.progress.progress_monitor = OnProgress;
  job.info.progress = &job.progress;

  jpeg_read_header(&job.info, TRUE);
  header.width = static_cast<int>(std::min<JDIMENSION>(job.info.image_width, 1u << 30));
  header.height = static_cast<int>(std::min<JDIMENSION>(job.info.image_height, 1u << 30));
  header.components = job.info.num_components;
  if (!picture::SizeAllowed(header.width, header.height)) Fail(reinterpret_cast<j_common_ptr>(&job.info), kJpegTooLarge);
  if (!out) return true;

  job.info.scale_num = 1;
  job.info.scale_denom = 1;
  // Bitmaps keep blue, green, red: the library writes rows in that order itself.
  job.info.out_color_space = JCS_EXT_BGR;
  job.info.quantize_colors = FALSE;
  job.info.do_block_smoothing = TRUE;
  job.info.dct_method = JDCT_DEFAULT;
  job.info.buffered_image = FALSE;
  jpeg_start_decompress(&job.info);
  if (job.info.output_components != 3) Fail(reinterpret_cast<j_common_ptr>(&job.info), "JPEG output is not RGB");

  out->SetSize(static_cast<int>(job.info.output_width), static_cast<int>(job.info.output_height));
  while (job.info.output_scanline < job.info.output_height) {
    const int y = static_cast<int>(job.info.output_scanline);
    JSAMPROW row = out->Row(y);
    if (jpeg_read_scanlines(&job.info, &row, 1) != 1) break;
  }
  return true;
}

// Owns one decode: the job and the libjpeg object inside it.
class TJpegDecoder {
 public:
  explicit TJpegDecoder(std::span<const uint8_t> data) : job_{} { Prepare(job_, data); }
  ~TJpegDecoder() {
    if (job_.created) jpeg_destroy_decompress(&job_.info);
  }
  TJpegDecoder(const TJpegDecoder&) = delete;
  TJpegDecoder& operator=(const TJpegDecoder&) = delete;

  TJpegHeader Header(TBitmap24* out) {
    TJpegHeader header;
    if (!Run(job_, header, out)) throw EInvalidGraphic(job_.message);
    return header;
  }

 private:
  TJpegJob job_;
};

}  // namespace

TJpegHeader ReadJpegHeader(std::span<const uint8_t> data) { return TJpegDecoder(data).Header(nullptr); }

TBitmap24 DecodeJpeg(std::span<const uint8_t> data) {
  TBitmap24 out;
  TJpegDecoder(data).Header(&out);
  return out;
}

}  // namespace scr
