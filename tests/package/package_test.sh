#!/usr/bin/env bash
# The Debian package end to end: CPack writes scrsaver_VERSION_amd64.deb from the
# built tree; it holds both programs, the Windows runtime, the daemon's settings file
# and the man pages, and depends on the shared libraries the programs use and on a
# General MIDI sound font; installed with dpkg into a root of its own, scrplay
# --version and scrtool make run from there (the maker finding the runtime beside
# itself).
# usage: package_test.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(realpath "$1") out=$(realpath -m "$2")
rm -rf "$out"
mkdir -p "$out"
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$out" && cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1) ||
  { cat "$out/cpack.log"; fail "cpack failed"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$out/scrsaver_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$out")"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for want in ./usr/bin/scrplay ./usr/bin/scrtool ./usr/share/scrsaver/runtime.scr \
  ./usr/share/xscreensaver/config/scrplay.xml ./usr/share/man/man1/scrplay.1.gz ./usr/share/man/man1/scrtool.1.gz; do
  grep -qx "$want" <<<"$files" || fail "the package lacks $want"
done
depends=$(dpkg-deb -f "$deb" Depends)
for want in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libvips42 libfreetype6 "timgm6mb-soundfont | fluid-soundfont-gm"; do
  grep -qF "$want" <<<"$depends" || fail "Depends lacks $want: $depends"
done
echo "ok: files and dependencies ($depends)"

# A root of its own with an empty package database; the dependencies are this
# machine's, so they are not asked for there.
root="$out/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >"$out/dpkg.log" 2>&1 ||
  { cat "$out/dpkg.log"; fail "dpkg could not install the package"; }
dpkg --root="$root" -s scrsaver | grep -q '^Status: install ok installed' || fail "dpkg does not list it as installed"

"$root/usr/bin/scrplay" --version | grep -qx "scrplay $version" || fail "scrplay --version from the installed path"
"$root/usr/bin/scrtool" --version | grep -qx "scrtool $version" || fail "scrtool --version from the installed path"
mkdir -p "$out/pictures"
printf 'P6\n4 4\n255\n' >"$out/pictures/a.ppm"
head -c 48 /dev/urandom >>"$out/pictures/a.ppm"
"$root/usr/bin/scrtool" make -o "$out/made.scr" "$out/pictures" >"$out/make.log" 2>&1 ||
  { cat "$out/make.log"; fail "scrtool make from the installed path"; }
cmp -s -n "$(stat -c %s "$root/usr/share/scrsaver/runtime.scr")" "$out/made.scr" "$root/usr/share/scrsaver/runtime.scr" ||
  fail "the saver does not begin with the installed runtime"
"$root/usr/bin/scrplay" "$out/made.scr" --info >/dev/null || fail "the installed player cannot read the saver made"
echo "package test passed"
