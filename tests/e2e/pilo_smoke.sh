#!/usr/bin/env bash
# pilo_smoke.sh: the desktop program on the SDL host on a virtual X server, zoomed 2 with a
# wave device that plays in real time: the splash shows and gives way to the main window, each
# screen pixel a sharp 2 x 2 block, a click on the new-game button deals anew, and Escape ends
# the program with status 0.
# Usage: pilo_smoke.sh PILO XWD_PROBE LAYOUT
set -u
pilo=$1
SMOKE_PROBE=$2
. "$(dirname "$0")/../smoke/lib.sh"
smoke_xvfb 1400x1100x24 "$@"

# Screen points and colours from a headless run; at scale 2 screen point (x, y) covers window
# pixels (2x, 2y) to (2x + 1, 2y + 1).
load_layout "$3"
px() { local p; p=($(at "$1")); echo "$((2 * p[0] + ${2:-0})) $((2 * p[1] + ${2:-0}))"; }
points() { local n; for n in "$@"; do px "$n"; done; }

smoke_start SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy PILO_AUDIO=1 PILO_SCALE=2 \
    PILO_REPORT_FIRST_FRAME=1 -- "$pilo"
# The splash first, over the board's grey field. It lasts three quarters of a second, which a
# loaded machine can spend before the window is found, so the program is held still from its
# first frame until that frame has been read.
tries=300
until grep -q "first frame at" "$work/err" 2>/dev/null; do
    kill -0 "$pid" 2>/dev/null && [ $tries -gt 0 ] || fail "no first frame within 30 s"
    sleep 0.01
    tries=$((tries - 1))
done
game=$(pgrep -P "$pid")
kill -STOP $game
smoke_window
seen=$(colours $(px boardfield) | tr -d ' ')
kill -CONT $game
[ "$seen" != "000000" ] || fail "the first frame is black"
[ "$seen" != "$(colour_of boardfield)" ] || fail "no splash: the board showed at once"
# Then it gives way to the main window.
expect_pixels "$(px boardfield) $(colour_of boardfield)" "$(px boardfield 1) $(colour_of boardfield)"
expect_size 1280 960

cells=()
for r in $(seq 0 12); do for c in $(seq 0 12); do cells+=("cell${r}_${c}"); done; done
before=$(colours $(points "${cells[@]}"))
# The deal is seeded with the calendar second: let one go by before dealing anew.
sleep 1.2
xdotool mousemove --window "$wid" $(px newgame 1) click 1
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
