#!/usr/bin/env bash
# Checks that a build used only files that the given Debian packages, or
# what they depend on, put on this machine: the headers its objects were
# compiled with, the programs and libraries its configuration found, and the
# shared libraries its executables load. Anything else came by chance, and a
# machine that has only those packages would not build or start the program.
# Usage: tools/check_packages.sh BUILD_DIR PACKAGE...
set -euo pipefail
dir=$(cd "$1" && pwd)
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# /bin, /lib and the like are /usr's on a merged-/usr system, where dpkg
# may know a file under either name.
merged_usr() { sed -E 's#^/(bin|sbin|lib|lib32|lib64|libx32)/#/usr/\1/#'; }

# The packages and, through their dependencies, everything they bring.
closure=$(apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
          --no-breaks --no-replaces --no-enhances "$@")
mapfile -t names < <(grep -v -e '^ ' -e '^<' <<<"$closure" | sort -u)
mapfile -t installed < <(dpkg-query -W -f='${db:Status-Status} ${binary:Package}\n' "${names[@]}" \
    2>/dev/null | sed -n 's/^installed //p')
if [ ${#names[@]} -eq 0 ] || [ ${#installed[@]} -eq 0 ]; then
    echo "None of $* is installed" >&2
    exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
owned=$scratch/owned used=$scratch/used
dpkg-query -L "${installed[@]}" | grep '^/' | merged_usr | sort -u >"$owned"

# What the build used from outside the repository and the build folder.
{
    ninja -C "$dir" -t deps | sed -n 's/^    //p'
    sed -n 's#^[^/]*:FILEPATH=\(/.*\)$#\1#p' "$dir/CMakeCache.txt"
    find "$dir" -path "$dir/CMakeFiles" -prune -o -type f -perm -u+x -print |
        while read -r program; do
            if [ "$(head -c 4 "$program")" = $'\x7fELF' ]; then
                ldd "$program" | grep -o '/[^ ]*'
            fi
        done
} | grep '^/' | grep -v -F -e "$root/" -e "$dir/" | sort -u >"$scratch/paths"
# Each file as named (without ..) and the one it stands for (/usr/bin/c++
# is g++-12 by way of /etc/alternatives).
xargs -d '\n' realpath -s -m <"$scratch/paths" | merged_usr >"$scratch/named"
xargs -d '\n' realpath -m <"$scratch/paths" | merged_usr >"$scratch/real"
paste -d ' ' "$scratch/paths" "$scratch/named" "$scratch/real" >"$used"

missing=$(awk 'NR == FNR { owned[$0] = 1; next }
               !(($2 in owned) || ($3 in owned)) { print $1 }' "$owned" "$used")
if [ -n "$missing" ]; then
    echo "The build in $dir used files that $* do not bring:"
    while read -r path; do
        owner=$(dpkg -S "$(realpath -m "$path")" 2>/dev/null || dpkg -S "$path" 2>/dev/null || true)
        owner=${owner%%:*}
        echo "  $path (${owner:-from no Debian package})"
    done <<<"$missing"
    exit 1
fi
echo "All $(wc -l <"$used") files the build used from the system come from $*."
