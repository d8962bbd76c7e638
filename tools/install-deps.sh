#!/usr/bin/env bash
# Installs every build and test dependency from Debian's packages; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git python3
  libjpeg62-turbo-dev
  liblitehtml-dev libgumbo-dev
  libfreetype-dev fonts-dejavu-core
  libpng-dev
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  libturbojpeg0-dev
  binutils-mingw-w64-i686 g++-mingw-w64-i686
  clang-format
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nasm
  wine wine64 fonts-wine xvfb xdotool xclip x11-utils imagemagick libjpeg-turbo-progs
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=""
if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi

# Source packages: tools/build-windeps.sh cross-builds the Windows executable's libraries from
# Debian's sources where the mirror serves them. Adds deb-src lines beside the deb ones.
need_update=0
deb_sources=/etc/apt/sources.list.d/debian.sources
if [ -f "$deb_sources" ] && ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  sed 's/^Types: deb$/Types: deb-src/' "$deb_sources" |
    $sudo_cmd tee /etc/apt/sources.list.d/verbacap-deb-src.sources >/dev/null
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ "$need_update" = 1 ]; then
  $sudo_cmd apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
