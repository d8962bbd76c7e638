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
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
