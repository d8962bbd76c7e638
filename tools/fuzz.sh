#!/usr/bin/env bash
# Fuzzes one reader of outside input with libFuzzer (clang, AddressSanitizer, UBSan).
#
#   tools/fuzz.sh TARGET SECONDS   run TARGET for SECONDS; new inputs go to build/fuzz/corpus/
#   tools/fuzz.sh TARGET 0         replay TARGET's seeds and found inputs once, no new ones
#   tools/fuzz.sh ci               what CI runs: every target replays its corpus and then runs
#                                  briefly (FUZZ_CI_SECONDS each, default 5)
#
# TARGET: markup (the captured-markup neutraliser), page (the capture list laid out by the
# browser control), scenario (the player's parser), ini (the settings file reader), res (the
# .res image and dialog-template readers), picture (JPEG and BMP files as the page loads them).
# Seeds are in fuzz/corpus/TARGET. A crash leaves its input in build/fuzz/ as crash-*; replay it
# with build/fuzz/fuzz/fuzz_TARGET FILE. Extra arguments after SECONDS go to libFuzzer
# (for example -runs=10000000).
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(markup page scenario ini res picture)
# FUZZ_SANITIZERS=undefined leaves AddressSanitizer out of a separate build (build/fuzz-undefined),
# two to three times faster, for the long runs of the slowest targets; replay what such a run
# found with the default build afterwards (tools/fuzz.sh TARGET 0).
sanitizers=${FUZZ_SANITIZERS:-address,undefined}
if [ "$sanitizers" = address,undefined ]; then
  build=build/fuzz
else
  build=build/fuzz-${sanitizers//,/-}
fi

usage() {
  echo "usage: tools/fuzz.sh TARGET SECONDS [LIBFUZZER-OPTIONS...] | tools/fuzz.sh ci" >&2
  echo "targets: ${targets[*]}" >&2
  exit 2
}

# The longest input worth trying: a settings file, a scenario or a captured text in the page
# shows nothing new beyond a few kilobytes, and each byte more slows every execution.
max_len() {
  case $1 in
    markup) echo 16384 ;;
    page | ini) echo 4096 ;;
    scenario | res) echo 8192 ;;
    *) echo 65536 ;;
  esac
}

# The simulated desktop's drive lives in a fresh folder under TMPDIR; in memory (/dev/shm), the
# files the ini and picture targets write for every input cost no disk flush.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

configure() {
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVERBACAP_FUZZ=ON \
      -DVERBACAP_FUZZ_SANITIZERS="$sanitizers" >/dev/null
  fi
}

run() {
  local target=$1 seconds=$2
  shift 2
  local found="build/fuzz/corpus/$target"
  mkdir -p "$found"
  local options=(-timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$target")"
                 -print_final_stats=1 -artifact_prefix="build/fuzz/")
  if [ "$seconds" = 0 ]; then
    options+=(-runs=0)
  else
    options+=(-max_total_time="$seconds")
  fi
  # The first folder receives what the run finds; the seeds stay as committed.
  ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
    "$build/fuzz/fuzz_$target" "${options[@]}" "$@" "$found" "fuzz/corpus/$target"
}

[ $# -ge 1 ] || usage
if [ "$1" = ci ]; then
  configure
  cmake --build "$build" --target fuzzers -j "$(nproc)"
  log="$build/ci.log"
  for target in "${targets[@]}"; do
    for seconds in 0 "${FUZZ_CI_SECONDS:-5}"; do
      if ! run "$target" "$seconds" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz target $target failed (tools/fuzz.sh $target $seconds)" >&2
        exit 1
      fi
      echo "fuzz $target ($seconds s): $(grep -m1 -o 'stat::number_of_executed_units: [0-9]*' "$log")"
    done
  done
  echo "fuzz targets replay their corpora and run clean: ok"
  exit 0
fi

[ $# -ge 2 ] || usage
target=$1
seconds=$2
shift 2
case " ${targets[*]} " in *" $target "*) ;; *) usage ;; esac
[[ "$seconds" =~ ^[0-9]+$ ]] || usage
configure
cmake --build "$build" --target "fuzz_$target" -j "$(nproc)"
run "$target" "$seconds" "$@"
