#!/usr/bin/env bash
# Makes the Debian package from a build folder, unpacks it into a scratch root and checks
# that it holds exactly what the programs, the desktop and Debian look for, that lintian
# finds nothing to warn about, that it depends on what the programs need, that it names
# the home page only when the build has one, and that the unpacked programs run. The
# package is made under umask 027, yet its folders must be 0755, its files 0644 or 0755,
# and every time stamp the source date, the changelog's unless the build was configured
# with another: the same bytes whoever makes it and when.
# Three steps, each a test of its own, so lintian and the rest run side by side:
#   make     the package, in SCRATCH_DIR/out
#   lintian  lintian's judgement of it
#   check    the rest
# Arguments: STEP BUILD_DIR SOURCE_DIR VERSION SCRATCH_DIR HOME_PAGE (empty: none)
#            SOURCE_DATE_EPOCH (empty: the changelog's)
set -euo pipefail
step=$1 build=$2 source=$3 version=$4 scratch=$5 home_page=$6 source_date=$7
fail() { echo "FAIL: $*" >&2; exit 1; }
[[ -n $source_date ]] || source_date=$(dpkg-parsechangelog -l "$source/packaging/changelog" -S Timestamp)
# What lintian, Qt and the rest keep in temporary files goes with the scratch folder.
export TMPDIR="$scratch/tmp/$step" XDG_RUNTIME_DIR="$scratch/tmp/$step/runtime"
deb="$scratch/out/parvane_${version}_$(dpkg --print-architecture).deb"

case $step in
make)
    rm -rf "$scratch"
    mkdir -p "$scratch/out" "$TMPDIR"
    (umask 027 && cd "$scratch/out" && exec cpack -G DEB -B "$scratch/out" --config "$build/CPackConfig.cmake") \
        >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack"; }
    packages=("$scratch"/out/*.deb)
    [[ ${#packages[@]} == 1 && ${packages[0]} == "$deb" ]] || fail "made ${packages[*]}"
    exit 0 ;;
lintian)
    mkdir -p "$TMPDIR"
    # The spelling check of the programs' strings says only "I:", which fails nothing and
    # takes longest; tools/reproducible-package.sh runs every check.
    lintian --no-cfg --profile debian --fail-on error,warning -X binaries/spelling "$deb" \
        || fail "lintian"
    exit 0 ;;
check) ;;
*) fail "no step $step" ;;
esac
[[ -f $deb ]] || fail "no package at $deb"
rm -rf "$scratch/root" "$scratch/music" "$TMPDIR"
mkdir -p "$scratch/root" "$scratch/music" "$TMPDIR"

# The archive's members and each entry of its data: modes, owner and time stamp.
members=$(TZ=UTC ar tv "$deb" | awk '{ print $1, $2, $4, $5, $6, $7 }')
odd=$(grep -vxF "rw-r--r-- 0/0 $(TZ=UTC date -d "@$source_date" '+%b %-d %H:%M %Y')" <<<"$members" || true)
[[ -z $odd ]] || fail "archive members other than 0644, root's, of the source date:"$'\n'"$odd"
owned="root/root $(TZ=UTC date -d "@$source_date" '+%Y-%m-%d %H:%M')"
entries=$(TZ=UTC dpkg-deb -c "$deb" | awk '{ print $1, $2, $4, $5, $NF }')
odd=$(grep -vE "^(drwxr-xr-x $owned \./.*/|-rw-r--r-- $owned \./.*[^/]|-rwxr-xr-x $owned \./usr/bin/[^/]+)$" \
      <<<"$entries" || true)
[[ -z $odd ]] || fail "entries other than folders 0755, files 0644 and programs 0755, all $owned:"$'\n'"$odd"

# The home page, where the build has one; never a placeholder address anywhere.
[[ $(dpkg-deb -f "$deb" Homepage) == "$home_page" ]] \
    || fail "Homepage field '$(dpkg-deb -f "$deb" Homepage)', the build's home page '$home_page'"
placeholder='https?://([^/ ]*\.)?(example\.(org|com|net)|example|test|invalid|localhost)[:/]'
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -xO)
! grep -aE "$placeholder" <<<"$control" || fail "a placeholder address in the control files"

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
! grep -rlaE "$placeholder" "$root" || fail "placeholder addresses in those files"
for program in "$root"/usr/bin/*; do  # Qt's string literals are UTF-16
    ! strings -a -e l "$program" | grep -E "$placeholder" || fail "a placeholder address in $program"
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
declare -A related=([parvane]='parvane\-split' [parvane-split]=parvane)
for program in parvane parvane-split; do
    see_also=$(zcat "$root/usr/share/man/man1/$program.1.gz" | sed -n '/^\.SH "SEE ALSO"/,$p')
    for other in "${related[$program]}" mp3splt; do
        grep -qF ".BR $other (1)" <<<"$see_also" || fail "$program(1)'s SEE ALSO lacks $other(1)"
    done
done
# Each language the window speaks, and how it is chosen.
window_page=$(zcat "$root/usr/share/man/man1/parvane.1.gz")
for variable in LANGUAGE LC_ALL LC_MESSAGES LANG; do
    grep -qE "^\.(B|BR) $variable( |,|$)" <<<"$window_page" || fail "parvane(1) does not name $variable"
done
for catalogue in "$source"/translations/parvane_*.ts; do
    language=$(basename "$catalogue" .ts); language=${language#parvane_}
    grep -qF "($language)" <<<"$window_page" || fail "parvane(1) does not name the language $language"
done
if [[ -n $home_page ]]; then
    grep -qF "$home_page" <<<"$window_page" || fail "parvane(1) does not say it opens $home_page"
fi

# mp3splt is not in the package: the unpacked program must find the installed one on PATH.
sox -n -r 44100 -c 2 "$scratch/music/talk.mp3" synth 12 sine 440 vol 0.5
"$root/usr/bin/parvane-split" --every 0:05 "$scratch/music/talk.mp3" >"$scratch/split.log" \
    && [[ -s "$scratch/music/talk-0003.mp3" ]] || { cat "$scratch/split.log"; fail "split"; }

