#!/bin/bash
# Takes the README's screenshots: the program runs under Xvfb with the openbox
# window manager (for the title bars), on a fresh copy of data/, and xdotool
# drives it as a user would. Needs: Xvfb, openbox, xdotool, x11-utils,
# imagemagick, and a built program (default build/src/app/sobesednik).
#
#   docs/make_screenshots.sh [path/to/sobesednik]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
program=$(realpath "${1:-$repo/build/src/app/sobesednik}")
work=$(mktemp -d)
export QT_QPA_PLATFORM=xcb

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM HUP PIPE

source "$repo/scripts/lib/xvfb.sh"
start_xvfb || { echo "no X server could be started" >&2; exit 1; }
pids+=("$XVFB_PID")
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

cp -r "$repo/data/." "$work/"
(cd "$work" && exec "$program") >/dev/null 2>&1 &
pids=($! "${pids[@]}")

window() { xdotool search --onlyvisible --name "$1" | head -1 || true; }
# Waits up to five seconds for a window to appear (or, with "gone", to go).
waitFor() {
    for _ in $(seq 50); do
        if [ -n "$(window "$1")" ] && [ "${2:-}" != gone ]; then return 0; fi
        if [ -z "$(window "$1")" ] && [ "${2:-}" = gone ]; then return 0; fi
        sleep 0.1
    done
    echo "make_screenshots: no window '$1'" >&2
    return 1
}
geometry() {  # prints X Y W H of a window's client area
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                             /Width/{w=$2} /Height/{h=$2} END{print x, y, w, h}'
}
# Opens a menu of the window's menu bar by Alt and its Cyrillic access key,
# then walks to an item with the arrow keys (xdotool maps each Cyrillic keysym
# to a spare key code as it goes, which a second Cyrillic key sent right after
# the first can outrun; arrows need no mapping).
menu() {
    xdotool windowactivate --sync "$(window "$1")"
    sleep 0.5
    xdotool keydown alt
    sleep 0.2
    xdotool key "$2"
    sleep 0.2
    xdotool keyup alt
    sleep 0.5
    for key in "${@:3}"; do xdotool key "$key"; sleep 0.2; done
    xdotool key Return
    sleep 0.8
}
# The window with the frame the window manager draws around it; with a third
# argument, the frame of that window instead (a window shown over it).
shoot() {
    local id parent
    id=$(window "${3:-$1}")
    parent=$(xwininfo -id "$id" -tree | awk '/Parent window id/{print $4}')
    read -r x y w h < <(geometry "$parent")
    xdotool mousemove 1020 760
    sleep 0.5
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$here/$2"
    echo "docs/$2"
}
# Answers the colour pickers a settings command opens, through their HTML
# field. A command that opens the picker several times reopens it at once.
colours() {
    for colour in "$@"; do
        waitFor 'Select Color'
        sleep 0.5
        xdotool key alt+h
        sleep 0.2
        xdotool key ctrl+a type "$colour"
        sleep 0.2
        xdotool key Return
        sleep 1
    done
    waitFor 'Select Color' gone
    sleep 0.5
}
# Clicks a key of the virtual keyboard: a letter 0..32, caps, space or "?".
keyboardKeys() {
    local x0 y0 w h menuHeight x y
    read -r x0 y0 w h < <(geometry "$(window 'Виртуальная')")
    menuHeight=$((h - 145))
    for key in "$@"; do
        case $key in
            caps) x=221; y=130 ;;
            space) x=93; y=130 ;;
            "?") x=116; y=44 ;;
            *) if [ "$key" -lt 17 ]; then x=$((19 + 17 * key)); y=84
               else x=$((27 + 17 * (key - 17))); y=101; fi ;;
        esac
        xdotool mousemove $((x0 + x)) $((y0 + menuHeight + y)) click 1
        sleep 0.15
    done
}

main='Разработчик'
waitFor "$main"
sleep 3  # the entrance shake and the start-up counts
# Custom colours: transcript, window, input background, input text (in the
# submenu "Цвет реплик": user style, CPU style, input text), then the three
# button captions. The "Настройки" menu opens on its first item.
menu "$main" Cyrillic_en Down && colours '#f5efd8'
menu "$main" Cyrillic_en && colours '#3d6a86'
menu "$main" Cyrillic_en Down Down && colours '#fffbe6'
menu "$main" Cyrillic_en Down Down Down Down Right Down Down && colours '#1a237e'
menu "$main" Cyrillic_en Down Down Down Down Right && colours '#0d47a1'
menu "$main" Cyrillic_en Down Down Down Down Right Down && colours '#8e1b1b'
menu "$main" Cyrillic_en Down Down Down && colours '#7b1fa2' '#1b5e20' '#e65100'

# A short conversation, then a phrase typed in the Latin layout and converted.
for phrase in 'Привет!' 'Как тебя зовут?' 'Расскажи о себе' 'Что ты любишь?'; do
    xdotool type --delay 40 "$phrase"
    sleep 0.4
    xdotool key Return
    sleep 1.2
done
xdotool type --delay 40 'ghbdtn'
sleep 0.3
xdotool key ctrl+s
sleep 0.5
shoot "$main" screenshot-main.png
xdotool key ctrl+a BackSpace

# The virtual keyboard after "Как дела?" typed on it, over the main window,
# which takes no input meanwhile but stays readable.
menu "$main" Cyrillic_es Down
waitFor 'Виртуальная'
keyboardKeys caps 11 caps 0 11 space 4 5 12 0 "?"
shoot 'Виртуальная' screenshot-keyboard.png "$main"
menu 'Виртуальная' Cyrillic_es
waitFor 'Виртуальная' gone

# The about window, expanded by "История".
menu "$main" Cyrillic_pe
waitFor 'О программе'
read -r x y w h < <(geometry "$(window 'О программе')")
xdotool mousemove $((x + 280)) $((y + 108)) click 1
sleep 1
shoot 'О программе' screenshot-about.png
read -r x y w h < <(geometry "$(window 'О программе')")
xdotool mousemove $((x + 280)) $((y + 132)) click 1
waitFor 'О программе' gone

# The editor of the machine dialogue.
menu "$main" Cyrillic_en Down Down Down Down Down Down Down Down
waitFor 'Редактор'
shoot 'Редактор' screenshot-editor.png
