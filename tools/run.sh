#!/usr/bin/env bash
# The program's main job on Linux: builds it and plays the tour on the simulated desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

build/release/verbacap --scenario examples/tour.scn --out out
