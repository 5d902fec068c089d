#!/usr/bin/env bash
# Builds the static wxMSW toolkit that the Windows program links against,
# from Debian's own source packages, with MinGW-w64: expat, libpng and
# libjpeg-turbo first (zlib comes from libz-mingw-w64-dev), then wxWidgets.
# The result is kept in a cache folder named by every version that went into
# it and reused when present. Prints that folder (the install prefix, with
# bin/wx-config) as the one line on standard output; progress goes to stderr.
# Usage: tools/windows/build-toolkit.sh
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TOOLCHAIN=$ROOT/cmake/MinGW-w64.cmake
HOST=x86_64-w64-mingw32

# Debian bookworm source packages, pinned. Should the archive have moved on
# (a newer security update replaces an older one), the newest version there
# is taken instead and the cache folder is named after it.
SOURCES=(
    "wxwidgets3.2=3.2.2+dfsg-2"
    "expat=2.5.0-1+deb12u2"
    "libpng1.6=1.6.39-2+deb12u5"
    "libjpeg-turbo=1:2.1.5-2"
)

log() { echo "build-toolkit: $*" >&2; }
source "$ROOT/tools/windows/debian-sources.sh"

# A folder is complete once its marker is written, the build's last step.
MARKER=.mindprism-toolkit-complete
PREFIX=$CACHE_ROOT/$(cache_name wxmsw "${SOURCES[@]}")
use_when_complete "$PREFIX"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/mindprism-toolkit.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
LOG=$WORK/build.log
read_source_index

RESOLVED=()
for entry in "${SOURCES[@]}"; do
    RESOLVED+=("$(resolve "$entry")")
done
PREFIX=$CACHE_ROOT/$(cache_name wxmsw "${RESOLVED[@]}")
use_when_complete "$PREFIX"

# Built straight into the cache folder (wx-config records its prefix); an
# interrupted build leaves no marker and is started afresh next time.
STAGE=$PREFIX
rm -rf "$STAGE"
mkdir -p "$STAGE"
export PKG_CONFIG_LIBDIR=$STAGE/lib/pkgconfig
export CFLAGS="-O2" CXXFLAGS="-O2"

# cmake_library SOURCE_DIR [options]: a static library with CMake, installed
# into the prefix. cmake_configure and cmake_install are its two halves.
cmake_configure() {
    local dir=$1
    shift
    run cmake -S "$dir" -B "$dir/build-msw" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
        -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$STAGE" "$@"
}
cmake_install() {
    run cmake --build "$1/build-msw" -j "$JOBS"
    run cmake --install "$1/build-msw"
}
cmake_library() {
    cmake_configure "$@"
    cmake_install "$1"
}

source_of() {
    local prefix=$1 entry
    for entry in "${RESOLVED[@]}"; do
        [ "${entry%%=*}" = "$prefix" ] && { echo "$entry"; return; }
    done
}

START=$SECONDS
log "building into $PREFIX (log: $LOG)"

log "expat"
fetch "$(source_of expat)" "$WORK/expat"
# The source tree keeps the library in expat/ (a copy of upstream's
# repository); it has CMake files but no generated configure script.
cmake_configure "$WORK/expat/expat" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF \
    -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
    -DEXPAT_BUILD_PKGCONFIG=ON
# Debian's security patches test "XML_DTD == 1", as autoconf defines it;
# CMake's generated header defines it empty.
sed -i 's/^#define XML_DTD *$/#define XML_DTD 1/' "$WORK/expat/expat/build-msw/expat_config.h"
cmake_install "$WORK/expat/expat"

log "libpng"
fetch "$(source_of libpng1.6)" "$WORK/libpng"
(cd "$WORK/libpng" && run ./configure --host=$HOST --prefix="$STAGE" --disable-shared \
     --enable-static CC=$HOST-gcc-posix && run make -j"$JOBS" && run make install)

log "libjpeg-turbo"
fetch "$(source_of libjpeg-turbo)" "$WORK/libjpeg"
# No SIMD: it needs nasm, and decoding two small pictures gains nothing.
cmake_library "$WORK/libjpeg" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF

log "wxWidgets: configure"
fetch "$(source_of wxwidgets3.2)" "$WORK/wx"
mkdir -p "$WORK/wx/build-msw"
(cd "$WORK/wx/build-msw" && run ../configure --host=$HOST --prefix="$STAGE" \
     CC=$HOST-gcc-posix CXX=$HOST-g++-posix \
     CPPFLAGS="-I$STAGE/include" LDFLAGS="-L$STAGE/lib" \
     --with-msw --disable-shared --enable-unicode --disable-dependency-tracking \
     --with-zlib=sys --with-expat=sys --with-libpng=sys --with-libjpeg=sys \
     --with-regex=builtin --without-libtiff --without-liblzma --without-libmspack \
     --without-opengl --disable-stc --disable-webview --disable-mediactrl \
     --disable-propgrid --disable-ribbon --disable-richtext --disable-xrc --disable-html \
     --disable-tests)
log "wxWidgets: build (about twenty minutes on two cores)"
(cd "$WORK/wx/build-msw" && run make -j"$JOBS" && run make install)
# The toolkit's Chinese catalogue comes with the program (wx3.2-i18n), so
# nothing of the toolkit's locale folder is kept here.

touch "$PREFIX/$MARKER"
log "done in $(( SECONDS - START )) s"
echo "$PREFIX"
