#!/usr/bin/env bash
# Sourced by the tests on two monitors (Wine and the Linux player): Xorg's dummy driver on a display of its
# own with two outputs side by side, 1024 x 768 each, the primary (DUMMY0) on the left,
# the desktop painted magenta. Sets DISPLAY and SCR_XVFB_PID (the server ends with the
# test).
for n in $(seq 150 190); do [ -e "/tmp/.X$n-lock" ] || break; done
XDIR="$SCR_NATIVE_BUILD_DIR/test-output/$(basename "$0" .sh)-x"
rm -rf "$XDIR"
mkdir -p "$XDIR"
cat >"$XDIR/dummy.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3000 1200
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection
CONF
Xorg ":$n" -noreset -nolisten tcp -config "$XDIR/dummy.conf" -logfile "$XDIR/xorg.log" >/dev/null 2>&1 &
SCR_XVFB_PID=$!
export DISPLAY=":$n" SCR_KEEP_DISPLAY=1 SCR_XVFB_PID
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$n" ] && xrandr >/dev/null 2>&1 && break
  sleep 0.1
done
xrandr --output DUMMY0 --mode 1024x768 --pos 0x0 --primary
xrandr --addmode DUMMY1 1024x768
xrandr --output DUMMY1 --mode 1024x768 --pos 1024x0
xrandr --fb 2048x768
xrandr --listmonitors
xsetroot -solid magenta

