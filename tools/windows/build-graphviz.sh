#!/usr/bin/env bash
# Builds the part of Graphviz that lays quiz maps out (tools/windows/
# graphviz/CMakeLists.txt names it) as static libraries for the Windows
# program, from Debian's own source package, with MinGW-w64. Kept in a
# cache folder of its own, named by the version and the compiler, beside the
# toolkit's and reused when present. Prints that folder (the install
# prefix, with include/graphviz and lib) as the one line on standard
# output; progress goes to stderr.
# Usage: tools/windows/build-graphviz.sh
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TOOLCHAIN=$ROOT/cmake/MinGW-w64.cmake
HOST=x86_64-w64-mingw32

# The version Debian bookworm's libgraphviz-dev has, so that both platforms
# lay maps out alike.
SOURCE="graphviz=2.42.2-7+deb12u1"
# What the build itself reads: a change to it is a new build.
RECIPE_HASH=$(cat "${BASH_SOURCE[0]}" "$ROOT/tools/windows/graphviz/CMakeLists.txt" | md5sum | cut -c1-8)

log() { echo "build-graphviz: $*" >&2; }
source "$ROOT/tools/windows/debian-sources.sh"

MARKER=.mindprism-graphviz-complete
prefix_for() { echo "$CACHE_ROOT/$(cache_name "gvlayout-$RECIPE_HASH" "$1")"; }
PREFIX=$(prefix_for "$SOURCE")
use_when_complete "$PREFIX"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/mindprism-graphviz.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
LOG=$WORK/build.log
read_source_index
RESOLVED=$(resolve "$SOURCE")
PREFIX=$(prefix_for "$RESOLVED")
use_when_complete "$PREFIX"

START=$SECONDS
log "building into $PREFIX (log: $LOG)"
SRC=$WORK/graphviz
GEN=$WORK/generated
fetch "$RESOLVED" "$SRC"
mkdir -p "$GEN"

# The headers import every function from a DLL when compiled for Windows;
# linked statically, declarations are plain ones.
find "$SRC/lib" "$SRC/plugin/core" "$SRC/plugin/dot_layout" -name '*.[ch]' -print0 |
    xargs -0 sed -i 's/__declspec(dll\(im\|ex\)port)/extern/g'
# MinGW has no regular expressions. Graphviz uses them to load plugins
# (left out here) and to read the size of an SVG picture shown in a node,
# which quiz maps never have: a stand-in that never matches serves.
cat >"$GEN/regex.h" <<'EOF'
typedef struct { int unused; } regex_t;
typedef struct { int rm_so, rm_eo; } regmatch_t;
#define REG_EXTENDED 1
#define REG_NOSUB 4
static inline int regcomp(regex_t* re, const char* pattern, int flags) { return 1; }
static inline int regexec(const regex_t* re, const char* text, size_t count, regmatch_t* match,
                          int flags) { return 1; }
static inline void regfree(regex_t* re) {}
EOF

# What Graphviz's autotools build generates: the DOT and HTML-label parsers
# (named as it names them), the colour table and the PostScript font table.
(cd "$GEN" &&
     run bison -y -d "$SRC/lib/cgraph/grammar.y" &&
     sed 's/yy/aag/g; s/unsigned long int/uint64_t/g; s/unsigned long/uint64_t/g' y.tab.c >grammar.c &&
     sed 's/yy/aag/g; s/unsigned long int/uint64_t/g; s/unsigned long/uint64_t/g' y.tab.h >grammar.h &&
     run bison -y -d "$SRC/lib/common/htmlparse.y" &&
     sed 's/yy/html/g; s/unsigned long int/uint64_t/g; s/unsigned long/uint64_t/g' y.tab.c >htmlparse.c &&
     sed 's/yy/html/g; s/unsigned long int/uint64_t/g; s/unsigned long/uint64_t/g' y.tab.h >htmlparse.h &&
     run flex -i -olex.yy.c "$SRC/lib/cgraph/scan.l" &&
     sed 's/yy/aag/g' lex.yy.c | sed '/extern.*isatty/d' >scan.c &&
     awk -f "$SRC/awk/brewer.awk" "$SRC/lib/common/brewer_colors" >brewer_lib &&
     awk -f "$SRC/awk/svgcolor.awk" "$SRC/lib/common/svgcolor_names" >svgcolor_lib &&
     cat brewer_lib svgcolor_lib "$SRC/lib/common/color_names" | LC_ALL=C sort >color_lib &&
     awk -f "$SRC/awk/colortbl.awk" color_lib >colortbl.h &&
     cp "$SRC/lib/common/ps_fontmap.txt" ps_font_equiv.h &&
     (cd "$SRC/lib/common" && perl mksvgfonts.pl fontmap.cfg ps_font_equiv.txt 2>>"$LOG") | LC_ALL=C sort >>ps_font_equiv.h) ||
    { log "generating the parsers and tables failed"; tail -n 20 "$LOG" >&2; exit 1; }
VERSION=${RESOLVED#*=}
VERSION=${VERSION%%-*}
cat >"$GEN/config.h" <<EOF
/* MinGW-w64, static, no optional libraries, no plugin loading. */
#define HAVE_UNISTD_H 1
#define HAVE_STRINGS_H 1
#define HAVE_MALLOC_H 1
#define HAVE_SYS_TYPES_H 1
#define HAVE_STRCASECMP 1
#define HAVE_STRNCASECMP 1
#define HAVE_VSNPRINTF 1
#define HAVE_SETMODE 1
#define HAVE_CBRT 1
#define HAVE_INTPTR_T 1
#define HAVE_SSIZE_T 1
#define DEFAULT_DPI 96
#define GVLIBDIR ""
#define PACKAGE_VERSION "$VERSION"
EOF
echo "#define PACKAGE_VERSION \"$VERSION\"" >"$GEN/graphviz_version.h"
echo "#define BUILDDATE \"\"" >"$GEN/builddate.h"

rm -rf "$PREFIX"
mkdir -p "$PREFIX"
run cmake -S "$ROOT/tools/windows/graphviz" -B "$WORK/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DGRAPHVIZ_SOURCE="$SRC" -DGENERATED="$GEN"
run cmake --build "$WORK/build" -j "$JOBS"
run cmake --install "$WORK/build"

touch "$PREFIX/$MARKER"
log "done in $(( SECONDS - START )) s"
echo "$PREFIX"
