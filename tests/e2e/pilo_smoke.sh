#!/usr/bin/env bash
# pilo_smoke.sh: the desktop program on the SDL host on a virtual X server, without sound:
# the splash shows and gives way to the main window, a click on the new-game button deals
# anew, and Escape ends the program with status 0.
# Usage: pilo_smoke.sh PILO XWD_PROBE LAYOUT
set -u

pilo=$1
probe=$2
layout_tool=$3
if [ "${4:-}" != "--inner" ]; then
    # The whole run is bounded: a hung program or X server fails the test instead of stalling.
    exec timeout -k 5 170 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        bash "$0" "$pilo" "$probe" "$layout_tool" --inner
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
    echo "--- program output:"; cat "$work/out" 2>/dev/null
    echo "--- program errors:"; cat "$work/err" 2>/dev/null
    exit 1
}

# Screen points and colours from a headless run: NAME X Y [RRGGBB] lines become variables.
"$layout_tool" > "$work/layout" || fail "the layout tool failed"
while read -r name x y colour; do
    printf -v "${name}_x" '%s' "$x"
    printf -v "${name}_y" '%s' "$y"
    printf -v "${name}_c" '%s' "${colour:-}"
done < "$work/layout"
at() { local x="${1}_x" y="${1}_y"; echo "${!x} ${!y}"; }
colour_of() { local c="${1}_c"; echo "${!c}"; }

probe() {
    timeout 10 xwd -silent -id "$wid" > "$work/shot.xwd" || return 1
    "$probe" "$work/shot.xwd" "$@"
}

# colours NAME...: the colours at the named points, from one fresh dump.
colours() {
    local args=() n
    for n in "$@"; do args+=($(at "$n")); done
    probe "${args[@]}" | tail -n +2 | tr '\n' ' '
}

# wait_for NAME=RRGGBB...: until every named point shows its colour, for up to 10 s.
wait_for() {
    local names=() want=() got= spec tries=100
    for spec in "$@"; do
        names+=("${spec%%=*}")
        want+=("${spec#*=}")
    done
    while [ $tries -gt 0 ]; do
        got=$(colours "${names[@]}")
        [ "$got" = "${want[*]} " ] && return 0
        kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for $*"
        sleep 0.1
        tries=$((tries - 1))
    done
    fail "points $*: got '$got'"
}

env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy PILO_AUDIO=0 PILO_SCALE=1 \
    PILO_REPORT_FIRST_FRAME=1 timeout -k 5 90 "$pilo" > "$work/out" 2> "$work/err" &
pid=$!
wid=$(timeout 30 xdotool search --sync --name '^Pilo$' | head -n 1)
[ -n "$wid" ] || fail "no window titled Pilo"
size=$(probe | head -n 1)
[ "$size" = "size 640 480" ] || fail "window is '$size', expected 640 x 480 at scale 1"

# The splash first, over the board's grey field: it lasts three quarters of a second, so the
# first dumps that show anything but black must show it there.
tries=100
seen=000000
while [ "$seen" = "000000" ] && [ $tries -gt 0 ]; do
    seen=$(colours boardfield | tr -d ' ')
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its first frame"
    [ "$seen" = "000000" ] && sleep 0.05
    tries=$((tries - 1))
done
[ "$seen" != "000000" ] || fail "nothing was drawn within 5 s"
[ "$seen" != "$(colour_of boardfield)" ] || fail "no splash: the board showed at once"
# Then it gives way to the main window.
wait_for "boardfield=$(colour_of boardfield)"

cells=()
for r in $(seq 0 12); do for c in $(seq 0 12); do cells+=("cell${r}_${c}"); done; done
before=$(colours "${cells[@]}")
# The deal is seeded with the calendar second: let one go by before dealing anew.
sleep 1.2
xdotool mousemove --window "$wid" $(at newgame) click 1
tries=50
after=$before
while [ "$after" = "$before" ] && [ $tries -gt 0 ]; do
    sleep 0.1
    after=$(colours "${cells[@]}")
    tries=$((tries - 1))
done
[ "$after" != "$before" ] || fail "the board did not change after a click on the new-game button"

xdotool mousemove --window "$wid" 4 4
xdotool windowfocus "$wid" 2>/dev/null || true
xdotool key --window "$wid" Escape 2>/dev/null
tries=50
while kill -0 "$pid" 2>/dev/null && [ $tries -gt 0 ]; do
    sleep 0.1
    tries=$((tries - 1))
done
kill -0 "$pid" 2>/dev/null && fail "the program still runs 5 s after Escape"
wait "$pid"
status=$?
pid=
[ $status -eq 0 ] || fail "the program exited with $status"
echo "pilo smoke test passed"
