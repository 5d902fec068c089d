#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest and CMake (the cross build's
# emulator): the program's CR LF line ends become LF, as the tools reading
# its output (GoogleTest's test discovery among them) expect. The exit
# status is the program's.
#
# Wine now and then fails to start a program at all: under load, about one
# suite run in twenty had one test end after 20 ms with a failure and not a
# byte of output (every test program prints before it can fail). Such a run
# is tried once more, and says so; a run that printed anything stands. This
# also covers CTest listing a suite's tests through this script, which the
# Windows stage's re-run of failed tests would not repeat.
set -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

run() {
    wine "$@" 2>"$err" | sed 's/\r$//' >"$out"
}

run "$@"
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; then
    echo "wine-run: '$1' ended with status $status before printing anything;" \
         "Wine is asked to start it once more" >&2
    run "$@"
    status=$?
fi
cat "$out"
cat "$err" >&2
exit "$status"
