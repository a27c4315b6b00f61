#include "tools/media/audio_track.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cstring>
#include <memory>

#include "tools/media/ffmpeg_error.h"

namespace scr::media {

namespace {

// The file in memory, read by FFmpeg through a custom I/O context.
struct TMemoryInput {
  std::span<const uint8_t> bytes;
  int64_t at = 0;

  static int Read(void* opaque, uint8_t* buf, int size) {
    auto* in = static_cast<TMemoryInput*>(opaque);
    const int64_t left = static_cast<int64_t>(in->bytes.size()) - in->at;
    if (left <= 0) return AVERROR_EOF;
    const int n = static_cast<int>(std::min<int64_t>(left, size));
    std::memcpy(buf, in->bytes.data() + in->at, static_cast<size_t>(n));
    in->at += n;
    return n;
  }
  static int64_t Seek(void* opaque, int64_t offset, int whence) {
    auto* in = static_cast<TMemoryInput*>(opaque);
    const auto size = static_cast<int64_t>(in->bytes.size());
    if ((whence & ~AVSEEK_FORCE) == AVSEEK_SIZE) return size;
    int64_t to = offset;
    if ((whence & 3) == SEEK_CUR) to += in->at;
    else if ((whence & 3) == SEEK_END) to += size;
    if (to < 0 || to > size) return AVERROR(EINVAL);
    in->at = to;
    return to;
  }
};

struct TFormatCloser {
  void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct TIoFreer {
  void operator()(AVIOContext* io) const {
    if (io) av_freep(&io->buffer);
    avio_context_free(&io);
  }
};
struct TCodecFreer {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct TFrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct TPacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct TSwrFreer {
  void operator()(SwrContext* s) const { swr_free(&s); }
};

// The demuxers of the sound formats a saver's music comes in.
constexpr const char* kAudioDemuxers = "wav,w64,mp3,ogg,flac,aiff,au,caf,mov,mp4,m4a,aac,ac3,eac3,mpc,mpc8,ape,wv,tta,"
                                       "amr,voc,xwma,asf,matroska,webm,s337m,dts,truehd,mlp,spdif,loas,latm";

class TDecoder {
 public:
  TDecoder(std::span<const uint8_t> file, int64_t maxMs) : input_{file}, maxFrames_(maxMs * kAudioRate / 1000 + 1) {}

  TAudio Run() {
    Open();
    std::unique_ptr<AVPacket, TPacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, TFrameFreer> frame(av_frame_alloc());
    if (!packet || !frame) throw Exception("out of memory decoding a sound file");
    while (!Full() && av_read_frame(format_.get(), packet.get()) >= 0) {
      if (packet->stream_index == stream_ && avcodec_send_packet(codec_.get(), packet.get()) >= 0) Drain(frame.get());
      av_packet_unref(packet.get());
    }
    avcodec_send_packet(codec_.get(), nullptr);
    Drain(frame.get());
    Convert(nullptr, 0);  // what the resampler still holds
    if (audio_.samples.empty()) throw Exception("the sound file holds no audio");
    audio_.samples.resize(std::min<size_t>(audio_.samples.size(), static_cast<size_t>(maxFrames_) * kAudioChannels));
    return std::move(audio_);
  }

 private:
  void Open() {
    constexpr int kBuffer = 64 * 1024;
    auto* buffer = static_cast<uint8_t*>(av_malloc(kBuffer));
    if (!buffer) throw Exception("out of memory decoding a sound file");
    io_.reset(avio_alloc_context(buffer, kBuffer, 0, &input_, &TMemoryInput::Read, nullptr, &TMemoryInput::Seek));
    if (!io_) {
      av_free(buffer);
      throw Exception("out of memory decoding a sound file");
    }
    AVFormatContext* format = avformat_alloc_context();
    if (!format) throw Exception("out of memory decoding a sound file");
    format->pb = io_.get();
    // Sound files come from strangers: only audio demuxers may read them (none that
    // follows playlists or references to other files), and nothing is opened but
    // plain files.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", kAudioDemuxers, 0);
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const int opened = avformat_open_input(&format, nullptr, nullptr, &options);
    av_dict_free(&options);
    AvCheck(opened, "cannot read the sound file");
    format_.reset(format);
    AvCheck(avformat_find_stream_info(format, nullptr), "cannot read the sound file");
    const AVCodec* decoder = nullptr;
    stream_ = AvCheck(av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0), "no audio in the sound file");
    codec_.reset(avcodec_alloc_context3(decoder));
    if (!codec_) throw Exception("out of memory decoding a sound file");
    AvCheck(avcodec_parameters_to_context(codec_.get(), format->streams[stream_]->codecpar), "cannot decode the sound file");
    AvCheck(avcodec_open2(codec_.get(), decoder, nullptr), "cannot decode the sound file");
  }

  bool Full() const { return audio_.Frames() >= maxFrames_; }

  void Drain(AVFrame* frame) {
    while (!Full() && avcodec_receive_frame(codec_.get(), frame) >= 0) {
      if (!resampler_) StartResampler(frame);
      Convert(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
      av_frame_unref(frame);
    }
  }

  void StartResampler(const AVFrame* frame) {
    AVChannelLayout out = AV_CHANNEL_LAYOUT_STEREO;
    AVChannelLayout in{};
    if (frame->ch_layout.nb_channels > 0) av_channel_layout_copy(&in, &frame->ch_layout);
    else av_channel_layout_default(&in, std::max(1, codec_->ch_layout.nb_channels));
    SwrContext* swr = nullptr;
    const int made = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_FLT, kAudioRate, &in,
                                         static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    AvCheck(made, "cannot convert the sound file's audio");
    resampler_.reset(swr);
    AvCheck(swr_init(swr), "cannot convert the sound file's audio");
    inRate_ = frame->sample_rate;
  }

  void Convert(const uint8_t** in, int count) {
    if (!resampler_ || inRate_ <= 0) return;
    const int room = swr_get_out_samples(resampler_.get(), count);
    if (room <= 0) return;
    const size_t at = audio_.samples.size();
    audio_.samples.resize(at + static_cast<size_t>(room) * kAudioChannels);
    uint8_t* out = reinterpret_cast<uint8_t*>(audio_.samples.data() + at);
    const int made = swr_convert(resampler_.get(), &out, room, in, count);
    audio_.samples.resize(at + static_cast<size_t>(std::max(0, made)) * kAudioChannels);
  }

  TMemoryInput input_;
  int64_t maxFrames_;
  std::unique_ptr<AVIOContext, TIoFreer> io_;
  std::unique_ptr<AVFormatContext, TFormatCloser> format_;
  std::unique_ptr<AVCodecContext, TCodecFreer> codec_;
  std::unique_ptr<SwrContext, TSwrFreer> resampler_;
  int stream_ = -1;
  int inRate_ = 0;
  TAudio audio_;
};

}  // namespace

TAudio DecodeAudio(std::span<const uint8_t> file, int64_t maxMs) { return TDecoder(file, maxMs).Run(); }

}  // namespace scr::media
