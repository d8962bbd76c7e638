#!/usr/bin/env bash
# Installs the dependencies, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test, and cross-compiles the portable layers for 32-bit Windows.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

jobs=$(nproc)
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"
echo "mingw cross build of the portable layers: ok"
