#!/usr/bin/env bash
# Makes the Debian package twice by README's recipe, from two copies of the source in two
# folders of different names, one build after the other, and compares the two .deb files
# byte for byte. Then lintian judges the package as a distribution would (-I --pedantic):
# any error, warning or missing hardening feature fails the check.
#   bash tools/reproducible-package.sh [WORK_FOLDER]
# The copies, both taken at the start, hold the working tree as git sees it (uncommitted
# changes too, ignored files not); WORK_FOLDER (default: a new folder in ${TMPDIR:-/tmp}) keeps them, their build logs
# and the packages. Each build takes minutes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work=${1:-$(mktemp -d "${TMPDIR:-/tmp}/parvane-reproducible.XXXXXX")}
work=$(mkdir -p "$work" && cd "$work" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

# The files of a copy are as new as those of a fresh checkout: their times differ from
# the other copy's, which only the source date may hide.
copy_to() {  # FOLDER
    rm -rf "${work:?}/$1" && mkdir -p "$work/$1"
    git -C "$root" ls-files -z --cached --others --exclude-standard \
        | (cd "$root" && tar --null --ignore-failed-read -T - -cf -) | tar -xmf - -C "$work/$1"
}

# README's recipe in a copy of the source; prints the package's path.
package_in() {  # FOLDER
    local folder=$work/$1
    echo "Building in $folder (log: $folder.log)" >&2
    (
        cd "$folder"
        cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPARVANE_BUILD_TESTS=OFF -DPARVANE_BUILD_BENCH=OFF
        cmake --build build -j"$(nproc)"
        cd build && cpack -G DEB
    ) >"$folder.log" 2>&1 || { tail -n 30 "$folder.log" >&2; fail "the build in $folder"; }
    local packages=("$folder"/build/*.deb)
    [[ ${#packages[@]} == 1 && -f ${packages[0]} ]] || fail "no single package in $folder/build"
    echo "${packages[0]}"
}

copy_to one
sleep 1
copy_to the-second-copy
first=$(package_in one)
second=$(package_in the-second-copy)
for deb in "$first" "$second"; do
    echo "$(stat -c %s "$deb") bytes, sha256 $(sha256sum "$deb" | cut -d' ' -f1)  $deb"
done
if ! cmp "$first" "$second"; then
    diff <(dpkg-deb -I "$first" md5sums) <(dpkg-deb -I "$second" md5sums) || true
    diff <(dpkg-deb -c "$first") <(dpkg-deb -c "$second") || true
    fail "the two packages differ"
fi
echo "The two packages are the same bytes."

echo "lintian -I --pedantic:"
report=$(lintian -I --pedantic "$first" 2>&1 || true)
echo "${report:-(nothing)}"
! grep -E '^[EW]: |hardening' <<<"$report" || fail "lintian finds the lines above"
