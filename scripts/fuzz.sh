#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang in a build folder of their
# own, then runs each for a bounded time. Fails when a target finds a crash,
# a leak or a broken invariant; the input that did it is left in the build
# folder as crash-*, leak-* or timeout-*.
#   scripts/fuzz.sh [seconds per target] [build folder]   (default: 60, build-fuzz)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build=${2:-$top/build-fuzz}
case "$seconds" in
  ''|*[!0-9]*|0) echo "fuzz: seconds must be a positive whole number, not '$seconds'" >&2; exit 2 ;;
esac

bash "$top/scripts/install.sh"
cmake -S "$top/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j 2

for target in tnsnames profile escape sqltext; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  echo "fuzz: $target for ${seconds}s"
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/$target-" -print_final_stats=1 \
    "$corpus" "$top/fuzz/seeds/$target"
done
echo "fuzz: no crash in any target"
