#include "platform/sdl/sdl_media_player.h"

#include <SDL_mixer.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/loop_media_player.h"
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

class TSdlMediaPlayer : public TLoopMediaPlayer {
 public:
  explicit TSdlMediaPlayer(TSdlMedia& media) : TLoopMediaPlayer(media.Desktop()), media_(media) {}
  ~TSdlMediaPlayer() override { CloseDevice(); }

  void Open() override {
    Consume();
    CloseDevice();
    std::string error;
    if (!media_.OpenAudio(error)) {
      // No failure notice: without audio at all every track would fail the same way.
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
    const bool notify = BeginPlay();
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
    AwaitNotice(notify);
  }

  bool IsOpen() const override { return music_ != nullptr; }

  // The track of this play ran to its end.
  void TrackEnded(uint64_t serial) {
    if (serial != serial_ || serial == 0) return;
    serial_ = 0;
    EndPlay(TMPNotifyValue::Successful);
  }

 private:
  void StopTrack() override {
    if (serial_ != 0 && media_.Current() == serial_) {
      HaltQuietly();
      media_.SetCurrent(0);
    }
    serial_ = 0;
    EndPlay(TMPNotifyValue::Aborted);
  }

  void CloseDevice() override {
    if (!IsOpen()) return;
    StopTrack();
    Mix_FreeMusic(music_);
    music_ = nullptr;
  }

  TSdlMedia& media_;
  Mix_Music* music_ = nullptr;
  uint64_t serial_ = 0;
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
