# Sourced by the scripts that type Russian text into the program under an X
# server (end-to-end tests, screenshots).

# use_russian_layout: switches the display to the Russian layout. Sets
# RUSSIAN_LAYOUT=1 only once the server's keymap holds its letters; xdotool
# then sends each letter on its own key. Xvfb may accept the switch and keep
# its US keymap (RUSSIAN_LAYOUT=0): xdotool then remaps a spare key for every
# letter, which can race with the program reading the key before (a letter
# comes out as the next one), so type_russian types slowly.
use_russian_layout() {
    RUSSIAN_LAYOUT=0
    command -v setxkbmap >/dev/null 2>&1 && setxkbmap -layout ru 2>/dev/null || return 0
    if ! command -v xkbcomp >/dev/null 2>&1; then
        RUSSIAN_LAYOUT=1
        return 0
    fi
    local attempt
    for attempt in $(seq 5); do
        if xkbcomp -xkb "$DISPLAY" - 2>/dev/null | grep -q Cyrillic_ve; then
            RUSSIAN_LAYOUT=1
            return 0
        fi
        sleep 0.1
    done
}

# type_russian TEXT [KEY...]: types lower-case Russian text (letters, space,
# comma, question mark) key by key as keysyms, then the further keys given.
type_russian() {
    local -A sym=([а]=Cyrillic_a [б]=Cyrillic_be [в]=Cyrillic_ve [г]=Cyrillic_ghe [д]=Cyrillic_de
        [е]=Cyrillic_ie [ж]=Cyrillic_zhe [з]=Cyrillic_ze [и]=Cyrillic_i [й]=Cyrillic_shorti
        [к]=Cyrillic_ka [л]=Cyrillic_el [м]=Cyrillic_em [н]=Cyrillic_en [о]=Cyrillic_o
        [п]=Cyrillic_pe [р]=Cyrillic_er [с]=Cyrillic_es [т]=Cyrillic_te [у]=Cyrillic_u
        [ф]=Cyrillic_ef [х]=Cyrillic_ha [ц]=Cyrillic_tse [ч]=Cyrillic_che [ш]=Cyrillic_sha
        [щ]=Cyrillic_shcha [ъ]=Cyrillic_hardsign [ы]=Cyrillic_yeru [ь]=Cyrillic_softsign
        [э]=Cyrillic_e [ю]=Cyrillic_yu [я]=Cyrillic_ya [" "]=space [","]=comma ["?"]=question)
    local text=$1 keys=() i delay=150
    shift
    [ "${RUSSIAN_LAYOUT:-0}" = 1 ] && delay=60
    for ((i = 0; i < ${#text}; i++)); do keys+=("${sym[${text:i:1}]}"); done
    xdotool key --delay "$delay" "${keys[@]}" "$@"
}
