# lib.sh: what the Xvfb smoke scripts share: a bounded virtual X server, the program under
# test in the background, its window, pixels read back from xwd dumps, and its exit.
# A script sets SMOKE_PROBE (the xwd_probe tool), sources this file, then calls
# smoke_xvfb SCREEN "$@" first: it re-runs the script inside xvfb-run and returns inside it.

# smoke_xvfb WxHxD ARGS...: re-runs the calling script under Xvfb, the whole run bounded so a
# hung program or X server fails the test instead of stalling it. -noreset: the server would
# otherwise reset when the first client disconnects and refuse the next for a moment.
smoke_xvfb() {
    local screen=$1
    shift
    if [ "${SMOKE_INNER:-}" != 1 ]; then
        SMOKE_INNER=1 exec timeout -k 5 170 xvfb-run -a \
            -s "-screen 0 $screen -nolisten tcp -noreset" bash "$0" "$@"
    fi
    work=$(mktemp -d)
    trap smoke_cleanup EXIT
}

pid=
wid=
smoke_cleanup() {
    if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null; fi
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*"
    echo "--- output:"; cat "$work/out" 2>/dev/null
    echo "--- errors:"; cat "$work/err" 2>/dev/null
    exit 1
}

# smoke_start ENV... -- COMMAND...: starts the program (bounded to 90 s) with its output in
# $work/out and $work/err; smoke_window then finds its window titled Pilo.
smoke_start() {
    local vars=()
    while [ "$1" != -- ]; do vars+=("$1"); shift; done
    shift
    : > "$work/out"
    env "${vars[@]}" timeout -k 5 90 "$@" > "$work/out" 2> "$work/err" &
    pid=$!
}
# Polled briskly rather than with --sync (half a second a try): the splash lasts 750 ms.
smoke_window() {
    local tries=600
    wid=
    while [ -z "$wid" ] && [ $tries -gt 0 ]; do
        wid=$(xdotool search --name '^Pilo$' 2>/dev/null | head -n 1)
        [ -n "$wid" ] || sleep 0.05
        tries=$((tries - 1))
    done
    [ -n "$wid" ] || fail "no window titled Pilo"
}

# probe X Y...: the window's size line, then the colour of each pixel, from a fresh dump.
probe() {
    timeout 10 xwd -silent -id "$wid" > "$work/shot.xwd" || return 1
    "$SMOKE_PROBE" "$work/shot.xwd" "$@"
}
# colours X Y...: the colours alone, on one line.
colours() { probe "$@" | tail -n +2 | tr '\n' ' '; }

expect_size() {
    local size
    size=$(probe | head -n 1)
    [ "$size" = "size $1 $2" ] || fail "window is '$size', expected $1 x $2"
}

# expect_pixels "X Y RRGGBB"...: retried for five seconds while the frame reaches the screen.
expect_pixels() {
    local args=() want=() got= tries=50 spec
    for spec in "$@"; do
        set -- $spec
        args+=("$1" "$2")
        want+=("$3")
    done
    while [ $tries -gt 0 ]; do
        got=$(colours "${args[@]}")
        [ "$got" = "${want[*]} " ] && return 0
        kill -0 "$pid" 2>/dev/null || fail "ended while waiting for pixels ${args[*]}"
        sleep 0.1
        tries=$((tries - 1))
    done
    fail "pixels at (${args[*]}): got '$got', expected '${want[*]}'"
}

# expect_exit SECONDS: the program ends by itself within the time, with status 0.
expect_exit() {
    local tries=$(($1 * 10)) status
    while kill -0 "$pid" 2>/dev/null && [ $tries -gt 0 ]; do
        sleep 0.1
        tries=$((tries - 1))
    done
    kill -0 "$pid" 2>/dev/null && fail "still running $1 s later"
    wait "$pid"
    status=$?
    pid=
    [ $status -eq 0 ] || fail "exited with $status"
}

# load_layout TOOL: its NAME X Y [RRGGBB] lines become NAME_x, NAME_y and NAME_c; at NAME
# prints "X Y" and colour_of NAME the colour.
load_layout() {
    local name x y colour
    "$1" > "$work/layout" || fail "the layout tool failed"
    while read -r name x y colour; do
        printf -v "${name}_x" '%s' "$x"
        printf -v "${name}_y" '%s' "$y"
        printf -v "${name}_c" '%s' "${colour:-}"
    done < "$work/layout"
}
at() { local x="${1}_x" y="${1}_y"; echo "${!x} ${!y}"; }
colour_of() { local c="${1}_c"; echo "${!c}"; }
