#!/usr/bin/env bash
# pilo_smoke.sh: the desktop program on the SDL host on a virtual X server, without sound:
# the splash shows and gives way to the main window, a click on the new-game button deals
# anew, and Escape ends the program with status 0.
# Usage: pilo_smoke.sh PILO XWD_PROBE LAYOUT
set -u
pilo=$1
SMOKE_PROBE=$2
. "$(dirname "$0")/../smoke/lib.sh"
smoke_xvfb 1024x768x24 "$@"

# Screen points and colours from a headless run.
load_layout "$3"
points() { local n; for n in "$@"; do at "$n"; done; }

smoke_start SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy PILO_AUDIO=0 PILO_SCALE=1 -- "$pilo"
smoke_window
# The splash first, over the board's grey field: it lasts three quarters of a second, so the
# first dumps that show anything but black must show it there.
tries=100
seen=000000
while [ "$seen" = "000000" ] && [ $tries -gt 0 ]; do
    seen=$(colours $(at boardfield) | tr -d ' ')
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its first frame"
    [ "$seen" = "000000" ] && sleep 0.05
    tries=$((tries - 1))
done
[ "$seen" != "000000" ] || fail "nothing was drawn within 5 s"
[ "$seen" != "$(colour_of boardfield)" ] || fail "no splash: the board showed at once"
# Then it gives way to the main window.
expect_pixels "$(at boardfield) $(colour_of boardfield)"
expect_size 640 480

cells=()
for r in $(seq 0 12); do for c in $(seq 0 12); do cells+=("cell${r}_${c}"); done; done
before=$(colours $(points "${cells[@]}"))
# The deal is seeded with the calendar second: let one go by before dealing anew.
sleep 1.2
xdotool mousemove --window "$wid" $(at newgame) click 1
tries=50
after=$before
while [ "$after" = "$before" ] && [ $tries -gt 0 ]; do
    sleep 0.1
    after=$(colours $(points "${cells[@]}"))
    tries=$((tries - 1))
done
[ "$after" != "$before" ] || fail "the board did not change after a click on the new-game button"

xdotool mousemove --window "$wid" 4 4
xdotool windowfocus "$wid" 2>/dev/null || true
xdotool key --window "$wid" Escape 2>/dev/null
expect_exit 5
echo "pilo smoke test passed"
