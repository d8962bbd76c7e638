#!/usr/bin/env bash
# The program's main job on Linux: builds it and plays the tour on the simulated desktop, then
# the entry menu in the classic style.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

build/release/verbacap --scenario examples/tour.scn --out out
# The entry menu once more, in the classic style of a Windows 2000 desktop.
build/release/verbacap --scenario examples/entry_menu_2000.scn --out out/entry-menu-2000
