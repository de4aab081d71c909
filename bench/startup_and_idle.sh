#!/usr/bin/env bash
# Measures the running program under Xvfb, on the phrase base delivered in
# data/, in a temporary working folder:
#  - start-up: from launching the process to its main window being shown
#    (seen from outside: the window found by xdotool; and as the program
#    reports its first paint, SOBESEDNIK_REPORT_READY=1);
#  - idle CPU: the program's user + system time over 20 s of doing nothing
#    (from /proc/PID/stat), as a percentage of one core.
#
# Usage: bench/startup_and_idle.sh [PROGRAM] [IDLE_SECONDS]
# PROGRAM defaults to the build of scripts/run (built here if missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/run/src/app/sobesednik}
idle_seconds=${2:-20}

for tool in Xvfb xdotool; do
    command -v $tool >/dev/null || { echo "$tool is needed" >&2; exit 1; }
done
if [ ! -x "$program" ]; then
    cmake -S "$root" -B "$root/build/run" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSOB_BUILD_QT=ON \
        -DSOB_BUILD_TESTS=OFF >/dev/null
    cmake --build "$root/build/run" --target sobesednik -j "$(nproc)" >/dev/null
    program=$root/build/run/src/app/sobesednik
fi
program=$(realpath "$program")

work=$(mktemp -d "${TMPDIR:-/tmp}/sob-bench-XXXXXX")
xvfb_pid=
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$root/scripts/lib/xvfb.sh"
start_xvfb || { echo "no X server could be started" >&2; exit 1; }
xvfb_pid=$XVFB_PID
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY

cp -R "$root/data" "$work/folder"
cd "$work/folder"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
started=$(now_ms)
SOBESEDNIK_REPORT_READY=1 "$program" 2>"$work/err" &
pid=$!
window=
until window=$(xdotool search --name "Мардун" 2>/dev/null | head -n1) && [ -n "$window" ]; do
    kill -0 "$pid" 2>/dev/null || { cat "$work/err"; echo "the program ended" >&2; exit 1; }
    [ $(($(now_ms) - started)) -gt 30000 ] && { echo "no window after 30 s" >&2; exit 1; }
    sleep 0.005
done
mapped=$(($(now_ms) - started))
until grep -q "window shown" "$work/err"; do sleep 0.01; done
painted=$(sed -n 's/.*window shown after \([0-9]*\) ms.*/\1/p' "$work/err")

# Idle as a user leaves it: the window has the keyboard focus (its input
# line takes it), past the start-up ticks (the statistics come about 1 s
# after start).
xdotool windowfocus --sync "$window"
sleep 2
ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu_ticks)
sleep "$idle_seconds"
after=$(cpu_ticks)
idle=$(awk -v d=$((after - before)) -v hz="$ticks_per_second" -v s="$idle_seconds" \
    'BEGIN { printf "%.2f", 100 * d / hz / s }')

echo "start to window mapped (outside):    ${mapped} ms"
echo "start of main() to first paint:      ${painted} ms"
echo "idle CPU over ${idle_seconds} s:                 ${idle} % of one core ($((after - before)) ticks of 1/${ticks_per_second} s)"
