#!/usr/bin/env bash
# Takes docs/main_window.png: the main window after a short conversation,
# under Xvfb with a small window manager (openbox, for the title bar) when
# one is installed, on a fresh copy of the delivered data.
# Needs: Xvfb, xdotool, x11-xkb-utils, x11-utils, imagemagick (import); openbox
# optional.
#
#   docs/main_window_screenshot.sh [path/to/sobesednik]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
program=$(realpath "${1:-$root/build/run/src/app/sobesednik}")
work=$(mktemp -d "${TMPDIR:-/tmp}/sob-shot-XXXXXX")
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$root/scripts/lib/xvfb.sh"
start_xvfb || { echo "no X server could be started" >&2; exit 1; }
pids+=("$XVFB_PID")
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/rt"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi
# shellcheck source=../scripts/lib/russian_keys.sh
source "$root/scripts/lib/russian_keys.sh"
use_russian_layout

cp -R "$root/data" "$work/folder"
cd "$work/folder"
SOBESEDNIK_REPORT_READY=1 "$program" 2>"$work/err" &
pids+=($!)
for _ in $(seq 400); do grep -q "window shown" "$work/err" 2>/dev/null && break; sleep 0.05; done
window=$(xdotool search --name "Мардун" | head -n1)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5

say() {  # types a Russian phrase, then Enter
    type_russian "$1" Return
    sleep 0.4
}
say "привет"
say "как тебя зовут"
say "что ты умеешь"
say "расскажи о себе"
type_russian "хорошо"
sleep 0.3
# The window with its frame: the parent of the client window, if framed.
frame=$(xwininfo -id "$window" -tree | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
[ "$(xwininfo -id "$frame" 2>/dev/null | grep -c 'Map State: IsViewable')" = 1 ] || frame=$window
import -window "$frame" "$here/main_window.png"
echo "wrote $here/main_window.png"
