// A plain X11 window for the hack-mode tests: x11_test_window W H X Y [RRGGBB]
// maps a window of that size at that place and prints its id (0x hexadecimal). With a
// colour it is filled with it (a cover for another window); without one it has no
// background, so what another program draws into it stays. It lives until killed.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: x11_test_window W H X Y [RRGGBB]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x11_test_window: no display\n");
    return 1;
  }
  XSetWindowAttributes attributes{};
  unsigned long mask = CWOverrideRedirect | CWBackPixmap;
  attributes.override_redirect = True;
  attributes.background_pixmap = None;
  if (argc == 6) {
    mask = CWOverrideRedirect | CWBackPixel;
    attributes.background_pixel = std::strtoul(argv[5], nullptr, 16);
  }
  const Window window =
      XCreateWindow(display, DefaultRootWindow(display), std::atoi(argv[3]), std::atoi(argv[4]),
                    static_cast<unsigned>(std::atoi(argv[1])), static_cast<unsigned>(std::atoi(argv[2])), 0,
                    CopyFromParent, InputOutput, CopyFromParent, mask, &attributes);
  XMapRaised(display, window);
  XSync(display, False);
  std::printf("0x%lx\n", static_cast<unsigned long>(window));
  std::fflush(stdout);
  for (;;) pause();
}
