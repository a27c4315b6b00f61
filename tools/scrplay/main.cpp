// scrplay: plays a saver file on Linux through the sdl backend: full screen, in a
// window, as a screen saver daemon's hack (--root or $XSCREENSAVER_WINDOW), its
// preview picture, or its details (--info); --help and --version. Exit status 0 after a run, 1 for a file
// that cannot be played or a display that cannot be opened, 2 for wrong usage, 3 for
// a movie saver in hack mode.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/entry.h"
#include "common/errors.h"
#include "platform/file_profile.h"
#include "platform/sdl/sdl_platform.h"
#include "saver/saver_form.h"
#include "setup/mute_setting.h"
#include "common/random.h"
#include "tools/scrplay/music_lock.h"
#include "tools/scrplay/mute_override.h"
#include "tools/scrplay/play_args.h"
#include "tools/scrplay/saver_check.h"
#include "tools/scrplay/signal_watch.h"

namespace {

using namespace scr;

constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;
constexpr int kExitMovieInHackMode = 3;
// How long the loop has to end after a signal before the last resort.
constexpr int kSignalGraceMs = 3000;

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "scrplay: %s\n", message.c_str());
  return status;
}

platform::sdl::TSdlStage StageFor(const play::TPlayArgs& args) {
  platform::sdl::TSdlStage stage;
  if (args.hackWindow) {
    stage.kind = platform::sdl::TSdlStage::TKind::Foreign;
    stage.foreign = *args.hackWindow;
  } else if (args.window) {
    stage.kind = platform::sdl::TSdlStage::TKind::Window;
    stage.width = args.window->first;
    stage.height = args.window->second;
  }
  return stage;
}

// The preview: a window of the stage shown, then preview mode drawing into it until it
// is closed (a key, a click, the close button, or a signal).
void RunPreview(platform::TPlatform& p) {
  platform::TWindowSpec desc;
  desc.caption = "scrplay preview";
  desc.bounds = p.Windowing().ScreenRect();
  std::unique_ptr<platform::IWindow> window = p.Windowing().CreateTopWindow(desc, nullptr);
  window->Show();
  app::RunEntry(p, {"/p", std::to_string(window->Handle())});
}

int Play(const play::TPlayArgs& args) {
  const std::string saver = std::filesystem::absolute(args.saver).string();
  platform::sdl::TSdlFiles files;
  std::unique_ptr<TSSFileLocations> settings;
  try {
    settings = play::CheckSaver(files, saver);
  } catch (const std::exception& e) {
    return Fail(kExitBadInput, e.what());
  }

  if (args.mode == play::TPlayMode::Info) {
    platform::TFileProfile profile(files);
    const bool muted = args.mute || setup::ReadStoredMute(profile, saver, settings->lMute());
    std::fputs(play::InfoText(*settings, muted).c_str(), stdout);
    return 0;
  }
  if (args.hackWindow && settings->IsFlash() && args.mode == play::TPlayMode::Saver)
    return Fail(kExitMovieInHackMode,
                args.saver + ": a movie saver cannot play as a hack (it needs the movie player control)");

  // A signal that the loop cannot hear (a message box is open) still ends the player,
  // its private folder removed.
  std::mutex folderMutex;
  std::string folder;
  play::TSignalWatch signals([] { platform::sdl::TSdlDesktop::RequestQuit(); },
                             [&] {
                               std::lock_guard<std::mutex> lock(folderMutex);
                               std::error_code ignored;
                               if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
                               std::_Exit(0);
                             },
                             kSignalGraceMs);
  std::unique_ptr<platform::sdl::TSdlPlatform> sdl;
  try {
    sdl = platform::sdl::CreateSdlPlatform(platform::sdl::TSdlOptions{saver, StageFor(args)});
  } catch (const std::exception& e) {
    return Fail(kExitBadInput, e.what());
  }
  if (!sdl) return Fail(kExitBadInput, std::string("cannot open the display: ") + SDL_GetError());
  {
    std::lock_guard<std::mutex> lock(folderMutex);
    folder = sdl->PrivateFolder();
  }
  // A signal that came before the loop could hear it.
  if (signals.Signalled()) return 0;

  // Under the daemon, one copy runs per monitor: one of them plays the music; with a
  // different picture on each monitor every copy starts from a point of its own
  // (drawn from its window), with the same show they all follow one sequence.
  std::unique_ptr<play::TMusicLock> musicLock;
  if (args.hackWindow) {
    musicLock = std::make_unique<play::TMusicLock>(play::MusicLockPath(std::getenv("XDG_RUNTIME_DIR")));
    if (settings->MonitorMode() == kMonitorsDifferent)
      ProgramRandom().SetState(static_cast<uint32_t>(*args.hackWindow) * 2654435761u);
  }
  std::unique_ptr<platform::TPlatform> muted;
  if (args.mute || (musicLock && !musicLock->Held())) muted = std::make_unique<play::TMutedPlatform>(*sdl, saver);
  platform::TPlatform& p = muted ? *muted : static_cast<platform::TPlatform&>(*sdl);
  try {
    if (args.mode == play::TPlayMode::Preview) {
      RunPreview(p);
    } else {
      app::TEntryForms forms = app::DefaultForms();
      forms.saver = saver::CreateSaverForm;
      app::RunEntry(p, {"/s"}, forms);
    }
  } catch (const std::exception& e) {
    return Fail(kExitBadInput, e.what());
  }
  muted.reset();
  sdl.reset();
  musicLock.reset();
  signals.Finished();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  play::TPlayArgs args;
  try {
    args = play::ParsePlayArgs(std::vector<std::string>(argv + 1, argv + argc), std::getenv("XSCREENSAVER_WINDOW"));
  } catch (const play::EUsage& e) {
    std::fprintf(stderr, "scrplay: %s\n%s", e.what(), play::kUsage);
    return kExitUsage;
  }
  if (args.mode == play::TPlayMode::Help) {
    std::printf("%s%s", play::kUsage, play::kHelpDetails);
    return 0;
  }
  if (args.mode == play::TPlayMode::Version) {
    std::printf("scrplay %s\n", SCR_VERSION);
    return 0;
  }
  // Asked for as SDL's own hint, so every window's presenter sees it.
  if (args.software) SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_OVERRIDE);
  return Play(args);
}
