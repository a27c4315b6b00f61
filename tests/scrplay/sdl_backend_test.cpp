// The sdl backend's own parts: SDL's events in the windows' terms, the private
// temporary folder, POSIX files, the file and profile rules it shares with the
// headless backend, the one waiting event loop (on SDL's dummy video driver), the
// media player's failures and notices (dummy audio), and --mute's profile.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_pixel_rows.h"
#include "platform/sdl/sdl_present.h"
#include "platform/sdl/sdl_present_path.h"
#include "platform/sdl/sdl_platform.h"
#include "tests/music/sound_bytes.h"
#include "tools/scrplay/mute_override.h"

namespace scr::platform::sdl {
namespace {

namespace fs = std::filesystem;

// A folder of its own under the build tree's test output, emptied first.
fs::path TestFolder(const std::string& name) {
  const fs::path dir = fs::path(SCR_TEST_OUTPUT_DIR) / "scrplay" / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

SDL_Event KeyEvent(SDL_Keycode key, uint16_t mod, uint32_t window = 7) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = window;
  e.key.keysym.sym = key;
  e.key.keysym.mod = mod;
  return e;
}

TEST(SdlEvents, KeysBecomeVirtualKeysWithTheirShiftState) {
  TSdlInput in = TranslateEvent(KeyEvent(SDLK_q, KMOD_LSHIFT | KMOD_RCTRL));
  EXPECT_EQ(in.kind, TSdlInput::TKind::Key);
  EXPECT_EQ(in.window, 7u);
  EXPECT_EQ(in.key, 'Q');
  EXPECT_EQ(in.shift, kShiftKey | kCtrlKey);
  EXPECT_EQ(TranslateEvent(KeyEvent(SDLK_7, KMOD_LALT)).shift, kAltKey);
  EXPECT_EQ(VirtualKey(SDLK_7), '7');
  EXPECT_EQ(VirtualKey(SDLK_ESCAPE), 0x1B);
  EXPECT_EQ(VirtualKey(SDLK_F5), 0x74);
  EXPECT_EQ(VirtualKey(SDLK_LEFT), 0x25);
  EXPECT_EQ(VirtualKey(SDLK_RSHIFT), 0x10);
  // A key without a code still goes down: the exit rule takes any key.
  in = TranslateEvent(KeyEvent(SDLK_VOLUMEUP, 0));
  EXPECT_EQ(in.kind, TSdlInput::TKind::Key);
  EXPECT_EQ(in.key, 0);
}

TEST(SdlEvents, PointerEventsInClientCoordinates) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = 3;
  e.motion.x = 640;
  e.motion.y = -2;
  e.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_MMASK;
  TSdlInput in = TranslateEvent(e);
  EXPECT_EQ(in.kind, TSdlInput::TKind::Move);
  EXPECT_EQ(in.window, 3u);
  EXPECT_EQ(in.x, 640);
  EXPECT_EQ(in.y, -2);
  EXPECT_EQ(in.shift, kLeftButton | kMiddleButton);

  e = SDL_Event{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = 3;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.x = 10;
  e.button.y = 20;
  in = TranslateEvent(e);
  EXPECT_EQ(in.kind, TSdlInput::TKind::Button);
  EXPECT_EQ(in.button, TButton::Right);
  EXPECT_EQ(in.shift, kRightButton);
  EXPECT_EQ(in.x, 10);
  EXPECT_EQ(in.y, 20);
  // The side buttons and the wheel are no button of the program's.
  e.button.button = SDL_BUTTON_X1;
  EXPECT_EQ(TranslateEvent(e).kind, TSdlInput::TKind::None);
  e.type = SDL_MOUSEBUTTONUP;
  e.button.button = SDL_BUTTON_LEFT;
  EXPECT_EQ(TranslateEvent(e).kind, TSdlInput::TKind::None);
}

TEST(SdlEvents, WindowEventsAndQuit) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = 5;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  EXPECT_EQ(TranslateEvent(e).kind, TSdlInput::TKind::Close);
  e.window.event = SDL_WINDOWEVENT_EXPOSED;
  EXPECT_EQ(TranslateEvent(e).kind, TSdlInput::TKind::Exposed);
  e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
  e.window.data1 = 800;
  e.window.data2 = 600;
  const TSdlInput resized = TranslateEvent(e);
  EXPECT_EQ(resized.kind, TSdlInput::TKind::Resized);
  EXPECT_EQ(resized.x, 800);
  EXPECT_EQ(resized.y, 600);
  e.window.event = SDL_WINDOWEVENT_MOVED;
  EXPECT_EQ(TranslateEvent(e).kind, TSdlInput::TKind::None);
  e.type = SDL_QUIT;
  EXPECT_EQ(TranslateEvent(e).kind, TSdlInput::TKind::Quit);
}

// Sets an environment variable for one test.
class TScopedEnv {
 public:
  TScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~TScopedEnv() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SdlPrivateFolder, PrivateFreshAndRemovedWithEverythingInIt) {
  const fs::path parent = TestFolder("private");
  const fs::path outside = parent / "outside.txt";
  WriteFile(outside, {1, 2, 3});
  TScopedEnv tmp("TMPDIR", parent.string());
  std::string path;
  {
    TPrivateFolder a, b;
    path = a.Path();
    EXPECT_NE(a.Path(), b.Path());
    EXPECT_EQ(fs::path(a.Path()).parent_path(), parent);
    struct stat st {};
    ASSERT_EQ(::stat(a.Path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    WriteFile(fs::path(a.Path()) / "tune.wav", {9});
    fs::create_directory(fs::path(a.Path()) / "inner");
    fs::create_symlink(outside, fs::path(a.Path()) / "link");
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(fs::exists(outside)) << "a link inside is removed, never followed";
}

TEST(SdlPrivateFolder, AParentThatIsNotThereIsAnError) {
  TScopedEnv tmp("TMPDIR", (TestFolder("noparent") / "missing").string());
  EXPECT_THROW(TPrivateFolder(), Exception);
}

// Names are found whatever their letter case, as on Windows; a name that exists as
// written wins, and several that differ only in case give the first in byte order.
TEST(SdlFiles, NamesAreFoundWhateverTheirCase) {
  const fs::path dir = TestFolder("case");
  WriteFile(dir / "control.ini", {'[', 'S', 'e', 't', 'u', 'p', ']', '\n', 'm', 'u', 't', 'e', '=', '1', '\n'});
  TSdlFiles files;
  EXPECT_EQ(LocatePath(dir.string() + "\\CONTROL.INI"), (dir / "control.ini").string());
  EXPECT_TRUE(files.Exists((dir / "Control.Ini").string()));
  TFileProfile profile(files);
  EXPECT_EQ(profile.ReadString((dir / "CONTROL.INI").string(), "Setup", "mute", "0"), "1");
  // Writing under another case replaces the one file there is.
  ASSERT_TRUE(profile.WriteString((dir / "CONTROL.INI").string(), "Setup", "mute", "0"));
  EXPECT_EQ(profile.ReadString((dir / "control.ini").string(), "Setup", "mute", "1"), "0");
  EXPECT_FALSE(fs::exists(dir / "CONTROL.INI"));

  WriteFile(dir / "TUNE.wav", {1});
  WriteFile(dir / "tune.WAV", {2});
  EXPECT_EQ(LocatePath((dir / "Tune.Wav").string()), (dir / "TUNE.wav").string());
  EXPECT_EQ(LocatePath((dir / "tune.WAV").string()), (dir / "tune.WAV").string());
  EXPECT_EQ(LocatePath((dir / "none.wav").string()), (dir / "none.wav").string());
  EXPECT_FALSE(files.Exists((dir / "none.wav").string()));
}

TEST(SdlFiles, PosixFilesWithTheSystemsTexts) {
  const fs::path dir = TestFolder("files");
  TSdlFiles files;
  const std::string missing = (dir / "missing.scr").string();
  try {
    files.OpenRead(missing);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
  }
  // Folders and pipes are no files: refused at once, never waited on.
  EXPECT_THROW(files.OpenRead(dir.string()), EFOpenError);
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_THROW(files.OpenRead((dir / "pipe").string()), EFOpenError);
  EXPECT_FALSE(files.Exists(dir.string()));
  EXPECT_THROW(files.Create((dir / "no" / "such.wav").string()), EFCreateError);

  // The flows' "\" separates folders here.
  const std::string joined = dir.string() + "\\tune.wav";
  files.Create(joined)->Write(std::vector<uint8_t>{1, 2, 3, 4});
  EXPECT_TRUE(fs::exists(dir / "tune.wav"));
  struct stat st {};
  ASSERT_EQ(::stat((dir / "tune.wav").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  std::unique_ptr<TStream> in = files.OpenRead(joined);
  EXPECT_EQ(in->Size(), 4);
  in->Seek(2);
  std::vector<uint8_t> rest(8);
  EXPECT_EQ(in->Read(rest), 2u);
  EXPECT_EQ(rest[0], 3);
  EXPECT_TRUE(files.Delete(joined));
  EXPECT_FALSE(files.Delete(joined));
}

// The rules every backend's files and profile keep alike, run once per backend.
struct TBackendFiles {
  virtual ~TBackendFiles() = default;
  virtual IFileSystem& Files() = 0;
  virtual IProfile& Profile() = 0;
  virtual std::string Folder() = 0;  // an existing, writable folder
};

struct THeadlessFiles : TBackendFiles {
  headless::THeadlessPlatform p;
  IFileSystem& Files() override { return p.Files(); }
  IProfile& Profile() override { return p.Profile(); }
  std::string Folder() override { return "C:\\SAVERS"; }
};

struct TSdlBackendFiles : TBackendFiles {
  TSdlFiles files;
  TFileProfile profile{files};
  std::string folder = TestFolder("contract").string();
  IFileSystem& Files() override { return files; }
  IProfile& Profile() override { return profile; }
  std::string Folder() override { return folder; }
};

class BackendFilesContract : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (GetParam() == "headless") b_ = std::make_unique<THeadlessFiles>();
    else b_ = std::make_unique<TSdlBackendFiles>();
  }
  std::string In(const std::string& name) { return b_->Folder() + "\\" + name; }
  std::unique_ptr<TBackendFiles> b_;
};

TEST_P(BackendFilesContract, FilesExistOnceCreatedAndGoWhenDeleted) {
  const std::string f = In("a.bin");
  EXPECT_FALSE(b_->Files().Exists(f));
  b_->Files().Create(f)->Write(std::vector<uint8_t>{7, 8});
  EXPECT_TRUE(b_->Files().Exists(f));
  EXPECT_FALSE(b_->Files().Exists(b_->Folder())) << "a folder is no file";
  EXPECT_EQ(b_->Files().OpenRead(f)->Size(), 2);
  EXPECT_TRUE(b_->Files().Delete(f));
  EXPECT_FALSE(b_->Files().Exists(f));
  EXPECT_THROW(b_->Files().OpenRead(f), EFOpenError);
}

TEST_P(BackendFilesContract, ProfileReadsDefaultsCreatesOnWriteAndIgnoresCase) {
  IProfile& profile = b_->Profile();
  const std::string ini = In("CONTROL.INI");
  EXPECT_EQ(profile.ReadString(ini, "Setup", "mute", "d"), "d");
  EXPECT_FALSE(profile.FileExists(ini));
  ASSERT_TRUE(profile.WriteString(ini, "Setup", "mute", "1"));
  EXPECT_TRUE(profile.FileExists(ini));
  EXPECT_EQ(profile.ReadString(ini, "SETUP", "Mute", "d"), "1");
  ASSERT_TRUE(profile.WriteString(ini, "setup", "MUTE", "0"));
  EXPECT_EQ(profile.ReadString(ini, "Setup", "mute", "d"), "0");
  EXPECT_FALSE(profile.WriteString(In("nofolder") + "\\CONTROL.INI", "Setup", "mute", "1"));
  // A folder in the file's place can be neither read nor replaced.
  EXPECT_FALSE(profile.WriteString(b_->Folder(), "Setup", "mute", "1"));
}

INSTANTIATE_TEST_SUITE_P(Backends, BackendFilesContract, ::testing::Values("headless", "sdl"));

TEST(SdlMutedProfile, OnlyTheSaversMuteKeyReadsAsMuted) {
  const fs::path dir = TestFolder("muted");
  TSdlFiles files;
  TFileProfile real(files);
  const std::string saver = (dir / "x.scr").string();
  const std::string ini = (dir / "CONTROL.INI").string();
  ASSERT_TRUE(real.WriteString(ini, "Setup", "mute", "0"));
  ASSERT_TRUE(real.WriteString(ini, "Setup", "other", "5"));
  play::TMutedProfile muted(real, ini);
  // The flows join the saver's folder and the name with a backslash.
  EXPECT_EQ(muted.ReadString(dir.string() + "/\\CONTROL.INI", "SETUP", "Mute", ""), "1");
  EXPECT_EQ(muted.ReadString(ini, "Setup", "other", ""), "5");
  EXPECT_EQ(muted.ReadString((dir / "OTHER.INI").string(), "Setup", "mute", "d"), "d");
}

// The platform on SDL's dummy video and audio drivers, with its private folder under
// the test's own folder.
class SdlLoop : public ::testing::Test, protected IScreenWindowEvents {
 protected:
  SdlLoop()
      : tmp_("TMPDIR", TestFolder("loop").string()), video_("SDL_VIDEODRIVER", "dummy"),
        audio_("SDL_AUDIODRIVER", "dummy") {
    TSdlOptions options;
    options.stage.kind = TSdlStage::TKind::Window;
    options.stage.width = 320;
    options.stage.height = 200;
    p_ = CreateSdlPlatform(options);
  }

  void Activated() override { ++activated_; }
  bool CloseQuery() override { return allowClose_; }
  void Closing() override { ++closing_; }
  void Destroyed() override { ++destroyed_; }
  void KeyDown(uint16_t key, TShiftBits) override { keys_.push_back(key); }
  bool UserMessage(uint32_t message, uintptr_t, intptr_t) override {
    messages_.push_back(message);
    return true;
  }

  std::unique_ptr<IScreenWindow> Window() {
    TWindowSpec desc;
    desc.bounds = TRect{0, 0, 320, 200};
    return p_->Screen().CreateScreenWindow(desc, this);
  }

  // Turns of the loop until done says so or a generous deadline passes.
  template <class F>
  bool PumpUntil(F done) {
    const uint64_t deadline = SDL_GetTicks64() + 5000;
    while (!done() && SDL_GetTicks64() < deadline) {
      p_->Application().ProcessMessages();
      p_->Application().WaitForMessages(50);
    }
    return done();
  }

  // A few turns of the loop, for what must not happen.
  void Settle() {
    const uint64_t end = SDL_GetTicks64() + 300;
    while (SDL_GetTicks64() < end) {
      p_->Application().ProcessMessages();
      p_->Application().WaitForMessages(20);
    }
  }

  TScopedEnv tmp_, video_, audio_;
  std::unique_ptr<TSdlPlatform> p_;
  int activated_ = 0, closing_ = 0, destroyed_ = 0;
  bool allowClose_ = true;
  std::vector<uint16_t> keys_;
  std::vector<uint32_t> messages_;
};

// Every width's tail after the four-pixel steps, and a part away from the origin.
TEST(SdlPixelRows, WidenedPixelsKeepTheirBytesAndAreOpaque) {
  // Wide enough for the sixteen-pixel steps and every tail after them.
  TBitmap24 b(60, 3);
  for (int y = 0; y < 3; ++y)
    for (int k = 0; k < 180; ++k) b.Row(y)[k] = static_cast<uint8_t>(y * 64 + k * 7 + 1);
  for (int width = 1; width <= 58; ++width) {
    const TRect part{2, 1, 2 + width, 3};
    std::vector<uint8_t> out(4 * 60 * 2 + 4, 0xEE);
    WidenRect(b, part, out.data(), 240);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 59; ++x) {
        const uint8_t* px = out.data() + 240 * y + 4 * x;
        if (x >= width) {
          EXPECT_EQ(px[0], 0xEE) << "written past the part, width " << width;
          continue;
        }
        const uint8_t* src = b.Row(1 + y) + 3 * (2 + x);
        EXPECT_EQ((std::vector<uint8_t>{px[0], px[1], px[2], px[3]}),
                  (std::vector<uint8_t>{src[0], src[1], src[2], 0xFF}))
            << "width " << width << " x " << x << " y " << y;
      }
  }
}

// The window's surface wherever the renderer would draw on the processor; a driver
// named in SDL's hint is kept unless it is the software one.
TEST(SdlPresentPath, TheSurfaceWhereTheRendererWouldDrawOnTheProcessor) {
  EXPECT_TRUE(SurfaceAsked(true, ""));
  EXPECT_TRUE(SurfaceAsked(false, "Software"));
  EXPECT_FALSE(SurfaceAsked(false, ""));
  EXPECT_FALSE(SurfaceAsked(false, "opengl"));

  for (const char* rasteriser : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer",
                                 "zink (llvmpipe (LLVM 15.0.6, 256 bits))"}) {
    EXPECT_TRUE(IsSoftwareRasteriser(rasteriser)) << rasteriser;
    EXPECT_TRUE(SurfaceBetter({"", "opengl", false, rasteriser})) << rasteriser;
    EXPECT_TRUE(SurfaceBetter({"", "opengles2", false, rasteriser})) << rasteriser;
    EXPECT_FALSE(SurfaceBetter({"opengl", "opengl", false, rasteriser})) << "asked for: " << rasteriser;
  }
  for (const char* gpu : {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0)", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
                          "NVIDIA GeForce GTX 1650/PCIe/SSE2", "virgl", ""}) {
    EXPECT_FALSE(IsSoftwareRasteriser(gpu)) << gpu;
    EXPECT_FALSE(SurfaceBetter({"", "opengl", false, gpu})) << gpu;
  }
  // SDL's software renderer, chosen by SDL or fallen back to from the driver asked for.
  EXPECT_TRUE(SurfaceBetter({"", "software", true, ""}));
  EXPECT_TRUE(SurfaceBetter({"opengl", "software", true, ""}));
}

// The pixel of the window's surface at x, y as 0x00RRGGBB.
uint32_t SurfacePixel(SDL_Window* window, int x, int y) {
  SDL_Surface* s = SDL_GetWindowSurface(window);
  uint32_t v = 0;
  std::memcpy(&v, static_cast<uint8_t*>(s->pixels) + y * s->pitch + 4 * x, 4);
  uint8_t r = 0, g = 0, b = 0;
  SDL_GetRGB(v, s->format, &r, &g, &b);
  return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

TEST_F(SdlLoop, ThePresenterCopiesOnlyTheChangedPartAndScalesOtherSizes) {
  ASSERT_TRUE(p_);
  SDL_Window* window = SDL_CreateWindow("t", 0, 0, 64, 48, SDL_WINDOW_HIDDEN);
  ASSERT_TRUE(window);
  {
    TSdlPresenter presenter(window, true);
    EXPECT_TRUE(presenter.OnSurface());
    TBitmap24 frame(64, 48);
    frame.Fill(0x00112233);  // 0x00BBGGRR
    presenter.Present(frame, TRect{0, 0, 1, 1});  // the first frame goes whole
    EXPECT_EQ(SurfacePixel(window, 63, 47), 0x332211u);
    frame.Fill(0x00445566);
    presenter.Present(frame, TRect{10, 10, 20, 20});
    EXPECT_EQ(SurfacePixel(window, 10, 10), 0x665544u);
    EXPECT_EQ(SurfacePixel(window, 19, 19), 0x665544u);
    EXPECT_EQ(SurfacePixel(window, 20, 20), 0x332211u) << "outside the changed part";
    EXPECT_TRUE(presenter.Refresh());
    // A frame of half the size fills the window.
    TBitmap24 half(32, 24);
    half.Fill(0x00FF0000);
    presenter.Present(half, half.Bounds());
    EXPECT_EQ(SurfacePixel(window, 0, 0), 0x0000FFu);
    EXPECT_EQ(SurfacePixel(window, 63, 47), 0x0000FFu);
  }
  SDL_DestroyWindow(window);
}

TEST_F(SdlLoop, TimersAndTheIdleHandlerShareOneLoopThatWaits) {
  ASSERT_TRUE(p_);
  auto window = Window();
  int ticks = 0, idles = 0;
  std::unique_ptr<ITimer> timer = p_->Screen().CreateTimer();
  timer->SetInterval(20);
  timer->SetOnTimer([&] {
    if (++ticks == 5) p_->Application().Terminate();
  });
  timer->SetEnabled(true);
  p_->Screen().SetIdleHandler([&] { ++idles; });
  window->Show();
  p_->Application().Run(*window);
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(activated_, 1) << "showing activates the window, from the loop";
  // A loop that spun instead of waiting would have turned thousands of times.
  EXPECT_LT(idles, 100);
}

TEST_F(SdlLoop, MessagesInputAndCloseComeFromTheLoop) {
  ASSERT_TRUE(p_);
  auto window = Window();
  window->Show();
  ASSERT_TRUE(p_->Windowing().PostMessageTo(window->Handle(), 0x401, 0, 0));
  EXPECT_TRUE(messages_.empty()) << "posted, not sent";
  SDL_Event key = KeyEvent(SDLK_a, 0, static_cast<uint32_t>(window->Handle()));
  SDL_PushEvent(&key);
  EXPECT_TRUE(PumpUntil([&] { return !messages_.empty() && !keys_.empty(); }));
  EXPECT_EQ(messages_, std::vector<uint32_t>{0x401});
  EXPECT_EQ(keys_, std::vector<uint16_t>{'A'});

  allowClose_ = false;
  window->Close();
  Settle();
  EXPECT_TRUE(window->Exists()) << "the close query said no";
  // The window manager's close button: the same query, then the window goes.
  allowClose_ = true;
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = static_cast<uint32_t>(window->Handle());
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&close);
  EXPECT_TRUE(PumpUntil([&] { return !window->Exists(); }));
  EXPECT_EQ(closing_, 1);
  EXPECT_EQ(destroyed_, 1);
  EXPECT_FALSE(p_->Windowing().PostMessageTo(window->Handle(), 0x401, 0, 0));
}

TEST_F(SdlLoop, WhatLinuxLacksAnswersAsAbsentAndThePrivateFolderGoesWithThePlatform) {
  ASSERT_TRUE(p_);
  EXPECT_FALSE(p_->Screen().OpenCurrentUserKey("Control Panel\\Desktop"));
  EXPECT_TRUE(p_->Screen().SetScreenSaverRunning(true));
  EXPECT_FALSE(p_->System().OpenLibrary("PASSWORD.CPL"));
  EXPECT_THROW(p_->Movies().CreateMovieControl(0, TRect{0, 0, 10, 10}), Exception);
  auto module = p_->Hooks().LoadHookModule(p_->Hooks().SystemDirectory() + "\\nuvscrhook");
  ASSERT_TRUE(module);
  EXPECT_EQ(module->InstallHook(p_->Hooks().CreateHookWindow({}), 1960), 0);
  const std::string folder = p_->PrivateFolder();
  EXPECT_EQ(p_->System().TempPath(), folder + "\\");
  EXPECT_TRUE(fs::is_directory(folder));
  p_.reset();
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(SdlLoop, TheMediaPlayerFailsAsTheDeviceDoesAndNotifiesFromTheLoop) {
  ASSERT_TRUE(p_);
  const fs::path dir = TestFolder("media");
  std::unique_ptr<IMediaPlayer> player = p_->Media().CreateMediaPlayer();
  std::vector<TMPNotifyValue> notices;
  player->SetOnNotify([&](TMPNotifyValue v) { notices.push_back(v); });
  const auto failsWith = [&](const char* text) {
    try {
      player->Open();
    } catch (const EMediaPlayerError& e) {
      return e.Message() == text;
    }
    return false;
  };
  player->SetFileName((dir / "missing.wav").string());
  EXPECT_TRUE(failsWith(kMediaFileNotFound));
  WriteFile(dir / "junk.wav", std::vector<uint8_t>(64, 'j'));
  player->SetFileName((dir / "junk.wav").string());
  EXPECT_TRUE(failsWith(kMediaCannotPlay));
  EXPECT_THROW(player->Play(), EMediaPlayerError);
  // Left alone after a refused track, the loop brings a failure notice: the playlist
  // then goes on with its next track.
  EXPECT_TRUE(failsWith(kMediaCannotPlay));
  EXPECT_TRUE(notices.empty()) << "never from inside a command";
  EXPECT_TRUE(PumpUntil([&] { return !notices.empty(); }));
  EXPECT_EQ(notices, std::vector<TMPNotifyValue>{TMPNotifyValue::Failure});
  notices.clear();

  WriteFile(dir / "tone.wav", test::WaveTone(150, 440));
  player->SetFileName((dir / "tone.wav").string());
  player->Open();
  player->SetNotify(true);
  player->Play();
  EXPECT_TRUE(notices.empty()) << "never from inside a command";
  EXPECT_TRUE(PumpUntil([&] { return !notices.empty(); }));
  EXPECT_EQ(notices, std::vector<TMPNotifyValue>{TMPNotifyValue::Successful});

  // A stop ends a play that asked for a notice: aborted.
  notices.clear();
  player->SetNotify(true);
  player->Play();
  player->Stop();
  EXPECT_TRUE(PumpUntil([&] { return !notices.empty(); }));
  Settle();
  EXPECT_EQ(notices, std::vector<TMPNotifyValue>{TMPNotifyValue::Aborted}) << "and the halted track says no more";
  player->Close();
  EXPECT_FALSE(player->IsOpen());
}

}  // namespace
}  // namespace scr::platform::sdl
