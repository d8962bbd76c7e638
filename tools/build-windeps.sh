#!/usr/bin/env bash
# Cross-builds the third-party libraries of the Windows executable with mingw-w64:
#   tools/build-windeps.sh ARCH        (ARCH: i686 or x86_64)
# libjpeg-turbo (static, SIMD through nasm) and litehtml with its bundled gumbo (static, UTF-8)
# are installed into build/windeps/ARCH, where the mingw toolchain files find them. The build
# runs once: it is skipped while the sources, this script and the compiler are unchanged.
#
# Sources, each checked against its sha256: the Debian source package (apt-get source), else
# ../shared/thirdparty/, else the upstream release by URL. The script says which one it used.
# When no source or no cross compiler is to be had it says why and exits 0 without installing
# anything, so that the caller can tell a skipped Windows build from a failed one.
set -euo pipefail

arch=${1:-}
case "$arch" in
  i686 | x86_64) ;;
  *)
    echo "usage: $0 i686|x86_64" >&2
    exit 2
    ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/windeps/$arch
work=$root/build/windeps/work-$arch
thirdparty=$root/../shared/thirdparty

jpeg_file=libjpeg-turbo_2.1.5.orig.tar.gz
jpeg_sha=254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c
jpeg_deb=libjpeg-turbo
jpeg_url=https://github.com/libjpeg-turbo/libjpeg-turbo/releases/download/2.1.5/libjpeg-turbo-2.1.5.tar.gz
litehtml_file=litehtml-0.6.tar.gz
litehtml_sha=3f3762d75469af83e2cbeac73d07a02efa95662f8038f99a70db185efe61770d
litehtml_deb=litehtml
litehtml_url=https://github.com/litehtml/litehtml/archive/refs/tags/v0.6.tar.gz

skip() {
  echo "windeps $arch: Windows build skipped: $*"
  exit 0
}

cc=$arch-w64-mingw32-gcc
cxx=$arch-w64-mingw32-g++-posix
for tool in "$cc" "$cxx" nasm cmake ninja sha256sum; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (tools/install-deps.sh installs it)"
done

# What the installed libraries were built from; a change to any of it rebuilds them.
fingerprint=$(
  {
    echo "$jpeg_sha $litehtml_sha"
    sha256sum "$0" | cut -d' ' -f1
    "$cxx" --version | head -n1
    nasm -v
  } | sha256sum | cut -d' ' -f1
)
if [ -f "$out/.fingerprint" ] && [ "$(cat "$out/.fingerprint")" = "$fingerprint" ]; then
  echo "windeps $arch: up to date in build/windeps/$arch"
  exit 0
fi

rm -rf "$work" "$out"
mkdir -p "$work/download" "$out"

sha_ok() { [ "$(sha256sum "$1" | cut -d' ' -f1)" = "$2" ]; }

# fetch NAME FILE SHA DEBSRC URL: prints the path of a verified tarball, or nothing.
fetch() {
  local name=$1 file=$2 sha=$3 debsrc=$4 url=$5 dir=$work/download/$1
  mkdir -p "$dir"
  # 1. Debian's source package: only its unmodified upstream tarball is used.
  if (cd "$dir" && timeout 300 apt-get source --download-only -qq "$debsrc") >/dev/null 2>&1; then
    local orig
    for orig in "$dir"/"${debsrc}"_*.orig.tar.*; do
      if [ -f "$orig" ] && sha_ok "$orig" "$sha"; then
        echo "windeps $arch: $name from Debian's source package ($(basename "$orig"))" >&2
        echo "$orig"
        return
      fi
    done
    echo "windeps $arch: $name: Debian's source package does not match the sha256" >&2
  else
    echo "windeps $arch: $name: no Debian source package (no deb-src lines, or not served)" >&2
  fi
  # 2. The copy kept beside the project.
  if [ -f "$thirdparty/$file" ]; then
    if sha_ok "$thirdparty/$file" "$sha"; then
      echo "windeps $arch: $name from ../shared/thirdparty/$file" >&2
      echo "$thirdparty/$file"
      return
    fi
    echo "windeps $arch: $name: ../shared/thirdparty/$file does not match the sha256" >&2
  fi
  # 3. The upstream release.
  if command -v curl >/dev/null &&
    curl -fsSL --max-time 120 -o "$dir/$file" "$url" 2>/dev/null && sha_ok "$dir/$file" "$sha"; then
    echo "windeps $arch: $name from $url" >&2
    echo "$dir/$file"
    return
  fi
  echo "windeps $arch: $name: the upstream release could not be fetched or does not match" >&2
}

jpeg_tar=$(fetch libjpeg-turbo "$jpeg_file" "$jpeg_sha" "$jpeg_deb" "$jpeg_url")
[ -n "$jpeg_tar" ] || skip "no verified source of libjpeg-turbo"
litehtml_tar=$(fetch litehtml "$litehtml_file" "$litehtml_sha" "$litehtml_deb" "$litehtml_url")
[ -n "$litehtml_tar" ] || skip "no verified source of litehtml"

mkdir -p "$work/src/jpeg" "$work/src/litehtml"
tar -xzf "$jpeg_tar" -C "$work/src/jpeg" --strip-components=1
tar -xzf "$litehtml_tar" -C "$work/src/litehtml" --strip-components=1

# A toolchain of its own: the project's toolchain files look for these very libraries.
toolchain=$work/toolchain.cmake
cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR $arch)
set(CMAKE_C_COMPILER $cc)
set(CMAKE_CXX_COMPILER $cxx)
set(CMAKE_RC_COMPILER $arch-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$arch-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
EOF

common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$out" -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF)
if command -v ccache >/dev/null; then
  common+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# The machine is shared: two jobs, at low priority.
build() { nice -n 10 cmake --build "$1" -j 2 "${@:2}"; }
# logged LOG COMMAND...: runs COMMAND into LOG, and shows the end of LOG when it fails.
logged() {
  local log=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "windeps $arch: failed, see $log" >&2
    exit 1
  fi
}

echo "windeps $arch: building libjpeg-turbo (static, SIMD)"
logged "$work/jpeg-configure.log" cmake -S "$work/src/jpeg" -B "$work/jpeg" "${common[@]}" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm
logged "$work/jpeg-build.log" build "$work/jpeg" --target jpeg-static
mkdir -p "$out/include" "$out/lib"
cp "$work/jpeg/libjpeg.a" "$out/lib/libjpeg.a"
cp "$work/jpeg/jconfig.h" "$work/src/jpeg/jpeglib.h" "$work/src/jpeg/jmorecfg.h" \
  "$work/src/jpeg/jerror.h" "$out/include/"

echo "windeps $arch: building litehtml with its bundled gumbo (static, UTF-8)"
# On Windows litehtml formats numbers with _itoa_s, which the msvcrt.dll of Windows XP lacks:
# the program would not start there. The same number goes through snprintf instead.
compat=$work/litehtml-xp-compat.h
cat >"$compat" <<'EOF_COMPAT'
#include <stdio.h>
#include <stdlib.h>
#define _itoa_s(value, buffer, size, radix) snprintf((buffer), (size), "%d", (value))
EOF_COMPAT
logged "$work/litehtml-configure.log" cmake -S "$work/src/litehtml" -B "$work/litehtml" \
  "${common[@]}" -DLITEHTML_UTF8=ON -DEXTERNAL_GUMBO=OFF -DCMAKE_CXX_FLAGS="-include $compat"
logged "$work/litehtml-build.log" build "$work/litehtml"
logged "$work/litehtml-install.log" cmake --install "$work/litehtml"

echo "$fingerprint" >"$out/.fingerprint"
rm -rf "$work/src"
echo "windeps $arch: installed in build/windeps/$arch"
