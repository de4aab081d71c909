#!/bin/sh
# Builds data/Base (phrase base files: Windows-1251, CR LF line ends) and
# data/ReadMe.Txt from the UTF-8 sources in scripts/gen_data.
# Fails if a character has no Windows-1251 code.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
data="$here/../../data"
mkdir -p "$data/Base"

convert() { # source target
    tmp="$2.tmp"
    # drop a CR that might have slipped into the source, then end every line
    # (the last one included) with CR LF
    if ! sed -e 's/\r$//' "$1" | awk '{ printf "%s\r\n", $0 }' |
        iconv -f UTF-8 -t CP1251 >"$tmp"; then
        rm -f "$tmp"
        echo "make_base.sh: $1 holds a character that Windows-1251 cannot encode" >&2
        exit 1
    fi
    mv "$tmp" "$2"
}

for name in Words.Dat Povtor.Dat X.Dat BigString.Dat W1.Dat W2.Dat Pause.Dat AI.dat; do
    convert "$here/base/$name" "$data/Base/$name"
done
: >"$data/Base/Log.Mardun"
convert "$here/ReadMe.txt" "$data/ReadMe.Txt"
echo "make_base.sh: wrote $data/Base and $data/ReadMe.Txt"
