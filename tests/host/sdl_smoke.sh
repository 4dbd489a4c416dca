#!/usr/bin/env bash
# sdl_smoke.sh: runs the SDL host demo on a virtual X server, drives it with xdotool and
# checks the window's pixels from xwd dumps. Usage: sdl_smoke.sh DEMO XWD_PROBE
set -u

demo=$1
probe=$2
if [ "${3:-}" != "--inner" ]; then
    # The whole run is bounded: a hung demo or X server fails the test instead of stalling it.
    # -noreset: the server would otherwise reset when the first demo disconnects and refuse
    # the second for a moment.
    exec timeout -k 5 170 xvfb-run -a -s "-screen 0 1400x1100x24 -nolisten tcp -noreset" \
        bash "$0" "$demo" "$probe" --inner
fi

work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- demo output:"; cat "$work/out" 2>/dev/null
    echo "--- demo errors:"; cat "$work/err" 2>/dev/null
    exit 1
}

# wait_for_line PATTERN SECONDS: until the demo prints a matching line.
wait_for_line() {
    local tries=$(($2 * 10))
    while [ $tries -gt 0 ]; do
        grep -q -- "$1" "$work/out" 2>/dev/null && return 0
        kill -0 "$pid" 2>/dev/null || { grep -q -- "$1" "$work/out" && return 0; fail "demo ended before printing '$1'"; }
        sleep 0.1
        tries=$((tries - 1))
    done
    fail "no line '$1' within $2 s"
}

# probe X Y...: the window's size line and the colour of each pixel, from a fresh dump.
probe() {
    timeout 10 xwd -silent -id "$wid" > "$work/shot.xwd" || return 1
    "$probe" "$work/shot.xwd" "$@"
}

# expect_pixels "X Y RRGGBB"...: retried for a few seconds while the frame reaches the screen.
expect_pixels() {
    local args=() want=() got=
    for spec in "$@"; do
        set -- $spec
        args+=("$1" "$2")
        want+=("$3")
    done
    local tries=50
    while [ $tries -gt 0 ]; do
        got=$(probe "${args[@]}" | tail -n +2 | tr '\n' ' ')
        [ "$got" = "${want[*]} " ] && return 0
        sleep 0.1
        tries=$((tries - 1))
    done
    fail "pixels at (${args[*]}): got '$got', expected '${want[*]}'"
}

# start_demo ENV...: starts the demo with the given environment and finds its window.
start_demo() {
    : > "$work/out"
    env "$@" timeout -k 5 90 "$demo" 80000 > "$work/out" 2> "$work/err" &
    pid=$!
    wait_for_line '^ready' 30
    wid=$(timeout 20 xdotool search --sync --name '^Pilo$' | head -n 1)
    [ -n "$wid" ] || fail "no window titled Pilo"
    xdotool mousemove --window "$wid" 4 4
    xdotool windowfocus "$wid" 2>/dev/null || true
}

# stop_demo KEY: presses the key and waits for the demo to end by itself with status 0.
stop_demo() {
    xdotool key "$1"
    local tries=100
    while kill -0 "$pid" 2>/dev/null && [ $tries -gt 0 ]; do
        sleep 0.1
        tries=$((tries - 1))
    done
    kill -0 "$pid" 2>/dev/null && fail "demo still running 10 s after $1"
    wait "$pid"
    local status=$?
    pid=
    [ $status -eq 0 ] || fail "demo exited with $status"
}

# Run 1: scale 2, a wave device that plays in real time.
start_demo SDL_VIDEODRIVER=x11 PILO_SCALE=2 SDL_AUDIODRIVER=dummy
size=$(probe | head -n 1)
[ "$size" = "size 1280 960" ] || fail "window is '$size', expected 1280 x 960 at scale 2"
# Quadrants, and the two window pixels either side of the vertical split (screen x 319 | 320).
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
stop_demo Escape
grep -q '^escape$' "$work/out" || fail "Escape did not arrive as a key"

# Run 2: no wave device at all; playing fails at once and nothing hangs.
start_demo SDL_VIDEODRIVER=x11 PILO_SCALE=1 SDL_AUDIODRIVER=pilo-no-such-driver
size=$(probe | head -n 1)
[ "$size" = "size 640 480" ] || fail "window is '$size', expected 640 x 480 at scale 1"
expect_pixels "319 239 FF0000" "320 239 00FF00" "319 240 0000FF" "320 240 FFFF00"
xdotool key w
wait_for_line '^wave' 20
grep -q '^wave 0 ' "$work/out" || fail "expected no wave device, got '$(grep '^wave' "$work/out")'"
stop_demo Escape

echo "SDL host smoke test passed"
