#include "platform/sdl/sdl_media_player.h"

#include <SDL_mixer.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_files.h"
#include "platform/sound_fonts.h"

namespace scr::platform::sdl {

namespace {

// The thread event of a track that ended; its value is the play's serial.
constexpr int32_t kTrackEndedCode = 1;

// SDL_mixer's finished hook runs on the audio thread, also for tracks halted on
// purpose; halts set this first so only tracks that ran out are reported.
std::atomic<TSdlDesktop*> hookDesktop{nullptr};
std::atomic<uint64_t> playingSerial{0};

void MusicFinished() {
  const uint64_t serial = playingSerial.exchange(0);
  if (TSdlDesktop* d = hookDesktop.load(); d && serial != 0)
    d->PostFromThread(kTrackEndedCode, static_cast<intptr_t>(serial));
}

void ChooseSoundFont() {
  if (const char* chosen = std::getenv("SDL_SOUNDFONTS"); chosen && *chosen) return;
  for (const char* font : kSoundFontPaths)
    if (TSdlFiles().Exists(font)) {
      Mix_SetSoundFonts(font);
      return;
    }
}

// A track the device refused, and SDL's reason, for the person who wonders why.
void ReportFailure(const std::string& track, const char* reason) {
  std::fprintf(stderr, "cannot play %s: %s\n", PosixPath(track).c_str(), reason && *reason ? reason : "unknown error");
}

void HaltQuietly() {
  playingSerial.store(0);
  Mix_HaltMusic();
}

class TSdlMediaPlayer : public IMediaPlayer {
 public:
  explicit TSdlMediaPlayer(TSdlMedia& media) : media_(media), alive_(std::make_shared<bool>(true)) {}
  ~TSdlMediaPlayer() override {
    *alive_ = false;
    CloseDevice();
  }

  void SetFileName(const std::string& name) override { fileName_ = name; }
  const std::string& FileName() const override { return fileName_; }

  void Open() override {
    Consume();
    CloseDevice();
    std::string error;
    if (!media_.OpenAudio(error)) {
      ReportFailure(fileName_, error.c_str());
      throw EMediaPlayerError(kMediaCannotPlay);
    }
    if (!TSdlFiles().Exists(fileName_)) {
      ReportFailure(fileName_, "no such file");
      PostFailure();
      throw EMediaPlayerError(kMediaFileNotFound);
    }
    music_ = Mix_LoadMUS(LocatePath(fileName_).c_str());
    if (!music_) {
      ReportFailure(fileName_, Mix_GetError());
      PostFailure();
      throw EMediaPlayerError(kMediaCannotPlay);
    }
  }

  void Play() override {
    const bool notify = Consume() != TRequest::NoNotify;
    if (!IsOpen()) throw EMediaPlayerError(kMediaNotOpen);
    if (pendingNotice_) Post(TMPNotifyValue::Superseded);
    pendingNotice_ = false;
    HaltQuietly();
    const uint64_t serial = media_.NextSerial();
    playingSerial.store(serial);
    if (Mix_PlayMusic(music_, 0) != 0) {
      playingSerial.store(0);
      ReportFailure(fileName_, Mix_GetError());
      PostFailure();
      throw EMediaPlayerError(kMediaCannotPlay);
    }
    serial_ = serial;
    media_.SetCurrent(serial);
    pendingNotice_ = notify;
  }

  void Stop() override {
    const bool notify = Consume() == TRequest::Notify;
    if (!IsOpen()) return;
    StopTrack();
    if (notify) Post(TMPNotifyValue::Successful);
  }

  void Close() override {
    Consume();
    CloseDevice();
  }
  bool IsOpen() const override { return music_ != nullptr; }
  void SetNotify(bool notify) override { request_ = notify ? TRequest::Notify : TRequest::NoNotify; }
  void SetOnNotify(std::function<void(TMPNotifyValue)> onNotify) override { onNotify_ = std::move(onNotify); }

  // The track of this play ran to its end.
  void TrackEnded(uint64_t serial) {
    if (serial != serial_ || serial == 0) return;
    serial_ = 0;
    if (std::exchange(pendingNotice_, false)) Post(TMPNotifyValue::Successful);
  }

 private:
  enum class TRequest : uint8_t { None, Notify, NoNotify };
  TRequest Consume() {
    ++commands_;
    return std::exchange(request_, TRequest::None);
  }

  void StopTrack() {
    if (serial_ != 0 && media_.Current() == serial_) {
      HaltQuietly();
      media_.SetCurrent(0);
    }
    serial_ = 0;
    if (std::exchange(pendingNotice_, false)) Post(TMPNotifyValue::Aborted);
  }

  void CloseDevice() {
    if (!IsOpen()) return;
    StopTrack();
    Mix_FreeMusic(music_);
    music_ = nullptr;
  }

  // A track that failed: the failure notice comes from the loop unless another
  // command came first (a device without audio at all sends none: every track would
  // fail the same way).
  void PostFailure() {
    const uint64_t commands = ++commands_;
    std::shared_ptr<bool> alive = alive_;
    media_.Desktop().Post([this, alive, commands] {
      if (!*alive || commands != commands_ || !onNotify_) return;
      const std::function<void(TMPNotifyValue)> handler = onNotify_;
      handler(TMPNotifyValue::Failure);
    });
  }

  // Notices reach the owner from the loop, never from inside a command.
  void Post(TMPNotifyValue value) {
    std::shared_ptr<bool> alive = alive_;
    media_.Desktop().Post([this, alive, value] {
      if (*alive && onNotify_) {
        const std::function<void(TMPNotifyValue)> handler = onNotify_;
        handler(value);
      }
    });
  }

  TSdlMedia& media_;
  std::shared_ptr<bool> alive_;
  std::string fileName_;
  Mix_Music* music_ = nullptr;
  uint64_t serial_ = 0;
  bool pendingNotice_ = false;
  TRequest request_ = TRequest::None;
  uint64_t commands_ = 0;  // counts Open, Play, Stop and Close: a stale failure is dropped
  std::function<void(TMPNotifyValue)> onNotify_;
};

std::vector<TSdlMediaPlayer*>& Players() {
  static std::vector<TSdlMediaPlayer*> players;
  return players;
}

}  // namespace

TSdlMedia::TSdlMedia(TSdlDesktop& desktop) : desktop_(desktop) {
  desktop_.SetThreadEventHandler(kTrackEndedCode, [](intptr_t serial) {
    for (TSdlMediaPlayer* p : std::vector<TSdlMediaPlayer*>(Players())) p->TrackEnded(static_cast<uint64_t>(serial));
  });
}

TSdlMedia::~TSdlMedia() {
  if (!audioOpen_) return;
  hookDesktop.store(nullptr);
  Mix_HookMusicFinished(nullptr);
  HaltQuietly();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TSdlMedia::OpenAudio(std::string& error) {
  if (audioOpen_) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    error = SDL_GetError();
    return false;
  }
  Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_FLAC | MIX_INIT_MID);
  ChooseSoundFont();
  if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    error = Mix_GetError();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  hookDesktop.store(&desktop_);
  Mix_HookMusicFinished(MusicFinished);
  audioOpen_ = true;
  return true;
}

std::unique_ptr<IMediaPlayer> TSdlMedia::CreateMediaPlayer() {
  // Players announce themselves so the loop can hand them the end of their track.
  struct TTracked : TSdlMediaPlayer {
    explicit TTracked(TSdlMedia& m) : TSdlMediaPlayer(m) { Players().push_back(this); }
    ~TTracked() override { std::erase(Players(), this); }
  };
  return std::make_unique<TTracked>(*this);
}

}  // namespace scr::platform::sdl
