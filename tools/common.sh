# Shared by run.sh and test.sh: Debian packages and the build folder.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)

# Packages needed to build and run the application. The checker draws quiz
# maps with Graphviz's libraries (libgvc6 brings the layout, cairo and Pango
# plugins and registers them on install); the Chinese font serves both.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config gettext libwxgtk3.2-dev libgtk-3-dev wx3.2-i18n
                fonts-wqy-microhei libgraphviz-dev libgvc6)

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

# configure_and_build DIR [cmake options...] [--target T]: an incremental
# build in DIR (all targets unless one is named).
configure_and_build() {
    local dir=$1 options=() target=()
    shift
    while [ $# -gt 0 ]; do
        if [ "$1" = "--target" ]; then target=(--target "$2"); shift 2
        else options+=("$1"); shift; fi
    done
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" \
            >/dev/null
    fi
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
