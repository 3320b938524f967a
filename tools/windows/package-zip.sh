#!/usr/bin/env bash
# Makes the users' zip of parvane-split for 64-bit Windows: the program, mp3splt.exe, the DLLs
# they load, the licences of everything in it and a README. The same inputs give the same zip
# byte for byte: sorted entries, one timestamp (SOURCE_DATE_EPOCH, else the last commit's),
# fixed modes, no extra attributes.
# Usage: package-zip.sh PARVANE-SPLIT.EXE [PREFIX [OUTPUT.zip]]
# PREFIX is what tools/windows/build-deps.sh printed (default: $PARVANE_WINDOWS_PREFIX).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
program=$(realpath "${1:?usage: package-zip.sh PARVANE-SPLIT.EXE [PREFIX [OUTPUT.zip]]}")
prefix=$(realpath "${2:-${PARVANE_WINDOWS_PREFIX:?give the prefix of build-deps.sh}}")
version=$(sed -n 's/^project(Parvane VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
name=parvane-split-$version-windows-x64
output=$(realpath -m "${3:-$name.zip}")
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$repo" log -1 --format=%ct)}

for needed in "$program" "$prefix/bin/mp3splt.exe"; do
    [[ -f $needed ]] || { echo "package-zip: $needed does not exist" >&2; exit 1; }
done

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
top=$staging/$name
mkdir -p "$top/licenses/parvane"
cp "$program" "$top/parvane-split.exe"
cp "$prefix/bin/mp3splt.exe" "$prefix"/bin/*.dll "$top/"
cp -r "$prefix/share/licenses/." "$top/licenses/"
cp "$repo/COPYING" "$top/licenses/parvane/"
cat >"$top/README.txt" <<README
Parvane $version: parvane-split for 64-bit Windows

parvane-split cuts MP3 files into consecutive pieces of one playing length, with mp3splt.
Keep the files of this folder together: parvane-split.exe uses the mp3splt.exe beside it
(else one on PATH), and both need the DLLs beside them.

Open a console (cmd or PowerShell) in this folder and run, for example:

    parvane-split --every 5:00 "C:\\Music\\Concert.mp3"
    parvane-split --every 10:00 --folder "C:\\Music\\Podcasts"
    parvane-split --list --folder "C:\\Music"

--every takes the interval (default 5:00), --folder adds every MP3 file of a folder tree,
--list prints the collected files and splits nothing, --help says more. Names in any script
work; the console prints them in UTF-8. Ctrl+C stops the split and discards the piece
being written. The exit status is 0 only when every file was split completely.

Licences: parvane is under the GNU General Public License, version 3 or later; the licences
of mp3splt, its libraries and the runtime DLLs are in the folder licenses.
README
sed -i 's/$/\r/' "$top/README.txt"

find "$staging" -type d -exec chmod 755 {} +
find "$staging" -type f -exec chmod 644 {} +
chmod 755 "$top"/*.exe "$top"/*.dll
find "$staging" -exec touch -h -d "@$epoch" {} +
rm -f "$output"
(cd "$staging" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 "$output" -@)
echo "$output"
