#!/usr/bin/env bash
# Makes the Debian package from a build folder, unpacks it into a scratch root and checks
# that it holds exactly what the programs, the desktop and Debian look for, that lintian
# finds nothing to warn about, that it depends on what the programs need, and that the
# unpacked programs run.
# Arguments: BUILD_DIR SOURCE_DIR VERSION SCRATCH_DIR
set -euo pipefail
build=$1 source=$2 version=$3 scratch=$4
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root" "$scratch/music"
(cd "$scratch" && cpack -G DEB -B "$scratch/out" --config "$build/CPackConfig.cmake") \
    >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack"; }
deb="$scratch/out/parvane_${version}_$(dpkg --print-architecture).deb"
packages=("$scratch"/out/*.deb)
[[ ${#packages[@]} == 1 && ${packages[0]} == "$deb" ]] || fail "made ${packages[*]}"

# lintian takes seconds, so it reads the package while the rest is checked. Its own group
# of processes goes with the check, however it ends.
setsid lintian --no-cfg --profile debian --fail-on error,warning "$deb" \
    >"$scratch/lintian.log" 2>&1 &
lintian=$!
trap 'kill -- -$lintian 2>/dev/null || true' EXIT

depends=$(dpkg-deb -f "$deb" Depends)
for needed in mp3splt libc6 libqt6widgets6; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

expected=(usr/bin/parvane usr/bin/parvane-split
          usr/share/parvane/HAND-M.CUR usr/share/parvane/drag.ico
          usr/share/applications/parvane.desktop
          usr/share/man/man1/parvane.1.gz usr/share/man/man1/parvane-split.1.gz
          usr/share/metainfo/org.example.parvane.metainfo.xml
          usr/share/doc/parvane/copyright usr/share/doc/parvane/changelog.gz)
mapfile -t icons < <(cd "$source/resources/icons" && find hicolor -name '*.png')
[[ ${#icons[@]} -gt 0 ]] || fail "no icon in the source tree"
expected+=("${icons[@]/#/usr/share/icons/}")
diff <(printf '%s\n' "${expected[@]}" | sort) \
     <(dpkg-deb -c "$deb" | awk '$NF !~ /\/$/ { sub(/^\.\//, "", $NF); print $NF }' | sort) \
    || fail "the package's files differ (< missing, > unexpected)"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for icon in "${icons[@]}"; do
    size=$(cut -d/ -f2 <<<"$icon")
    file "$root/usr/share/icons/$icon" | grep -q "PNG image data, ${size/x/ x }," \
        || fail "$icon is not a ${size} PNG: $(file -b "$root/usr/share/icons/$icon")"
done
desktop-file-validate "$root/usr/share/applications/parvane.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.parvane.metainfo.xml" \
    >"$scratch/appstream.log" || { cat "$scratch/appstream.log"; fail "AppStream metadata"; }
for program in parvane parvane-split; do
    zcat "$root/usr/share/man/man1/$program.1.gz" | grep -qF "\"$program $version\"" \
        || fail "$program(1) does not name version $version"
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
             "$root/usr/bin/$program" --version)
    [[ $answer == "$program $version" ]] || fail "$program --version says '$answer'"
done
zcat "$root/usr/share/man/man1/parvane-split.1.gz" | grep -qF -- '\-\-every' \
    || fail "parvane-split(1) lacks the options of --help"

# mp3splt is not in the package: the unpacked program must find the installed one on PATH.
sox -n -r 44100 -c 2 "$scratch/music/talk.mp3" synth 12 sine 440 vol 0.5
"$root/usr/bin/parvane-split" --every 0:05 "$scratch/music/talk.mp3" >"$scratch/split.log" \
    && [[ -s "$scratch/music/talk-0003.mp3" ]] || { cat "$scratch/split.log"; fail "split"; }

wait "$lintian" || { cat "$scratch/lintian.log"; fail "lintian"; }
rm -rf "$scratch"
