#!/usr/bin/env bash
# Installs the dependencies, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test, cross-compiles the portable layers for 32-bit Windows, and checks that the
# release build plays the tour scenario (the main job of tools/run.sh); last, the fuzz targets
# replay their corpora and run briefly (tools/fuzz.sh ci).
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

cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
build/release/verbacap --scenario examples/tour.scn --out build/release/tour-out >/dev/null
build/release/verbacap --scenario examples/entry_menu_2000.scn \
    --out build/release/entry-menu-2000-out >/dev/null
echo "release build plays the tour: ok"

bash tools/fuzz.sh ci
