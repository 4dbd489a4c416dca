#!/usr/bin/env bash
# idle_cpu.sh: idle CPU of afx-demo on the SDL host under Xvfb: the share of one core its
# process uses (utime + stime from /proc/PID/stat) while it sits with its counter ticking.
# Usage: bench/user/idle_cpu.sh [seconds, default 10] [afx-demo binary, default build/default]
set -euo pipefail
cd "$(dirname "$0")/../.."
idle_s=${1:-10}
demo=${2:-build/default/tests/afxdemo/afx-demo}
[ -x "$demo" ] || { echo "idle_cpu: $demo is not built"; exit 1; }
if [ "${IDLE_CPU_INNER:-}" != 1 ]; then
    export IDLE_CPU_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$idle_s" "$demo"
fi

ticks=$(getconf CLK_TCK)
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy PILO_SCALE=1 PILO_REPORT_FIRST_FRAME=1 \
    "$demo" > "$work/out" 2> "$work/err" &
pid=$!
for _ in $(seq 200); do
    grep -q "first frame at" "$work/err" && break
    sleep 0.05
done
grep -q "first frame at" "$work/err" || { echo "idle_cpu: no frame"; cat "$work/err"; exit 1; }
sleep 1  # past start-up
cpu0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep "$idle_s"
cpu1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
awk -v a="$cpu0" -v b="$cpu1" -v t="$ticks" -v s="$idle_s" \
    'BEGIN {printf "afx-demo idle CPU over %d s: %.2f %% of a core\n", s, (b - a) * 100 / t / s}'
