# Shared by run.sh, test.sh and windows.sh: Debian packages, build folders
# and options.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)

# Debian packages, one list per purpose.
# To build and run the application (tools/run.sh). The checker draws quiz
# maps with Graphviz's libraries (libgvc6 brings the layout, cairo and Pango
# plugins and registers them on install); the Chinese font serves both. Its
# JSON is written with nlohmann-json, and the balance of results solved with
# Eigen: header-only libraries both.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config gettext libwxgtk3.2-dev libgtk-3-dev wx3.2-i18n
                fonts-wqy-microhei libgraphviz-dev libgvc6 nlohmann-json3-dev libeigen3-dev)
# Beside those, for the tests and benchmarks (tools/test.sh): GoogleTest,
# Google Benchmark, pugixml, the X server, packaging and AppStream checks,
# the accessibility bus and xdotool for the end-to-end tests, clang for the
# fuzz targets, headless Chromium driven through Selenium for the exported
# web page.
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev libpugixml-dev xvfb xauth
               dpkg-dev file desktop-file-utils appstream
               dbus at-spi2-core python3-pyatspi xdotool clang libclang-rt-14-dev llvm-14
               chromium chromium-driver python3-selenium ccache)
# The Windows cross build (tools/windows.sh build; the JSON and Eigen headers
# serve it too; bison and flex make Graphviz's parsers) ...
WINDOWS_PACKAGES=(cmake ninja-build gettext wx3.2-i18n googletest curl dpkg-dev ccache
                  g++-mingw-w64-x86-64 libz-mingw-w64-dev nsis nlohmann-json3-dev libeigen3-dev
                  bison flex)
# ... and its tests under Wine.
WINE_PACKAGES=(wine wine64 xvfb xauth xdotool imagemagick fonts-wqy-microhei bc locales)

# tools/run.sh's build: the program, the checker and their run-time files,
# without tests or benchmarks, in a folder of its own so that it and
# tools/test.sh's build (build/) never undo each other's settings. What only
# the tests and benchmarks look for is hidden from CMake, so the program
# cannot come to need it unnoticed (tools/test.sh's first stage builds this
# way on a machine that has everything).
RUN_BUILD=$ROOT/build-run
TEST_ONLY_FIND_PACKAGES=(GTest benchmark pugixml X11)
RUN_OPTIONS=(-DMINDPRISM_TESTS=OFF -DMINDPRISM_BENCH=OFF -DMINDPRISM_FUZZ=OFF)
for package in "${TEST_ONLY_FIND_PACKAGES[@]}"; do
    RUN_OPTIONS+=("-DCMAKE_DISABLE_FIND_PACKAGE_$package=ON")
done
unset package

# Installs the Debian packages that are missing; quick when none are.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# The tests' builds are made afresh in every clone (CI clones anew each
# run): they reuse what ccache compiled before, when it is there. Paths in
# the clone count as relative ones, so another clone's folder still hits.
# tools/run.sh's build goes without, as a user's machine does.
TEST_BUILD_OPTIONS=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1
    TEST_BUILD_OPTIONS=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# configure_and_build DIR [cmake options...] [--target T]: an incremental
# build in DIR (all targets unless one is named). CMake runs every time, so
# the folder always has the options asked for now, whatever an earlier run
# gave it; when nothing changed that costs a few seconds.
configure_and_build() {
    local dir=$1 options=() target=()
    shift
    while [ $# -gt 0 ]; do
        if [ "$1" = "--target" ]; then target=(--target "$2"); shift 2
        else options+=("$1"); shift; fi
    done
    cmake -S "$ROOT" -B "$dir" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "${options[@]}" >/dev/null
    cmake --build "$dir" -j "$JOBS" "${target[@]}"
}

# Starts a virtual X server (Xvfb) on a free display and exports DISPLAY;
# the caller stops it (its process id is XVFB_PID).
start_xvfb() {
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
    XVFB_PID=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$display"
}
