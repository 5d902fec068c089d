#!/usr/bin/env bash
# Windows figures under Wine, as ratios measured in the same run:
#   start-up of mindprism.exe against a bare toolkit window (from starting
#   Wine until the window is on screen), and the quiz load against the
#   toolkit's bare XML load. Figures only: nothing here passes or fails.
# Usage: tools/windows/bench.sh BUILD_DIR   (tools/windows.sh bench sets up
# DISPLAY and WINEPREFIX and calls it)
set -euo pipefail
BUILD=$(cd "$1" && pwd)
ROUNDS=5
SETTINGS_KEY='HKCU\Software\Larkspan\Mindprism'

# seconds_to_window EXE TITLE_REGEX: from start to the window shown.
seconds_to_window() {
    local start end pid id
    start=$(date +%s.%N)
    (cd "$BUILD" && exec wine "$1" >/dev/null 2>&1) &
    pid=$!
    id=$(timeout 120 xdotool search --sync --onlyvisible --name "$2" | head -n 1)
    end=$(date +%s.%N)
    xdotool key --window "$id" alt+F4
    wait "$pid" || true
    echo "$end - $start" | bc
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The stored language keeps the first-start question out of the timing.
wine reg add "$SETTINGS_KEY" /v ui_language /d en /f >/dev/null
# One unmeasured start of each warms Wine's and the system's caches.
seconds_to_window bench/windows/startup_baseline.exe '^Baseline window$' >/dev/null
seconds_to_window mindprism.exe '^Mind Prism - ' >/dev/null
baseline=() program=()
for _ in $(seq "$ROUNDS"); do
    baseline+=("$(seconds_to_window bench/windows/startup_baseline.exe '^Baseline window$')")
    program+=("$(seconds_to_window mindprism.exe '^Mind Prism - ')")
done
b=$(printf '%s\n' "${baseline[@]}" | median)
p=$(printf '%s\n' "${program[@]}" | median)
echo "Start-up under Wine, median of $ROUNDS:"
printf '  bare toolkit window   %6.3f s\n  mindprism.exe         %6.3f s\n' "$b" "$p"
printf '  mindprism.exe / bare window: %.2f\n' "$(echo "$p / $b" | bc -l)"
echo
wine "$BUILD/bench/windows/quiz_load_ratio.exe" | tr -d '\r'
