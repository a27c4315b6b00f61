#!/usr/bin/env bash
# Builds the site (the show compiled to WebAssembly and the page) into build/web/site
# and serves it on http://127.0.0.1:8080/ (PORT overrides the port). With --build-only
# it stops after the build.
#   bash scripts/web.sh              build, then serve until Ctrl+C
#   bash scripts/web.sh --build-only
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export NODE_PATH=/usr/share/nodejs

# The site carries the Windows runtime and hook library, which the Make view writes
# savers with: built in build/win32 when they are not there yet.
if [ ! -f build/win32/app/runtime.scr ] || [ ! -f build/win32/hook/nuvscrhook.dll ]; then
  bash scripts/build-libjpeg-win32.sh
  cmake --preset win32 >/dev/null
  cmake --build build/win32 -j"${JOBS:-2}" --target runtime nuvscrhook
fi
bash scripts/build-libjpeg-web.sh
cmake --preset web >/dev/null
cmake --build build/web -j"${JOBS:-2}"
echo "web: the site is in build/web/site"
[ "${1:-}" = "--build-only" ] && exit 0

# The demo's saver beside the page, which then offers it: the one scripts/demo.sh made,
# else the same one made here from the photographs when the native tools and the
# Windows runtime are built.
demo=build/demo/demo.scr
scrtool=build/native/tools/scrtool/scrtool
photos=/usr/share/backgrounds/mate/nature
if [ ! -f "$demo" ] && [ -x "$scrtool" ] && [ -f build/win32/app/runtime.scr ] && [ -d "$photos" ]; then
  demo=build/web/demo.scr
  "$scrtool" make -o "$demo" --runtime build/win32/app/runtime.scr \
    --interval 2s --title "Demo saver" --text "Nature — photographs from Debian's MATE backgrounds" "$photos" >/dev/null
fi
if [ -f "$demo" ]; then
  cp "$demo" build/web/site/demo.scr
  echo '["demo.scr"]' > build/web/site/savers.json
else
  echo "web: no demo saver (bash scripts/demo.sh makes one); open a saver file on the page"
fi
port=${PORT:-8080}
echo "web: serving on http://127.0.0.1:$port/ (Ctrl+C ends)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
