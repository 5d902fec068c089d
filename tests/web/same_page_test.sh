#!/usr/bin/env bash
# The Windows checker, under Wine, writes the same page as the Linux one for
# each shipped quiz, byte for byte.
# Usage: same_page_test.sh EMULATOR WINDOWS_CHECKER LINUX_CHECKER DATA_DIR OUT_DIR
set -euo pipefail
emulator=$1 windows=$2 linux=$3 data=$4 out=$5
mkdir -p "$out"
for quiz in "$data"/Quiz_*-zh_CN.xml "$data"/Quiz_*-en.xml; do
    name=$(basename "$quiz" .xml)
    "$linux" --web "$out/$name-linux.html" "$quiz" >/dev/null
    "$emulator" "$windows" --web "$(winepath -w "$out/$name-windows.html")" "$(winepath -w "$quiz")" >/dev/null
    cmp "$out/$name-linux.html" "$out/$name-windows.html"
    echo "$name: the same $(wc -c <"$out/$name-linux.html") bytes"
done
