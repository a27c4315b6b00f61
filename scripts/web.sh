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

bash scripts/build-libjpeg-web.sh
cmake --preset web >/dev/null
cmake --build build/web -j"${JOBS:-2}"
echo "web: the site is in build/web/site"
[ "${1:-}" = "--build-only" ] && exit 0

# The demo's saver (scripts/demo.sh makes it) beside the page, which then offers it.
if [ -f build/demo/demo.scr ]; then
  cp build/demo/demo.scr build/web/site/demo.scr
  echo '["demo.scr"]' > build/web/site/savers.json
fi
port=${PORT:-8080}
echo "web: serving on http://127.0.0.1:$port/ (Ctrl+C ends)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
