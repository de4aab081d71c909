#!/usr/bin/env bash
# Two copies of the real program talk to each other in the machine dialogue
# "Cpu\Cpu" through one exchange file, under Xvfb, driven by xdotool as a
# user would drive them: each copy runs in a working folder of its own (a
# fresh copy of the delivered phrase base and sounds), gets the exchange file's path typed into its editor
# window "Редактор" and is switched to "C&pu\Cpu" through its menu. After
# about fifteen seconds both leave through "В&ыход", which writes their
# dialogue logs; the logs must show at least ten turns in which a copy
# answered the other copy's last reply.
#
# Usage: machine_dialogue_e2e.sh PROGRAM LIST_DUMP DATA_FOLDER
# Exit codes: 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
set -uo pipefail

program=$(realpath "$1")
dump=$(realpath "$2")
data=$(realpath "$3")
minimumExchanges=10

if ! command -v Xvfb >/dev/null 2>&1 || ! command -v xdotool >/dev/null 2>&1; then
    echo "SKIP: Xvfb or xdotool is not installed"
    exit 77
fi

export LC_ALL=C.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/sob-e2e-dialogue-XXXXXX")
pids=()
failed=0

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
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
    for copy in A B; do
        [ -s "$work/$copy.err" ] && { echo "--- copy $copy"; cat "$work/$copy.err"; }
    done
    exit 1
}

# ---- an X server on a free display ----
# shellcheck source=../../scripts/lib/xvfb.sh
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
start_xvfb 1280x1024x24 "$work/xvfb.log" || fail "Xvfb did not start"
pids+=("$XVFB_PID")
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb SOBESEDNIK_NO_SOUND=1
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
echo "display $DISPLAY"

# The exchange file holds the opening phrase. Its path is typed into each
# copy's editor in Linux form.
mkdir "$work/shared"
exchange="$work/shared/Txt.Dat"
printf 'Привет\r\n' | iconv -f UTF-8 -t WINDOWS-1251 >"$exchange"

# Each copy in its own folder. Farewell lines ("@" at the end) are taken out
# of the keyword file, so that neither copy says goodbye and closes itself
# halfway through.
declare -A pid window
for copy in A B; do
    mkdir "$work/$copy"
    cp -r "$data/Base" "$data/Sound" "$work/$copy/" || fail "no phrase base or sounds in $data"
    perl -i -ne 'print unless /\@\r?$/' "$work/$copy/Base/Words.Dat"
    (cd "$work/$copy" && exec "$program") >"$work/$copy.err" 2>&1 &
    pid[$copy]=$!
    pids+=("${pid[$copy]}")
    window[$copy]=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "${pid[$copy]}" \
        --name 'Разработчик' | head -1)
    [ -n "${window[$copy]}" ] || fail "copy $copy showed no window"
done
sleep 1  # the start-up ticks: the base is counted, the window shakes

# Keys go to a copy's main window. A Cyrillic access key is not on the
# keyboard of Xvfb: xdotool maps it to a spare key code, sends it and undoes
# the mapping at once, so a program that reads the key late (a loaded
# machine) may find the key code meaning nothing and the key is lost. Every
# key is therefore checked by what it must open or close, and a step whose
# key went astray is taken again from the start.
focus() { xdotool windowfocus --sync "${window[$1]}"; sleep 0.3; }

# The windows a copy shows: its main window, its editor, and each menu,
# submenu, picker or box that is open.
windows() { xdotool search --all --onlyvisible --pid "${pid[$1]}" 2>/dev/null | wc -l; }
expectWindows() {  # copy count: waits up to two seconds
    for _ in $(seq 40); do
        [ "$(windows "$1")" -eq "$2" ] && return 0
        sleep 0.05
    done
    return 1
}
# Presses a key and waits for the copy to show the given number of windows.
press() {  # copy keys count
    # shellcheck disable=SC2086 # the keys are words
    xdotool key $2
    expectWindows "$1" "$3"
}
# Closes whatever menu, picker or box a stray key left open.
settle() {
    for _ in $(seq 5); do
        [ "$(windows "$1")" -le 1 ] && return 0
        xdotool key Escape
        sleep 0.3
    done
    fail "copy $1 keeps a menu or box open"
}
attempt() {  # copy step: up to three times
    local try
    for try in 1 2 3; do
        settle "$1"
        focus "$1"
        "$2" "$1" && return 0
        echo "copy $1: a key of '$2' went astray (attempt $try)"
    done
    fail "copy $1: '$2' did not succeed"
}

# "&Настройки" / "Ре&дактор": type the path, Tab to "Хорошо", press it. The
# editor moves the focus between its fields every two seconds; all of this
# is done well within the first two.
setExchangePath() {
    press "$1" alt+Cyrillic_en 2 || return 1
    xdotool key Cyrillic_de
    for _ in $(seq 40); do
        xdotool search --all --onlyvisible --pid "${pid[$1]}" --name 'Редактор' >/dev/null && break
        sleep 0.05
    done
    xdotool search --all --onlyvisible --pid "${pid[$1]}" --name 'Редактор' >/dev/null || return 1
    xdotool key ctrl+a
    xdotool type --delay 5 "$exchange"
    press "$1" "Tab Tab space" 1 || fail "copy $1 did not close its editor"
}

# "&Настройки" / "&Режим" / "C&pu\Cpu", all but the last key (Return).
# "Цвет &реплик" shares the access key of "&Режим": the first press opens
# that one, Escape closes it again and the second press reaches "&Режим",
# whose submenu opens on its first item, "&Cpu\User"; Down goes to
# "C&pu\Cpu".
openModeMenu() {
    press "$1" alt+Cyrillic_en 2 || return 1
    press "$1" Cyrillic_er 3 || return 1
    press "$1" Escape 2 || return 1
    press "$1" Cyrillic_er 3 || return 1
    xdotool key Down
    sleep 0.2
}
switchToMachineDialogue() {
    openModeMenu "$1" || return 1
    press "$1" Return 1
}

# "&Система" / "В&ыход": the dialogue log is written, the copy ends.
leave() {
    press "$1" alt+Cyrillic_es 2 || return 1
    xdotool key Cyrillic_yeru
    for _ in $(seq 100); do
        kill -0 "${pid[$1]}" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

attempt A setExchangePath
attempt B setExchangePath

# A's first exchange tick comes 3 s after its switch, then one every second;
# B is switched about 1.5 s after A, so that its ticks fall between A's.
attempt A switchToMachineDialogue
switchedA=$(date +%s%N)
settle B
focus B
if openModeMenu B; then
    now=$(date +%s%N)
    wait=$(((switchedA + 1500000000 - now) / 1000000))
    [ "$wait" -gt 0 ] && sleep "$(printf '%d.%03d' $((wait / 1000)) $((wait % 1000)))"
    press B Return 1 || attempt B switchToMachineDialogue
else
    attempt B switchToMachineDialogue
fi

sleep 16

for copy in A B; do
    attempt "$copy" leave
    wait "${pid[$copy]}"
    code=$?
    [ "$code" = 0 ] || fail "copy $copy ended with code $code"
done

# The logs: each turn of a copy is a "USER:" line (the phrase it read) and
# the "CPU:" line after it (its reply). Putting the two copies' turns in the
# order they happened, every phrase must be the last reply written before it
# (as the turn prepares it: first letter capitalised, end punctuation
# completed); a turn that answers the other copy's reply is an exchange.
for copy in A B; do
    (cd "$work/$copy" && "$dump" 'Base\Log.Mardun') >"$work/$copy.log" ||
        fail "copy $copy left no readable dialogue log"
done
cat >"$work/check.pl" <<'PERL'
use strict;
use warnings;
use utf8;
use open qw(:std :encoding(UTF-8));

sub turns {
    my ($name, $path) = @_;
    open my $in, '<', $path or die "cannot read $path\n";
    my @turns;
    while (<$in>) {
        chomp;
        if (/^USER:     (.*)$/) {
            push @turns, { copy => $name, phrase => $1 };
        } elsif (/^CPU:     (.*)$/ && @turns && !defined $turns[-1]{reply}) {
            $turns[-1]{reply} = $1;  # later CPU lines are remarks
        }
    }
    return grep { defined $_->{reply} } @turns;
}

# What a turn makes of the text it reads: a small Cyrillic first letter
# capitalised, the end punctuation completed.
sub prepared {
    my ($s) = @_;
    return $s if $s eq '';
    $s = uc(substr($s, 0, 1)) . substr($s, 1) if $s =~ /^[а-яё]/;
    if ($s =~ /,$/) { $s =~ s/,$/./ }
    elsif ($s !~ /[.!?]$/) { $s .= '.' }
    return $s;
}

my ($logA, $logB, $minimum) = @ARGV;
my @queue = ([turns('A', $logA)], [turns('B', $logB)]);
die "copy A took no turn\n" unless @{ $queue[0] };
die "copy B took no turn\n" unless @{ $queue[1] };

my $last = { copy => '', reply => 'Привет' };  # the opening phrase
# Every text that went through the exchange file, with the copies that wrote it.
my %written = (prepared('Привет') => { '' => 1 });
my ($exchanges, $taken) = (0, 0);
while (1) {
    my @fits = grep { @{ $queue[$_] } && $queue[$_][0]{phrase} eq prepared($last->{reply}) } 0, 1;
    # With no turn-taking between the copies, a copy may read a reply that the
    # other copy overwrites a moment later, and answer that: still a text that
    # went through the file.
    @fits = grep { @{ $queue[$_] } && exists $written{ $queue[$_][0]{phrase} } } 0, 1 unless @fits;
    last unless @fits;
    # Both copies may have read the same text; the one that did not write it
    # comes first.
    my ($pick) = grep { $queue[$_][0]{copy} ne $last->{copy} } @fits;
    $pick //= $fits[0];
    my $turn = shift @{ $queue[$pick] };
    my $writers = $written{ $turn->{phrase} } // {};
    ++$exchanges if grep { $_ ne '' && $_ ne $turn->{copy} } keys %$writers;
    $written{ prepared($turn->{reply}) }{ $turn->{copy} } = 1;
    print "$turn->{copy}: $turn->{phrase} -> $turn->{reply}\n";
    $last = $turn;
    ++$taken;
}
my $left = @{ $queue[0] } + @{ $queue[1] };
print "$taken turns in order, $exchanges answering the other copy, $left left over\n";
# Only the end may be left over: after one copy has gone, the other one is
# still running and answers its own replies until it goes too.
die "the turns do not follow one another through the exchange file\n" if $left > 2;
die "only $exchanges exchanges, wanted $minimum\n" if $exchanges < $minimum;
PERL
perl "$work/check.pl" "$work/A.log" "$work/B.log" "$minimumExchanges" ||
    fail "the dialogue logs do not show the two copies answering each other"
echo "1 passed, 0 failed"
