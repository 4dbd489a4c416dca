#!/usr/bin/env bash
# afxdemo_smoke.sh: runs afx-demo on the SDL host on a virtual X server: checks its pixels,
# presses its buttons and uses its colour menu with xdotool, then ends it with Escape and
# expects it to exit by itself with status 0. Usage: afxdemo_smoke.sh DEMO XWD_PROBE LAYOUT
set -u

demo=$1
probe=$2
layout_tool=$3
if [ "${4:-}" != "--inner" ]; then
    # The whole run is bounded: a hung demo or X server fails the test instead of stalling it.
    exec timeout -k 5 170 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        bash "$0" "$demo" "$probe" "$layout_tool" --inner
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

# Screen points of the controls and counter segments: NAME X Y lines become variables.
"$layout_tool" > "$work/layout" || fail "the layout tool failed"
while read -r name x y; do
    printf -v "${name}_x" '%s' "$x"
    printf -v "${name}_y" '%s' "$y"
done < "$work/layout"
at() { local x="${1}_x" y="${1}_y"; echo "${!x} ${!y}"; }

probe() {
    timeout 10 xwd -silent -id "$wid" > "$work/shot.xwd" || return 1
    "$probe" "$work/shot.xwd" "$@"
}

# expect NAME=RRGGBB...: retried for a few seconds while the frame reaches the screen.
expect() {
    local args=() want=() got= spec
    for spec in "$@"; do
        args+=($(at "${spec%%=*}"))
        want+=("${spec#*=}")
    done
    local tries=50
    while [ $tries -gt 0 ]; do
        got=$(probe "${args[@]}" | tail -n +2 | tr '\n' ' ')
        [ "$got" = "${want[*]} " ] && return 0
        sleep 0.1
        tries=$((tries - 1))
    done
    fail "pixels at $*: got '$got'"
}

# digit_colours N: the colours of the seven segments of counter digit N, from a fresh dump.
digit_colours() {
    local args=() s
    for s in 0 1 2 3 4 5 6; do args+=($(at "digit$1_$s")); done
    probe "${args[@]}" | tail -n +2 | tr '\n' ' '
}

click() {
    xdotool mousemove --window "$wid" $(at "$1") click "${2:-1}"
}

env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy PILO_SCALE=1 PILO_REPORT_FIRST_FRAME=1 \
    timeout -k 5 90 "$demo" > "$work/out" 2> "$work/err" &
pid=$!
for _ in $(seq 300); do
    grep -q "first frame at" "$work/err" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || fail "the demo ended before its first frame"
    sleep 0.1
done
wid=$(timeout 20 xdotool search --sync --name '^Pilo$' | head -n 1)
[ -n "$wid" ] || fail "no window titled Pilo"
size=$(probe | head -n 1)
[ "$size" = "size 640 480" ] || fail "window is '$size', expected 640 x 480 at scale 1"

# At rest: the three faces, and the leftmost digit a red 0 (lit top, dark middle).
expect pause_face=008000 reset_face=800000 step_face=000080 digit0_0=FF0000 digit0_6=800000

# The counter runs on its timer: the units digit changes within a second and a half.
before=$(digit_colours 3)
sleep 1.5
[ "$(digit_colours 3)" != "$before" ] || fail "the counter did not move: $before"

# The step button's face lights while held and goes back when released.
xdotool mousemove --window "$wid" $(at step_center) mousedown 1
expect step_face=0000FF
xdotool mouseup 1
expect step_face=000080

# Pause stops the counter; reset then shows 0000.
click pause_center
sleep 0.3
before=$(digit_colours 3)
sleep 1.5
[ "$(digit_colours 3)" = "$before" ] || fail "the counter moved while paused"
click reset_center
expect digit3_0=FF0000 digit3_1=FF0000 digit3_2=FF0000 digit3_3=FF0000 digit3_4=FF0000 \
    digit3_5=FF0000 digit3_6=800000

# The right button opens the colour menu over the counter; its second item is green.
click counter_center 3
read -r cx cy <<< "$(at counter_center)"
green_x=$((cx + 40)) green_y=$((cy + 3 + 20 + 10))
sleep 0.3
xdotool mousemove --window "$wid" "$green_x" "$green_y" click 1
expect digit0_0=00FF00 digit3_0=00FF00 digit3_6=800000

# Escape ends the dialog and with it the program, by itself and with status 0.
xdotool key Escape
tries=100
while kill -0 "$pid" 2>/dev/null && [ $tries -gt 0 ]; do
    sleep 0.1
    tries=$((tries - 1))
done
kill -0 "$pid" 2>/dev/null && fail "demo still running 10 s after Escape"
wait "$pid"
status=$?
pid=
[ $status -eq 0 ] || fail "demo exited with $status"
echo "afx-demo smoke test passed"
