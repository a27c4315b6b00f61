#!/usr/bin/env bash
# Installs every Debian package that the build, the tools and the tests need; with
# --player only what building and running the Linux player needs (cmake --preset
# player). Idempotent: a second run only checks that everything is there. Run as root.
#
#   scripts/install-deps.sh [--player]
set -euo pipefail

player_packages=(
  build-essential cmake ninja-build pkg-config
  libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libsdl2-dev libsdl2-mixer-dev libx11-dev
  # MIDI music: a General MIDI sound font
  timgm6mb-soundfont
)

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev
  fonts-liberation fonts-dejavu-core
  clang libclang-rt-14-dev
  gcc-mingw-w64-i686 g++-mingw-w64-i686 binutils-mingw-w64-i686 nasm
  wine wine32:i386 xvfb xauth xdotool x11-apps imagemagick xserver-xephyr
  # Wine's 32-bit X11 driver sees more than one monitor only with these; a second
  # display comes from Xorg's dummy driver, its outputs set up with xrandr
  libxinerama1:i386 libxrandr2:i386 xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  # the core fonts that message boxes on X use
  xfonts-base
  ccache
  # the Linux player and its daemon
  libsdl2-dev libsdl2-mixer-dev libx11-dev xscreensaver
  # the maker: pictures, manifest, arguments, JSON
  libvips-dev libvips-tools libheif-examples libtomlplusplus-dev libcli11-dev nlohmann-json3-dev
  # pictures' own dates and titles, for their captions
  libexiv2-dev
  # and its command, which the web tests write such data with
  exiv2
  # the gallery and recordings, and the side-by-side benchmark
  libwebp-dev libavcodec-dev libavformat-dev libswscale-dev libswresample-dev libavutil-dev
  ffmpeg chromium
  # MIDI music in the player and in recordings
  timgm6mb-soundfont libfluidsynth-dev
  # the web build (its Node optimizer needs Node's acorn, which it brings) and the
  # site's tests: Node and npm for puppeteer-core
  emscripten
)
# Node and npm: any installed Node 18 or later (with npm) will do; otherwise Debian's.
if [ "${1:-}" != --player ] && { ! command -v node >/dev/null || ! command -v npm >/dev/null; }; then
  packages+=(nodejs npm)
fi

player_only=false
case "${1:-}" in
  "") ;;
  --player) player_only=true ;;
  *) echo "usage: install-deps.sh [--player]" >&2; exit 2 ;;
esac
if $player_only; then
  packages=("${player_packages[@]}")
fi

missing() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

if [ "$(id -u)" != 0 ]; then
  echo "install-deps: run as root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive

# Wine needs the 32-bit libraries.
if ! $player_only && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

# Source entries (for building libjpeg-turbo for Windows) mirror the binary ones.
src_list=/etc/apt/sources.list.d/scrsaver-src.sources
if ! $player_only && [ ! -f "$src_list" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
fi

todo=$(missing)
stamp=/var/lib/apt/periodic/scrsaver-updated
if [ -n "$todo" ] || [ ! -f "$stamp" ]; then
  apt-get update -q
  touch "$stamp"
fi
todo=$(missing)
if [ -n "$todo" ]; then
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $todo
fi
# The site's tests drive Chromium with puppeteer-core, pinned by the committed lockfile.
web_tests="$(cd "$(dirname "$0")/.." && pwd)/tests/web"
if ! $player_only && [ -f "$web_tests/package-lock.json" ] && [ ! -d "$web_tests/node_modules/puppeteer-core" ]; then
  (cd "$web_tests" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --ignore-scripts)
fi
# The Make view's libraries (pica, fflate), copied into the site, pinned by their lockfile.
make_view="$(cd "$(dirname "$0")/.." && pwd)/web/make"
if [ -f "$make_view/package-lock.json" ] && [ ! -d "$make_view/node_modules/pica" ]; then
  (cd "$make_view" && npm ci --no-audit --no-fund --ignore-scripts)
fi
echo "install-deps: all packages present"
