// The factory and the headless fakes that the flows' tests rely on: backends by name,
// the file system's sharing and path rules, byte copies, and the message loop's
// virtual time.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/errors.h"
#include "platform/headless/headless_platform.h"

namespace scr::platform {
namespace {

using headless::THeadlessPlatform;

TEST(PlatformFactory, MakesBackendsByNameAndNeverHeadlessByDefault) {
  auto p = CreatePlatform("headless");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->BackendName(), "headless");
  EXPECT_FALSE(CreatePlatform("nonesuch"));
  EXPECT_FALSE(CreatePlatform("win32"));  // not built into a native program
  EXPECT_EQ(BackendNames(), (std::vector<std::string>{"sdl", "headless"}));
}

TEST(PlatformFactory, TheSdlBackendDeclinesWithoutADisplay) {
  // SDL's X11 driver without an X display cannot start: the default is then nothing
  // (never headless).
  const char* display = std::getenv("DISPLAY");
  const std::string saved = display ? display : "";
  ::unsetenv("DISPLAY");
  ::setenv("SDL_VIDEODRIVER", "x11", 1);
  EXPECT_FALSE(CreatePlatform("sdl"));
  EXPECT_FALSE(CreateDefaultPlatform());
  ::unsetenv("SDL_VIDEODRIVER");
  if (display) ::setenv("DISPLAY", saved.c_str(), 1);
}

TEST(MemoryFiles, SharingFollowsTheOpenModes) {
  THeadlessPlatform p;
  p.Files().SetFile("C:\\SAVERS\\TEST.SCR", {1, 2, 3});
  {
    auto reader = p.Files().OpenRead("c:\\savers\\test.scr");
    auto second = p.Files().OpenRead("C:\\SAVERS\\TEST.SCR");  // readers share
    EXPECT_THROW(p.Files().Create("C:\\SAVERS\\TEST.SCR"), EFCreateError);
    EXPECT_FALSE(p.Files().Delete("C:\\SAVERS\\TEST.SCR"));
  }
  auto writer = p.Files().Create("C:\\SAVERS\\TEST.SCR");
  try {
    p.Files().OpenRead("C:\\SAVERS\\TEST.SCR");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(),
              "Cannot open file \"C:\\SAVERS\\TEST.SCR\". The process cannot access the file because it is being "
              "used by another process");
  }
}

TEST(MemoryFiles, PathsResolveLikeTheSystemsAndNeedAnExistingFolder) {
  using headless::TMemoryFileSystem;
  EXPECT_EQ(TMemoryFileSystem::Resolve("C:\\TEMP\\..\\evil.txt"), "C:\\evil.txt");
  EXPECT_EQ(TMemoryFileSystem::Resolve("C:/a/./b.. "), "C:\\a\\b");
  EXPECT_EQ(TMemoryFileSystem::Resolve("C:\\TEMP\\.. \\x"), "C:\\x");
  EXPECT_EQ(TMemoryFileSystem::Resolve("C:\\.."), std::nullopt);
  EXPECT_EQ(TMemoryFileSystem::Resolve("C:\\a|b"), std::nullopt);
  EXPECT_EQ(TMemoryFileSystem::Resolve("relative"), std::nullopt);

  THeadlessPlatform p;
  try {
    p.Files().Create("C:\\NOWHERE\\a.mid");
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"C:\\NOWHERE\\a.mid\". The system cannot find the path specified");
  }
}

TEST(CopyBytes, CopiesExactlyOrRefusesBeforeWriting) {
  THeadlessPlatform p;
  std::vector<uint8_t> bytes(200000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 31);
  TMemoryStream src(bytes);
  src.Seek(7);
  {
    auto out = p.Files().Create("C:\\TEMP\\big");
    CopyBytes(src, *out, 150000);  // more than one chunk
  }
  EXPECT_EQ(p.Files().File("C:\\TEMP\\big"), std::vector<uint8_t>(bytes.begin() + 7, bytes.begin() + 150007));
  EXPECT_EQ(src.Position(), 150007);

  auto out = p.Files().Create("C:\\TEMP\\short");
  EXPECT_THROW(CopyBytes(src, *out, 50000), EReadError);
  CopyBytes(src, *out, 0);
  CopyBytes(src, *out, -5);
  EXPECT_EQ(p.Files().File("C:\\TEMP\\short"), std::vector<uint8_t>{});
}

struct TCounter : IWindowEvents {
  int activated = 0, destroyed = 0;
  std::vector<uint32_t> messages;
  bool allowClose = true;
  void Activated() override { ++activated; }
  bool CloseQuery() override { return allowClose; }
  void Destroyed() override { ++destroyed; }
  bool UserMessage(uint32_t m, uintptr_t, intptr_t) override {
    messages.push_back(m);
    if (m == 0x499) throw Exception("handler failed");
    return true;
  }
};

TEST(HeadlessDesktop, TheLoopRunsScheduledEventsInVirtualTimeAndEndsWithTheWindow) {
  THeadlessPlatform p;
  auto& d = p.Desktop();
  TCounter events;
  auto window = d.CreateTopWindow(TWindowSpec{}, &events);
  window->Show();
  d.At(500, [&] { d.PostMessageTo(window->Handle(), 0x401, 0, 0); });
  d.At(700, [&] { d.PostMessageTo(window->Handle(), 0x499, 0, 0); });
  d.At(900, [&] {
    events.allowClose = false;
    window->Close();
  });
  d.At(1000, [&] {
    events.allowClose = true;
    window->Close();
  });
  d.Run(*window);
  EXPECT_EQ(events.activated, 1);
  EXPECT_EQ(events.messages, (std::vector<uint32_t>{0x401, 0x499}));
  EXPECT_EQ(events.destroyed, 1);
  EXPECT_FALSE(window->Exists());
  EXPECT_EQ(d.Now(), 1000u);
  // The failing handler was reported and the loop went on.
  EXPECT_TRUE(p.Log().Has("ShowException handler failed"));
}

TEST(HeadlessDesktop, ALoopWithNothingLeftToDoEnds) {
  THeadlessPlatform p;
  auto window = p.Desktop().CreateTopWindow(TWindowSpec{}, nullptr);
  p.Desktop().Run(*window);
  EXPECT_TRUE(p.Log().Has("MessageLoop idle"));
  EXPECT_TRUE(window->Exists());
}

}  // namespace
}  // namespace scr::platform
