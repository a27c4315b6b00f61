#!/usr/bin/env bash
# The real screen saver daemon starts the player: Debian's xscreensaver on the test's
# own display, as an ordinary user (it starts no hacks as root; the user is made when
# missing), with the player as its only program. Activating shows the composed frame
# in the daemon's window; deactivating ends the player and its private folder goes.
source "$(dirname "$0")/scrplay-env.sh"
USER_NAME=scrplaytest
command -v xscreensaver >/dev/null || { echo "xscreensaver is not installed"; exit 1; }
if ! id "$USER_NAME" >/dev/null 2>&1; then
  useradd -m "$USER_NAME"
fi
USER_HOME=$(getent passwd "$USER_NAME" | cut -d: -f6)
# The user reaches the display, the saver and the folders the player writes to.
xhost "+si:localuser:$USER_NAME" >/dev/null
chmod 1777 "$OUT/tmp"
chmod a+rx "$OUT"
make_saver daemon --effects 0 --interval 60000ms
chmod a+r "$OUT/daemon.scr"
cat >"$USER_HOME/.xscreensaver" <<CONFIG
mode: one
selected: 0
lock: False
fade: False
unfade: False
splash: False
timeout: 1:00:00
programs: $SCRPLAY $OUT/daemon.scr --root \\n
CONFIG
chown "$USER_NAME" "$USER_HOME/.xscreensaver"

as_user() { runuser -u "$USER_NAME" -- env DISPLAY="$DISPLAY" HOME="$USER_HOME" TMPDIR="$OUT/tmp" \
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$@"; }
as_user xscreensaver -no-splash >"$OUT/daemon.log" 2>&1 &
DAEMON_PID=$!
trap 'as_user xscreensaver-command -exit >/dev/null 2>&1 || true; kill $DAEMON_PID 2>/dev/null || true;
      kill $SCR_XVFB_PID 2>/dev/null || true' EXIT
# The daemon answers once it is up.
for _ in $(seq 50); do
  as_user xscreensaver-command -time >/dev/null 2>&1 && break
  sleep 0.2
done

player_pid() { pgrep -u "$USER_NAME" -f "^$SCRPLAY " | head -n 1; }
as_user xscreensaver-command -activate >/dev/null
wait_frame "$OUT/daemon-frame0.bmp" 20 "activating shows the player's frame"
PLAYER_PID=$(player_pid || true)
check '[ -n "$PLAYER_PID" ]' "the daemon started the player"
check '[ "$(private_folders)" = 1 ]' "the player's private folder while it runs"
as_user xscreensaver-command -deactivate >/dev/null
wait_gone 15 "deactivating ends the player"
check '[ "$(private_folders)" = 0 ]' "the private folder is gone"
report
