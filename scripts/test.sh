#!/usr/bin/env bash
# Installs what is missing, builds Lumidex and runs every test. The tests
# start and stop their own PostgreSQL cluster.
#   scripts/test.sh [build folder]      (default: build)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$top/build}

bash "$top/scripts/install.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
cd "$build"
ctest --output-on-failure --timeout 600
