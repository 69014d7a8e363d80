#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install_deps.sh" test
jobs=$(nproc)
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DORDWELL_WERROR=ON >/dev/null
cmake --build "$root/build" -j"$jobs"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs"
