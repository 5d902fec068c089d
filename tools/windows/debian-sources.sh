# Debian's source packages for the Windows builds of third-party libraries
# (build-toolkit.sh, build-graphviz.sh): a private apt configuration that
# leaves the machine's own alone and needs no root, pinned versions
# resolved against the archive, and sources unpacked with Debian's patches.
# Sourced, not run. The caller sets HOST, MARKER, WORK and LOG and defines
# log().

MIRROR=http://deb.debian.org
KEYRING=/usr/share/keyrings/debian-archive-keyring.gpg
CACHE_ROOT=${XDG_CACHE_HOME:-$HOME/.cache}
JOBS=$(( $(nproc 2>/dev/null || echo 2) < 2 ? 1 : 2 ))

# The compiler's part of a cache folder's name.
compiler_tag() {
    local version
    version=$("$HOST-g++-posix" -dumpversion)
    echo "mingw-gcc-${version%-posix}-posix"
}

# cache_name STEM NAME=VERSION... -> the folder name for that set of versions.
cache_name() {
    local name=$1 entry
    shift
    for entry in "$@"; do
        name+="_${entry%%=*}-${entry#*=}"
    done
    echo "${name//:/_}_$(compiler_tag)"
}

# Prints the cache folder PREFIX and ends the script when the build there
# is complete, as its marker MARKER (written last) says.
use_when_complete() {
    if [ -f "$1/$MARKER" ]; then
        echo "$1"
        exit 0
    fi
}

# Reads Debian's source index into $WORK/apt.
read_source_index() {
    mkdir -p "$WORK/apt/lists/partial" "$WORK/apt/cache/archives/partial" "$WORK/src"
    cat >"$WORK/apt/sources.list" <<EOF
deb-src [signed-by=$KEYRING] $MIRROR/debian bookworm main
deb-src [signed-by=$KEYRING] $MIRROR/debian bookworm-updates main
deb-src [signed-by=$KEYRING] $MIRROR/debian-security bookworm-security main
EOF
    APT_OPTIONS=(-o "Dir::Etc::SourceList=$WORK/apt/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
                 -o "Dir::State::Lists=$WORK/apt/lists" -o "Dir::Cache=$WORK/apt/cache"
                 -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root")
    log "reading Debian's source index"
    apt-get "${APT_OPTIONS[@]}" update >>"$LOG" 2>&1 || { tail -n 20 "$LOG" >&2; exit 1; }
}

# resolve NAME=VERSION -> NAME=VERSION as available (the newest when the
# pinned one is gone).
resolve() {
    local name=${1%%=*} version=${1#*=} available
    available=$(apt-cache "${APT_OPTIONS[@]}" showsrc "$name" | sed -n 's/^Version: //p')
    if grep -qxF "$version" <<<"$available"; then
        echo "$1"
        return
    fi
    version=$(sort -V <<<"$available" | tail -n 1)
    [ -n "$version" ] || { log "no source package $name in the archive"; return 1; }
    log "warning: $1 is no longer in the archive; using $version"
    echo "$name=$version"
}

# fetch NAME=VERSION DIR: unpacks the source package (Debian's patches
# applied) into DIR. When the Debian part of a security update is missing
# from the mirror, the upstream tarball alone is unpacked.
fetch() {
    local entry=$1 dir=$2 name=${1%%=*} orig url
    (cd "$WORK/src" && apt-get "${APT_OPTIONS[@]}" source --download-only "$entry") >>"$LOG" 2>&1 &&
        dpkg-source --no-check -x "$WORK/src/$name"_*.dsc "$dir" >>"$LOG" 2>&1 && return 0
    log "$entry: Debian's source package incomplete; using the upstream tarball"
    orig=$(apt-get "${APT_OPTIONS[@]}" source --print-uris "$entry" 2>/dev/null |
           grep -o "'[^']*\.orig\.tar\.[a-z0-9]*'" | tr -d "'" | head -n 1)
    [ -n "$orig" ] || { log "$entry: no upstream tarball listed"; return 1; }
    url=$orig
    (cd "$WORK/src" && curl -fsSL -o orig.tar "$url" 2>>"$LOG" ||
         wget -q -O orig.tar "$url" 2>>"$LOG") || { log "cannot download $url"; return 1; }
    mkdir -p "$dir"
    tar -xf "$WORK/src/orig.tar" -C "$dir" --strip-components=1
}

run() { "$@" >>"$LOG" 2>&1 || { log "failed: $*"; tail -n 40 "$LOG" >&2; exit 1; }; }
