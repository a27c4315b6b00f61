#!/usr/bin/env bash
# The main job: installs what is needed, builds the Windows runtime and the native
# tools, makes a demo saver from a folder of real photographs (Debian's
# mate-backgrounds nature pictures) with the maker's defaults and a caption, checks it,
# and runs it with /s under Wine:
# on the current display when $DISPLAY works, otherwise on a virtual one (Xvfb). A few
# screenshots go to build/demo. Run as root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
[ "$jobs" -gt 2 ] || jobs=2

# SCR_DEMO_BUILT=1 with SCR_NATIVE_BUILD_DIR and SCR_WIN32_BUILD_DIR set runs the demo
# from trees that are already built.
# The demo's photographs; only the demo needs them, so they are installed here.
photos=/usr/share/backgrounds/mate/nature
install_photos() {
  dpkg-query -W -f='${Status}\n' mate-backgrounds 2>/dev/null | grep -q 'install ok installed' && return
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mate-backgrounds
}

if [ -z "${SCR_DEMO_BUILT:-}" ]; then
  bash scripts/install-deps.sh
  install_photos
  bash scripts/build-libjpeg-win32.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j "$jobs" --target runtime nuvscrhook
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$jobs" --target scrtool
  export SCR_NATIVE_BUILD_DIR="$root/build/native" SCR_WIN32_BUILD_DIR="$root/build/win32"
fi
native="$SCR_NATIVE_BUILD_DIR" win32="$SCR_WIN32_BUILD_DIR"
# A display that answers is used as it is; without one the demo runs on Xvfb.
if [ -n "${DISPLAY:-}" ] && xwd -root -silent >/dev/null 2>&1; then
  export SCR_KEEP_DISPLAY=1
fi
source tests/wine/wine-env.sh
scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

out="$root/build/demo"
rm -rf "$out"
mkdir -p "$out"
[ -d "$photos" ] || install_photos
# Every picture of the folder, upright and within 3840x2160; the defaults close the saver
# on a key, click or move and use every effect in random order.
"$native/tools/scrtool/scrtool" make -o "$out/demo.scr" \
  --runtime "$win32/app/runtime.scr" --hook "$win32/hook/nuvscrhook.dll" \
  --interval 2s --title "Demo saver" --text "Nature — photographs from Debian's MATE backgrounds" "$photos"
"$native/tools/scrtool/scrtool" check "$out/demo.scr"

wine "$out/demo.scr" /s >"$out/wine.log" 2>&1 &
saver=$!
shots=()
for n in 1 2 3 4 5; do
  sleep 2.5
  kill -0 "$saver" 2>/dev/null || break
  xwd -root -silent | /usr/bin/convert xwd:- "$out/shot-$n.png"
  shots+=("$out/shot-$n.png")
done
xdotool key space || true
for _ in $(seq 50); do kill -0 "$saver" 2>/dev/null || break; sleep 0.1; done
echo "demo: saver $out/demo.scr ran on display $DISPLAY; screenshots:"
printf '  %s\n' "${shots[@]}"
