#!/usr/bin/env bash
# Mind Prism for Windows, from Linux: installs what it needs, builds the
# static wxMSW toolkit and Graphviz's layout when they are not cached
# (tools/windows/build-toolkit.sh, tools/windows/build-graphviz.sh),
# cross-builds the program, its tests and its installer into build-windows/,
# then runs the Windows tests under Wine in a fresh prefix (a virtual X
# server is started when no DISPLAY is set).
# Usage: tools/windows.sh          build and test
#        tools/windows.sh build    build only
#        tools/windows.sh bench    build, then the start-up and load ratios
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/tools/windows/wine.sh"

MODE=${1:-test}
BUILD=$ROOT/build-windows

ensure_packages "${WINDOWS_PACKAGES[@]}"
[ "$MODE" = build ] || ensure_packages "${WINE_PACKAGES[@]}"

echo "== Windows: toolkit"
TOOLKIT=$("$ROOT/tools/windows/build-toolkit.sh")
echo "== Windows: Graphviz's layout"
GRAPHVIZ=$("$ROOT/tools/windows/build-graphviz.sh")

echo "== Windows: build"
# A build made against another toolkit (an older cache folder) starts afresh.
if [ -f "$BUILD/CMakeCache.txt" ] &&
   [ "$(sed -n 's/^WX_CONFIG:[A-Z]*=//p' "$BUILD/CMakeCache.txt")" != "$TOOLKIT/bin/wx-config" ]; then
    rm -rf "$BUILD"
fi
# Bench programs are small; the tests need them built too (ctest runs what
# is there). The Linux checker, when built, is what the Windows one's web
# pages are compared with.
LINUX_CHECKER=
[ -x "$ROOT/build/mindprism-check" ] && LINUX_CHECKER=$ROOT/build/mindprism-check
configure_and_build "$BUILD" "${TEST_BUILD_OPTIONS[@]}" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/MinGW-w64.cmake" \
    -DWX_CONFIG="$TOOLKIT/bin/wx-config" -DMINDPRISM_GRAPHVIZ_PREFIX="$GRAPHVIZ" -DCMAKE_BUILD_TYPE=Release \
    -DMINDPRISM_LINUX_CHECKER="$LINUX_CHECKER"
cmake --build "$BUILD" --target installer
[ "$MODE" = build ] && exit 0

SCRATCH=$(mktemp -d)
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$SCRATCH"
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
[ -n "${DISPLAY:-}" ] || start_xvfb

echo "== Windows: a fresh Wine prefix"
make_wine_prefix "$SCRATCH/wine"

if [ "$MODE" = bench ]; then
    exec "$ROOT/tools/windows/bench.sh" "$BUILD"
fi

echo "== Windows: tests under Wine"
# Wine now and then fails to start a program: it ends at once without a word,
# or a program that is there is not found. A failed test is run once more,
# alone, after its failure is printed in full; one that fails again fails
# the stage.
if ! ctest --test-dir "$BUILD" -j "$JOBS" --output-on-failure --no-tests=error; then
    echo "== Windows: the failed tests once more"
    ctest --test-dir "$BUILD" --rerun-failed --output-on-failure
fi
