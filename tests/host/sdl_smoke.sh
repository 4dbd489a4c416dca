#!/usr/bin/env bash
# sdl_smoke.sh: runs the SDL host demo on a virtual X server, drives it with xdotool and
# checks the window's pixels from xwd dumps. Usage: sdl_smoke.sh DEMO XWD_PROBE
set -u
demo=$1
SMOKE_PROBE=$2
. "$(dirname "$0")/../smoke/lib.sh"
smoke_xvfb 1400x1100x24 "$@"

# start_demo ENV...: starts the demo and finds its window, the pointer parked in a corner.
start_demo() {
    smoke_start "$@" -- "$demo" 80000
    wait_for_line '^ready' 30
    smoke_window
    xdotool mousemove --window "$wid" 4 4
    xdotool windowfocus "$wid" 2>/dev/null || true
}

# Run 1: scale 2, a wave device that plays in real time.
start_demo SDL_VIDEODRIVER=x11 PILO_SCALE=2 SDL_AUDIODRIVER=dummy
expect_size 1280 960
# Quadrants, and the two window pixels either side of the vertical split (screen x 319 | 320):
# each screen pixel is a sharp 2 x 2 block.
expect_pixels "10 10 FF0000" "1270 10 00FF00" "10 950 0000FF" "1270 950 FFFF00" \
    "639 100 FF0000" "640 100 00FF00" "100 959 0000FF"

# A click on window pixel (201, 201) is screen pixel (100, 100) at scale 2.
xdotool mousemove --window "$wid" 201 201 click 1
wait_for_line '^click' 10
grep -q '^click 100 100$' "$work/out" || fail "click mapped to '$(grep '^click' "$work/out")'"
# The mark covers screen 100..115, window 200..231; the palette change recolours the rest.
expect_pixels "200 200 FF00FF" "231 231 FF00FF" "232 232 00FFFF" "199 199 00FFFF" \
    "10 10 00FFFF" "1270 10 00FF00"

# A key pressed while the wave plays is queued and arrives after it.
xdotool key w a
wait_for_line '^key 65$' 20
read -r _ played ms < <(grep '^wave' "$work/out")
[ "$(grep -E '^(wave|key)' "$work/out" | head -n 1)" = "wave $played $ms" ] ||
    fail "the key arrived before the wave ended"
[ "$played" = 1 ] || fail "the dummy wave device refused the wave"
[ "$ms" -ge 200 ] || fail "play_wave returned after $ms ms for a 250 ms wave"
xdotool key Escape
expect_exit 10
grep -q '^escape$' "$work/out" || fail "Escape did not arrive as a key"

# Run 2: no wave device at all; playing fails at once and nothing hangs.
start_demo SDL_VIDEODRIVER=x11 PILO_SCALE=1 SDL_AUDIODRIVER=pilo-no-such-driver
expect_size 640 480
expect_pixels "319 239 FF0000" "320 239 00FF00" "319 240 0000FF" "320 240 FFFF00"
xdotool key w
wait_for_line '^wave' 20
grep -q '^wave 0 ' "$work/out" || fail "expected no wave device, got '$(grep '^wave' "$work/out")'"
xdotool key Escape
expect_exit 10

echo "SDL host smoke test passed"
