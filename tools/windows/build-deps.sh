#!/usr/bin/env bash
# Builds, for 64-bit Windows, everything the Windows build of Parvane takes from outside the
# project: the static libraries it links (mpg123, TagLib, GoogleTest), mp3splt.exe with its
# DLLs, the mingw runtime DLLs, and the licences of all of them. Everything comes from Debian 12:
# the cross compilers and wine from apt, the libraries from their Debian source packages.
# Runs as root. The result is cached by the versions it was built from, outside the work tree;
# the last line printed is its prefix, for PARVANE_WINDOWS_PREFIX and cmake/mingw-w64.cmake.
#
# Environment:
#   PARVANE_WINDOWS_CACHE     where the built prefixes are kept (/var/cache/parvane-windows)
#   PARVANE_WINDOWS_WORK      sources and build folders (/var/tmp/parvane-windows-build)
#   PARVANE_MP3SPLT_SOURCES   a folder with the release tarballs libmp3splt-*.tar.* and
#                             mp3splt-*.tar.*; without it the prefix has no mp3splt.exe
#   PARVANE_JOBS              parallel build jobs (2)
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8

readonly host=x86_64-w64-mingw32
readonly here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly repo=$(cd "$here/../.." && pwd)
readonly cache_root=${PARVANE_WINDOWS_CACHE:-/var/cache/parvane-windows}
readonly work=${PARVANE_WINDOWS_WORK:-/var/tmp/parvane-windows-build}
readonly jobs=${PARVANE_JOBS:-2}
readonly mp3splt_sources=${PARVANE_MP3SPLT_SOURCES:-}

readonly build_packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev libz-mingw-w64-dev wine wine64
    dpkg-dev autoconf automake libtool pkgconf cmake make patch zip googletest libutfcpp-dev
)
readonly source_packages=(mpg123 taglib libmad libtool)

script_start=$SECONDS
stage_start=$SECONDS
stage() {
    if [[ -n ${stage_name:-} ]]; then
        printf '%-28s %4d s\n' "$stage_name" $((SECONDS - stage_start)) >&2
    fi
    stage_name=$1
    stage_start=$SECONDS
}
die() {
    echo "build-deps: $*" >&2
    exit 1
}
# Runs a build step with its chatter in a log, shown only when the step fails.
logged() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 || {
        tail -n 40 "$log" >&2
        die "failed: $* (log: $log)"
    }
}

stage "apt packages"
missing=()
for package in "${build_packages[@]}"; do
    dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null | grep -qx installed ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Source packages come through a private apt configuration with deb-src lines, so the machine's
# own sources.list stays as it is.
stage "apt sources index"
apt_dir=$work/apt
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
{
    for suite in bookworm bookworm-updates; do
        echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
            "${PARVANE_DEBIAN_MIRROR:-http://deb.debian.org/debian} $suite main"
    done
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
        "${PARVANE_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security} bookworm-security main"
} >"$apt_dir/sources.list"
apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root"
)
apt-get "${apt_options[@]}" -qq update

newest_source_version() {
    apt-cache "${apt_options[@]}" showsrc --only-source "$1" | sed -n 's/^Version: //p' |
        sort -V | tail -n1
}

# The key names everything the prefix is made of: the source versions, the compilers and
# libraries from apt, this script (its source patches are sed lines in it), the toolchain file,
# and the mp3splt tarballs.
stage "cache key"
manifest=$(
    for package in "${source_packages[@]}"; do
        echo "source $package $(newest_source_version "$package")"
    done
    dpkg-query -W -f='package ${Package} ${Version}\n' \
        gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
        libz-mingw-w64-dev googletest libutfcpp-dev
    echo "script $(cat "${BASH_SOURCE[0]}" "$repo/cmake/mingw-w64.cmake" | sha256sum | cut -c1-16)"
    if [[ -n $mp3splt_sources ]]; then
        find "$mp3splt_sources" -maxdepth 1 -name '*mp3splt-*.tar.*' -print0 | sort -z |
            xargs -0r sha256sum | sed "s|$mp3splt_sources/||; s/^/tarball /"
    fi
)
key=$(sha256sum <<<"$manifest" | cut -c1-16)
prefix=$cache_root/$key
if [[ -f $prefix/.complete ]]; then
    stage ""
    echo "build-deps: already built ($((SECONDS - script_start)) s)" >&2
    echo "$prefix"
    exit 0
fi
rm -rf "$prefix"
mkdir -p "$prefix"/{bin,include,lib,share/licenses}
printf '%s\n' "$manifest" >"$prefix/versions.txt"

build=$work/build-$key
rm -rf "$build"
mkdir -p "$build" "$work/sources"

# Unpacks a source package with its Debian patches applied. The files are checked against the
# .dsc's checksums (the .dsc itself against the signed index). A mirror that lacks a file the
# build can do without (a signature, libmad's old-style diff) leaves it out with a warning.
unpack_source() {
    local package=$1 version folder=$build/$1
    version=$(newest_source_version "$package")
    local plain=${version#*:}
    local upstream=${plain%-*}
    (cd "$work/sources" &&
        apt-get "${apt_options[@]}" -qq --only-source --download-only source "$package=$version" \
            >/dev/null 2>&1) || true
    local dsc=$work/sources/${package}_$plain.dsc
    [[ -f $dsc ]] || die "no .dsc for $package $version on the mirror"
    local name sum
    while read -r sum _ name; do
        if [[ ! -f $work/sources/$name ]]; then
            echo "build-deps: warning: $name is not on the mirror; building $package without it" >&2
            continue
        fi
        echo "$sum  $work/sources/$name" | sha256sum --quiet -c - || die "$name: checksum differs"
    done < <(sed -n '/^Checksums-Sha256:/,/^[^ ]/{/^ /p}' "$dsc")
    local orig
    orig=$(ls "$work/sources/${package}_$upstream".orig.tar.* 2>/dev/null | grep -v '\.asc$' | head -n1)
    [[ -n $orig ]] || die "no upstream tarball of $package $version on the mirror"
    mkdir -p "$folder"
    tar -xf "$orig" -C "$folder" --strip-components=1
    # Source format 3.0 brings debian/ as a tarball, format 1.0 as one diff.
    local debian=$work/sources/${package}_$plain
    if [[ -f $debian.diff.gz ]]; then
        zcat "$debian.diff.gz" | patch -d "$folder" -p1 -s --no-backup-if-mismatch
    fi
    local tarball
    for tarball in "$debian".debian.tar.*; do
        if [[ -f $tarball ]]; then
            tar -xf "$tarball" -C "$folder"
        fi
    done
    if [[ -f $folder/debian/patches/series ]]; then
        local patch
        while read -r patch _; do
            [[ -z $patch || $patch == \#* ]] && continue
            patch -d "$folder" -p1 -s --no-backup-if-mismatch <"$folder/debian/patches/$patch"
        done <"$folder/debian/patches/series"
    fi
}

licence() {
    mkdir -p "$prefix/share/licenses/$1"
    cp "${@:2}" "$prefix/share/licenses/$1/"
}

cmake_cross() {
    cmake -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
        -DPARVANE_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF "$@"
}

autotools_cross() {
    ./configure --host=$host --prefix="$prefix" CC=$host-gcc-posix CXX=$host-g++-posix \
        PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" "$@"
}

stage "mpg123 (static)"
unpack_source mpg123
(
    cd "$build/mpg123"
    logged configure.log autotools_cross --enable-static --disable-shared --disable-modules \
        --with-audio=dummy --disable-network
    logged make.log make -j"$jobs" install
)
# The prefix holds static libraries only, so what they link goes in Libs, where
# pkg_check_modules reads it without --static.
for pc in "$prefix"/lib/pkgconfig/lib{mpg123,out123,syn123}.pc; do
    private=$(sed -n 's/^Libs.private://p' "$pc")
    sed -i -e '/^Libs.private:/d' -e "s|^Libs:.*|& $private|" "$pc"
done
# Only the library is wanted: the prefix's bin/ holds what is shipped.
rm -f "$prefix"/bin/{mpg123,mpg123-id3dump,mpg123-strip,out123}.exe
licence mpg123 "$build/mpg123/COPYING"

stage "taglib (static)"
unpack_source taglib
# Debian's patches take utfcpp from Debian's header-only package instead of a bundled copy.
logged "$build/taglib/configure.log" cmake_cross -S "$build/taglib" -B "$build/taglib/build" \
    -DBUILD_TESTING=OFF -DBUILD_EXAMPLES=OFF -DBUILD_BINDINGS=OFF -DWITH_ZLIB=ON \
    -DCMAKE_CXX_FLAGS="-isystem /usr/include/utf8cpp"
logged "$build/taglib/make.log" cmake --build "$build/taglib/build" -j"$jobs" --target install
# A static TagLib on Windows wants TAGLIB_STATIC defined by whoever includes its headers, or
# they ask for the symbols from a DLL; its .pc file does not say so.
sed -i 's|^Cflags:.*|& -DTAGLIB_STATIC|' "$prefix/lib/pkgconfig/taglib.pc"
rm -f "$prefix/bin/taglib-config.cmd"
licence taglib "$build/taglib"/COPYING.{LGPL,MPL}

stage "googletest (static)"
logged "$build/googletest.configure.log" cmake_cross -S /usr/src/googletest \
    -B "$build/googletest" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
logged "$build/googletest.make.log" cmake --build "$build/googletest" -j"$jobs" --target install

stage "zlib and mingw runtime"
runtime_dir=$(dirname "$($host-g++-posix -print-file-name=libstdc++-6.dll)")
cp "$runtime_dir"/{libgcc_s_seh-1.dll,libstdc++-6.dll} "/usr/$host/lib/libwinpthread-1.dll" \
    "/usr/$host/lib/zlib1.dll" "$prefix/bin/"
licence zlib /usr/share/doc/libz-mingw-w64/copyright
licence mingw-runtime /usr/share/doc/gcc-mingw-w64-base/copyright
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$prefix/share/licenses/mingw-runtime/copyright.mingw-w64"

stage "libmad (DLL)"
unpack_source libmad
(
    cd "$build/libmad"
    # -fforce-mem is gone from GCC; its configure still adds it to the optimisation flags.
    sed -i 's/-fforce-mem//' configure.ac
    # 2004's autotools know neither x86_64-w64-mingw32 nor DLLs for it.
    touch NEWS AUTHORS ChangeLog
    logged autoreconf.log autoreconf -fi
    logged configure.log autotools_cross --enable-shared --disable-static --enable-fpm=64bit
    # libtool makes a DLL only when told that nothing is left undefined; configure's own test
    # links would fail with that libtool flag, so it goes to make alone.
    logged make.log make -j"$jobs" LDFLAGS=-no-undefined install
)
# Upstream libmad has no .pc file (Debian's own adds one); libmp3splt's configure may look for it.
cat >"$prefix/lib/pkgconfig/mad.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: mad
Description: MPEG audio decoder library
Version: $(sed -n 's/^AC_INIT(\[[^]]*\], *\[\([^]]*\)\].*/\1/p' "$build/libmad/configure.ac")
Libs: -L\${libdir} -lmad
Cflags: -I\${includedir}
PC
licence libmad "$build/libmad"/{COPYING,COPYRIGHT}

stage "libltdl (DLL)"
unpack_source libtool
(
    cd "$build/libtool/libltdl"
    # Debian's patches change libtool's m4 macros, which the libtool script uses, not this
    # library; the patched files must not make make regenerate libltdl's build files.
    touch aclocal.m4 configure config-h.in Makefile.in
    logged configure.log autotools_cross --enable-shared --disable-static --enable-ltdl-install
    logged make.log make -j"$jobs" LDFLAGS=-no-undefined install
)
licence libltdl "$build/libtool/libltdl/COPYING.LIB"

if [[ -n $mp3splt_sources ]]; then
    stage "libmp3splt (DLL)"
    mkdir -p "$build/libmp3splt" "$build/mp3splt"
    tar -xf "$(ls "$mp3splt_sources"/libmp3splt-*.tar.* | head -n1)" -C "$build/libmp3splt" \
        --strip-components=1
    tar -xf "$(ls "$mp3splt_sources"/mp3splt-*.tar.* | head -n1)" -C "$build/mp3splt" \
        --strip-components=1
    (
        cd "$build/libmp3splt"
        # Without NLS there is no libintl to link, yet the Makefiles ask for it.
        find . -name Makefile.in -exec sed -i 's/-lintl//g' {} +
        logged configure.log autotools_cross --enable-shared --disable-static --disable-ogg \
            --disable-flac --disable-id3tag --disable-pcre --disable-nls \
            CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"
        logged make.log make -j"$jobs" LDFLAGS="-L$prefix/lib -no-undefined" install
    )
    licence libmp3splt "$build/libmp3splt/COPYING"

    stage "mp3splt.exe"
    (
        cd "$build/mp3splt"
        find . -name Makefile.in -exec sed -i 's/-lintl//g' {} +
        # mp3splt refuses to build without NLS, though it only needs it for translated texts.
        sed -i '/#error No NLS detected/d' src/mp3splt.c
        logged configure.log autotools_cross --disable-nls CPPFLAGS="-I$prefix/include" \
            LDFLAGS="-L$prefix/lib"
        logged make.log make -j"$jobs" install
    )
    licence mp3splt "$build/mp3splt/COPYING"
    # The plugins libmp3splt loads at run time (its MP3 reader) are shipped beside the program.
    find "$prefix/lib" -name 'libsplt_*.dll' -exec cp {} "$prefix/bin/" \;
else
    echo "build-deps: PARVANE_MP3SPLT_SOURCES is not set: no mp3splt.exe in the prefix" >&2
fi

stage "strip"
rm -rf "$prefix/share/man"
$host-strip --strip-unneeded "$prefix"/bin/*.dll
if [[ -f $prefix/bin/mp3splt.exe ]]; then
    $host-strip "$prefix/bin/mp3splt.exe"
fi
rm -rf "$build"

stage ""
touch "$prefix/.complete"
echo "build-deps: built in $((SECONDS - script_start)) s" >&2
echo "$prefix"
