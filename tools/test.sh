#!/usr/bin/env bash
# Installs the dependencies, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test, builds the Windows program for 32-bit and 64-bit Windows and checks the 64-bit
# one under Wine, checks that the release build plays the tour scenario (the main job of
# tools/run.sh); last, the fuzz targets replay their corpora and run briefly (tools/fuzz.sh ci).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

jobs=$(nproc)
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

# The Windows executables: their libraries are cross-built once (tools/build-windeps.sh says
# which source it used, or why it skipped), then the 32-bit program (the target) and the 64-bit
# one, which runs under Wine in the end-to-end check together with the conformance suite.
bash tools/build-windeps.sh i686
bash tools/build-windeps.sh x86_64
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"
cmake --preset mingw64 >/dev/null
cmake --build --preset mingw64 -j "$jobs"
if [ -f build/windeps/i686/.fingerprint ] && [ -f build/windeps/x86_64/.fingerprint ]; then
  bash tools/check-windows-exe.sh build/mingw/Verbacap.exe i686
  bash tools/check-windows-exe.sh build/mingw64/Verbacap.exe x86_64
  # Each wait inside is bounded; the whole check is bounded too.
  timeout -k 10 1200 bash tools/wine-check.sh build/mingw64
else
  echo "mingw cross build of the portable layers: ok (Windows executables skipped, see above)"
fi

cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
build/release/verbacap --scenario examples/tour.scn --out build/release/tour-out >/dev/null
build/release/verbacap --scenario examples/entry_menu_2000.scn \
    --out build/release/entry-menu-2000-out >/dev/null
echo "release build plays the tour: ok"

bash tools/fuzz.sh ci
