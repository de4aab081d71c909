#!/usr/bin/env bash
# End-to-end test of sobesednik: the real program in a real X window under
# Xvfb, in a temporary working folder holding a small phrase base.
#
#  1. Russian keyboard layout where the server takes it: type two phrases
#     and Enter (keys by keysym, each on its own key as a Russian keyboard
#     has it; else typed slowly through remapped keys), then leave through
#     "&Система" -> "В&ыход" by access keys (Alt+С, then Ы). Check the
#     dialogue log block and the key learnt in Words.Dat.
#  2. US layout: the same access keys sent as keysyms xdotool has to map
#     (alt+Cyrillic_es, Cyrillic_yeru); a second log block, empty record.
#  3. Without Sound\Close.wav: the "Application Error" box, exit code 1.
# (And first: without a display, a clear message and a non-zero exit.)
#
# Usage: run_e2e.sh PROGRAM LIST_DUMP SOUND_FOLDER
# Exit codes: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
set -uo pipefail

program=$(realpath "$1")
dump=$(realpath "$2")
sounds=$(realpath "$3")

if ! command -v Xvfb >/dev/null 2>&1 || ! command -v xdotool >/dev/null 2>&1; then
    echo "SKIP: Xvfb or xdotool is not installed"
    exit 77
fi

export LC_ALL=C.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/sob-e2e-XXXXXX")
xvfb_pid=
program_pid=
failed=0

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    if [ "$failed" = 0 ]; then rm -rf "$work"; else echo "work folder kept: $work"; fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    failed=1
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null 2>&1; then
        import -window root "$work/failure.png" 2>/dev/null && echo "screen: $work/failure.png"
    fi
    for log in "$work"/run*.err; do
        [ -f "$log" ] && { echo "--- $log"; cat "$log"; }
    done
    exit 1
}

# Polls a command until it succeeds; fails after the timeout (seconds).
wait_for() {
    local timeout=$1 what=$2
    shift 2
    local deadline=$((SECONDS + timeout))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $deadline ] && fail "timed out waiting for $what"
        sleep 0.05
    done
}

# ---- 0. no display: a clear message, no crash ----
no_display=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
code=$?
[ "$code" != 0 ] || fail "started without a display"
[ "$code" -lt 128 ] || fail "crashed without a display (code $code)"
grep -q "no display: set DISPLAY" <<<"$no_display" || fail "no clear message without a display: $no_display"

# ---- an X server on a free display ----
# shellcheck source=../../scripts/lib/xvfb.sh
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
start_xvfb 1024x768x24 "$work/xvfb.log" || fail "no X server could be started"
xvfb_pid=$XVFB_PID
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
echo "display $DISPLAY"

# ---- the working folder: a small phrase base, the sounds ----
base="$work/folder"
mkdir -p "$base/Base" "$base/Sound"
write_list() {  # file, UTF-8 lines -> Windows-1251 lines ended by CR LF
    local file=$1
    shift
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP1251 >"$base/Base/$file"
}
write_list Words.Dat "Фразы программы" "ПРИВЕТ^Здравствуй!;"
write_list W1.Dat "Не знаю."
write_list W2.Dat "Понятно."
write_list Povtor.Dat "Ты повторяешься."
write_list X.Dat "Не ругайся."
write_list BigString.Dat "Длинно."
write_list Pause.Dat "Ты здесь?"
write_list AI.dat "Мне скучно."
: >"$base/Base/Log.Mardun"
cp "$sounds"/*.wav "$base/Sound/" || fail "no sounds in $sounds"

run=0
start_program() {
    run=$((run + 1))
    (cd "$base" && SOBESEDNIK_REPORT_READY=1 exec "$program" 2>"$work/run$run.err") &
    program_pid=$!
}

# Waits for the main window to be shown and gives it the keyboard focus.
main_window() {
    wait_for 20 "the main window" grep -q "window shown" "$work/run$run.err"
    local window
    window=$(xdotool search --name "Мардун" | head -n1)
    [ -n "$window" ] || fail "main window not found"
    xdotool windowfocus --sync "$window"
    # The program takes the focus into its input line once the window is
    # active; let it settle before typing.
    sleep 0.1
}

# Waits for the program to end; sets `code`.
wait_exit() {
    local deadline=$((SECONDS + $1))
    while kill -0 "$program_pid" 2>/dev/null; do
        [ $SECONDS -ge $deadline ] && fail "the program did not end"
        sleep 0.05
    done
    wait "$program_pid"
    code=$?
    program_pid=
}

# shellcheck source=../../scripts/lib/russian_keys.sh
source "$(dirname "$0")/../../scripts/lib/russian_keys.sh"

dump_list() { (cd "$base" && "$dump" "$1"); }

# ---- 1. a conversation on a Russian layout, left through the menu ----
use_russian_layout
start_program
main_window
type_russian "привет" Return
type_russian "как погода" Return
# The second turn learns the phrase as a new key of the keyword file.
wait_for 15 "the learnt key in Words.Dat" bash -c "cd '$base' && '$dump' 'Base\\Words.Dat' | grep -qxF 'КАК ПОГОДА.^'"
head -c 5 "$base/Base/Words.Dat" | grep -q '{\\rtf' || fail "Words.Dat was not written as RTF"
xdotool key --delay 150 alt+Cyrillic_es Cyrillic_yeru
wait_exit 15
[ "$code" = 0 ] || fail "exit through the menu ended with code $code"

mapfile -t words < <(dump_list 'Base\Words.Dat')
expected_words=("Фразы программы" "ПРИВЕТ^Здравствуй!;" "КАК ПОГОДА.^")
[ "${words[*]}" = "${expected_words[*]}" ] || fail "Words.Dat holds: ${words[*]}"
mapfile -t w2 < <(dump_list 'Base\W2.Dat')
[ "${w2[*]}" = "Понятно. Как погода." ] || fail "W2.Dat holds: ${w2[*]}"

# The log block, a spontaneous remark (random) aside.
check_block() {  # first line index, record lines...
    local at=$1
    shift
    local hyphens underscores tildes equals
    hyphens=$(printf '%.0s-' {1..80})
    underscores="                      $(printf '%.0s_' {1..30})"
    tildes="                      $(printf '%.0s~' {1..30})"
    equals=$(printf '%.0s=' {1..53})
    [ "${log[at]}" = "" ] || fail "block line 1 is not empty: '${log[at]}'"
    [ "${log[at + 1]}" = "$hyphens" ] || fail "block line 2: '${log[at + 1]}'"
    [ "${log[at + 2]}" = "$underscores" ] || fail "block line 3: '${log[at + 2]}'"
    [[ "${log[at + 3]}" =~ ^\ {22}Дата\ -\ [^\ ].*\ \ \ \|\ \ \ Время\ -[^\ ].*[^\ ]$ ]] ||
        fail "block line 4: '${log[at + 3]}'"
    [ "${log[at + 4]}" = "$tildes" ] || fail "block line 5: '${log[at + 4]}'"
    [ "${log[at + 5]}" = "//Загружено фраз выученных программой: 2" ] || fail "block line 6: '${log[at + 5]}'"
    local record=() i=$((at + 6))
    while [ $i -lt ${#log[@]} ] && [ "${log[i]}" != "$equals" ]; do
        [ "${log[i]}" = "CPU:     Мне скучно." ] || record+=("${log[i]}")
        i=$((i + 1))
    done
    [ "${log[i]:-}" = "$equals" ] || fail "block has no closing line"
    local expected=("$@")
    if [ "${record[*]:-}" != "${expected[*]:-}" ]; then
        printf '  logged:   %s\n' "${record[@]:-}"
        printf '  expected: %s\n' "${expected[@]:-}"
        fail "dialogue record in the log"
    fi
    next_block=$((i + 1))
}
mapfile -t log < <(dump_list 'Base\Log.Mardun')
check_block 0 "USER:     Привет." "CPU:     Здравствуй!" "USER:     Как погода." "CPU:     Понятно."
[ $next_block = ${#log[@]} ] || fail "more than one block after the first exit"
head -c 5 "$base/Base/Log.Mardun" | grep -q '{\\rtf' || fail "the log was not written as RTF"
echo "run 1: conversation logged, key learnt"

# ---- 2. access keys as keysyms on a US layout: an exit right after start ----
[ "$RUSSIAN_LAYOUT" = 1 ] && setxkbmap -layout us
start_program
main_window
# Out of the window manager's resize synchronisation, which would stop a
# window manager following the farewell's resize every millisecond.
if command -v xprop >/dev/null 2>&1; then
    protocols=$(xprop -id "$(xdotool search --name "Мардун" | head -n1)" WM_PROTOCOLS)
    grep -q WM_DELETE_WINDOW <<<"$protocols" || fail "no close protocol: $protocols"
    if grep -q _NET_WM_SYNC_REQUEST <<<"$protocols"; then fail "resize synchronisation: $protocols"; fi
fi
xdotool key --delay 150 alt+Cyrillic_es Cyrillic_yeru
wait_exit 15
[ "$code" = 0 ] || fail "second exit ended with code $code"
mapfile -t log < <(dump_list 'Base\Log.Mardun')
check_block 0 "USER:     Привет." "CPU:     Здравствуй!" "USER:     Как погода." "CPU:     Понятно."
check_block "$next_block"
[ $next_block = ${#log[@]} ] || fail "unexpected lines after the second block"
echo "run 2: empty dialogue logged as a second block"

# ---- 3. a missing sound file ends the start-up ----
rm "$base/Sound/Close.wav"
start_program
wait_for 20 "the Application Error box" xdotool search --name "^Application Error$"
box=$(xdotool search --name "^Application Error$" | head -n1)
grep -q "Application Error" "$work/run$run.err" || fail "no error on standard error"
grep -q 'Close.wav' "$work/run$run.err" || fail "the error does not name the file"
xdotool windowfocus --sync "$box"
sleep 0.2
xdotool key Return
wait_exit 15
[ "$code" = 1 ] || fail "start-up without Close.wav ended with code $code, not 1"
echo "run 3: missing Sound\\Close.wav refused with code 1"

echo "e2e: all checks passed"
