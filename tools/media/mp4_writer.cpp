#include "tools/media/mp4_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <vector>

#include "tools/media/audio_track.h"
#include "tools/media/ffmpeg_error.h"

namespace scr::media {

struct TMp4Writer::TState {
  std::string path;
  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  AVStream* videoStream = nullptr;
  AVStream* audioStream = nullptr;
  SwsContext* scaler = nullptr;
  AVFrame* picture = nullptr;
  AVFrame* sound = nullptr;
  AVPacket* packet = nullptr;
  int64_t videoPts = 0;
  int64_t audioPts = 0;
  std::vector<float> audioQueue;  // samples not yet making up a whole encoder frame
  bool headerWritten = false;
  bool finished = false;

  ~TState() {
    sws_freeContext(scaler);
    av_frame_free(&picture);
    av_frame_free(&sound);
    av_packet_free(&packet);
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    if (format) {
      if (format->pb) avio_closep(&format->pb);
      avformat_free_context(format);
    }
  }

  void Drain(AVCodecContext* codec, AVStream* stream) {
    for (;;) {
      const int got = avcodec_receive_packet(codec, packet);
      if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
      AvCheck(got, "cannot encode " + path);
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      AvCheck(av_interleaved_write_frame(format, packet), "cannot write " + path);
    }
  }

  void Encode(AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
    AvCheck(avcodec_send_frame(codec, frame), "cannot encode " + path);
    Drain(codec, stream);
  }

  void AddVideoStream(int width, int height, int fps) {
    const AVCodec* h264 = avcodec_find_encoder_by_name("libx264");
    if (!h264) h264 = avcodec_find_encoder(AV_CODEC_ID_H264);
    if (!h264) throw Exception("this FFmpeg has no H.264 encoder");
    videoStream = avformat_new_stream(format, nullptr);
    video = avcodec_alloc_context3(h264);
    if (!videoStream || !video) throw Exception("out of memory for " + path);
    video->width = width;
    video->height = height;
    video->time_base = AVRational{1, fps};
    video->framerate = AVRational{fps, 1};
    video->pix_fmt = AV_PIX_FMT_YUV420P;
    video->gop_size = 2 * fps;  // a key frame every two seconds, for seeking
    video->colorspace = AVCOL_SPC_SMPTE170M;
    video->color_range = AVCOL_RANGE_MPEG;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(video->priv_data, "preset", "superfast", 0);
    av_opt_set(video->priv_data, "crf", "20", 0);
    AvCheck(avcodec_open2(video, h264, nullptr), "cannot start the H.264 encoder");
    AvCheck(avcodec_parameters_from_context(videoStream->codecpar, video), "cannot start the H.264 encoder");
    videoStream->time_base = video->time_base;
    videoStream->avg_frame_rate = video->framerate;

    scaler = sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr,
                            nullptr, nullptr);
    picture = av_frame_alloc();
    if (!scaler || !picture) throw Exception("out of memory for " + path);
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = width;
    picture->height = height;
    AvCheck(av_frame_get_buffer(picture, 0), "out of memory for " + path);
  }

  void AddAudioStream() {
    const AVCodec* aac = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!aac) throw Exception("this FFmpeg has no AAC encoder");
    audioStream = avformat_new_stream(format, nullptr);
    audio = avcodec_alloc_context3(aac);
    if (!audioStream || !audio) throw Exception("out of memory for " + path);
    audio->sample_rate = kAudioRate;
    audio->ch_layout = AV_CHANNEL_LAYOUT_STEREO;
    audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
    audio->bit_rate = 160000;
    audio->time_base = AVRational{1, kAudioRate};
    if (format->oformat->flags & AVFMT_GLOBALHEADER) audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AvCheck(avcodec_open2(audio, aac, nullptr), "cannot start the AAC encoder");
    AvCheck(avcodec_parameters_from_context(audioStream->codecpar, audio), "cannot start the AAC encoder");
    audioStream->time_base = audio->time_base;
    sound = av_frame_alloc();
    if (!sound) throw Exception("out of memory for " + path);
    sound->format = AV_SAMPLE_FMT_FLTP;
    sound->nb_samples = audio->frame_size > 0 ? audio->frame_size : 1024;
    sound->sample_rate = kAudioRate;
    AvCheck(av_channel_layout_copy(&sound->ch_layout, &audio->ch_layout), "out of memory for " + path);
    AvCheck(av_frame_get_buffer(sound, 0), "out of memory for " + path);
  }

  // Encodes whole encoder frames from the queue; at the end also the rest, padded
  // with silence.
  void EncodeQueuedAudio(bool last) {
    const size_t perFrame = static_cast<size_t>(sound->nb_samples) * kAudioChannels;
    size_t used = 0;
    while (audioQueue.size() - used >= perFrame || (last && used < audioQueue.size())) {
      AvCheck(av_frame_make_writable(sound), "out of memory for " + path);
      auto* left = reinterpret_cast<float*>(sound->data[0]);
      auto* right = reinterpret_cast<float*>(sound->data[1]);
      const size_t have = std::min(perFrame, audioQueue.size() - used) / kAudioChannels;
      for (size_t i = 0; i < static_cast<size_t>(sound->nb_samples); ++i) {
        left[i] = i < have ? audioQueue[used + 2 * i] : 0.0f;
        right[i] = i < have ? audioQueue[used + 2 * i + 1] : 0.0f;
      }
      sound->pts = audioPts;
      audioPts += sound->nb_samples;
      Encode(audio, audioStream, sound);
      used += have * kAudioChannels;
    }
    audioQueue.erase(audioQueue.begin(), audioQueue.begin() + static_cast<std::ptrdiff_t>(used));
  }
};

TMp4Writer::TMp4Writer(const std::string& path, int width, int height, int fps, bool withAudio)
    : s_(std::make_unique<TState>()) {
  if (width < 2 || height < 2 || width % 2 || height % 2)
    throw Exception("an MP4 frame needs an even width and height of at least 2");
  if (fps < 1) throw Exception("an MP4 needs a frame rate of at least 1");
  s_->path = path;
  av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics are no news to the user
  AvCheck(avformat_alloc_output_context2(&s_->format, nullptr, "mp4", path.c_str()), "cannot start " + path);
  s_->packet = av_packet_alloc();
  if (!s_->packet) throw Exception("out of memory for " + path);
  s_->AddVideoStream(width, height, fps);
  if (withAudio) s_->AddAudioStream();
  AvCheck(avio_open(&s_->format->pb, path.c_str(), AVIO_FLAG_WRITE), "cannot create " + path);
  AVDictionary* options = nullptr;
  av_dict_set(&options, "movflags", "+faststart", 0);  // the index first, so a browser can start at once
  const int written = avformat_write_header(s_->format, &options);
  av_dict_free(&options);
  AvCheck(written, "cannot write " + path);
  s_->headerWritten = true;
}

TMp4Writer::~TMp4Writer() = default;

void TMp4Writer::AddFrame(const TBitmap24& frame) {
  TState& s = *s_;
  if (frame.Width() != s.video->width || frame.Height() != s.video->height)
    throw Exception("a frame differs in size from the MP4");
  AvCheck(av_frame_make_writable(s.picture), "out of memory for " + s.path);
  const uint8_t* source[1] = {frame.Data()};
  const int stride[1] = {static_cast<int>(frame.Stride())};
  sws_scale(s.scaler, source, stride, 0, frame.Height(), s.picture->data, s.picture->linesize);
  s.picture->pts = s.videoPts++;
  s.Encode(s.video, s.videoStream, s.picture);
}

void TMp4Writer::RepeatFrame() {
  TState& s = *s_;
  if (s.videoPts == 0) throw Exception("an MP4 cannot repeat a frame before the first");
  // The converted picture is still there: the encoder copies what it is given.
  AvCheck(av_frame_make_writable(s.picture), "out of memory for " + s.path);
  s.picture->pts = s.videoPts++;
  s.Encode(s.video, s.videoStream, s.picture);
}

void TMp4Writer::AddAudio(std::span<const float> samples) {
  if (!s_->audio) return;
  s_->audioQueue.insert(s_->audioQueue.end(), samples.begin(), samples.end());
  s_->EncodeQueuedAudio(false);
}

void TMp4Writer::Finish() {
  TState& s = *s_;
  if (s.finished) return;
  s.finished = true;
  s.Encode(s.video, s.videoStream, nullptr);
  if (s.audio) {
    s.EncodeQueuedAudio(true);
    s.Encode(s.audio, s.audioStream, nullptr);
  }
  AvCheck(av_write_trailer(s.format), "cannot write " + s.path);
  AvCheck(avio_closep(&s.format->pb), "cannot write " + s.path);
}

}  // namespace scr::media
