#!/usr/bin/env bash
# usage: scripts/bench.sh [--no-big] [--all-big] [--repeat N] [--big-repeat N] [--only 3x12:100000,...] [--data DIR] [--keep]
#
# Builds the release programs (into $BENCH_BUILD, default build-bench), generates the
# synthetic recordings once (into $BENCH_DATA, default out/bench-data; about 1.3 GB),
# and prints wall time, MB/s and peak memory of `ordwell convert`,
# of the set alone and of Brenlow alone for 3x12 and 3x4 recordings of 10,000 and
# 100,000 rows and a 3x12 recording of 1,000,000 rows, beside the cost of reading
# the file and the parse floor, with the ratios to the floor and the targets.
# The exit status is 1 when a target is missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
case "${1:-}" in -h|--help) exec /usr/bin/python3 "$root/bench/run_bench.py" --help ;; esac
sed -n '2p' "$0" | cut -c3-

build=${BENCH_BUILD:-$root/build-bench}
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORDWELL_GUI=OFF -DORDWELL_TESTS=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target ordwell Brenlow generate_recording parse_floor measure \
  ordwell_set_bench ordwell_phase_bench >/dev/null

exec /usr/bin/python3 "$root/bench/run_bench.py" --bin "$build/bin" --source "$root" "$@"
