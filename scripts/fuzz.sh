#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each one after the other for a while.
# usage: scripts/fuzz.sh [seconds-per-target] [--merge] [target...]
#   new inputs are kept in <build>/fuzz-new/<target>, findings in <build>/fuzz-findings;
#   --merge adds to the committed corpus fuzz/corpus/<target> the new inputs that reach
#   code it does not.
#   The build folder is $ORDWELL_FUZZ_BUILD_DIR, or build-fuzz in the repository.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORDWELL_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=60
merge=0
targets=()
for a in "$@"; do
  case "$a" in
    --merge) merge=1 ;;
    ''|*[!0-9]*) targets+=("$a") ;;
    *) seconds=$a ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  for d in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$d")"); done
fi
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is missing (scripts/install_deps.sh test installs it)" >&2
  exit 1
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORDWELL_FUZZ=ON \
  -DORDWELL_GUI=OFF -DORDWELL_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target ordwell_fuzz_targets

findings="$build/fuzz-findings"
mkdir -p "$findings" "$build/fuzz-logs"
found=0
for t in "${targets[@]}"; do
  new="$build/fuzz-new/$t"
  mkdir -p "$new"
  dict=()
  [ -f "$root/fuzz/$t.dict" ] && dict=(-dict="$root/fuzz/$t.dict")
  log="$build/fuzz-logs/$t.log"
  echo "== fuzz_$t for ${seconds}s (log: $log)"
  # A finding ends the run early; the other targets still run.
  nice -n 10 "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 "${dict[@]}" \
    -print_final_stats=1 -artifact_prefix="$findings/$t-" "$new" "$root/fuzz/corpus/$t" >"$log" 2>&1 || true
  grep -E '^(#[0-9]+ +DONE|Done [0-9]+ runs)' "$log" || tail -n 3 "$log"
  for f in "$findings/$t"-*; do
    [ -e "$f" ] || continue
    found=1
    echo "   FINDING: $f  (reproduce: $build/bin/fuzz_$t $f)"
  done
  if [ "$merge" = 1 ]; then
    # Adds the new inputs that reach an edge the corpus does not (edges, not hit
    # counts: that keeps the corpus to a small number of files).
    "$build/bin/fuzz_$t" -merge=1 -use_counters=0 "${dict[@]}" "$root/fuzz/corpus/$t" "$new" >>"$log" 2>&1
    echo "   corpus: $(ls "$root/fuzz/corpus/$t" | wc -l) files"
  fi
done
[ "$found" = 0 ] && echo "no findings" || { echo "findings in $findings"; exit 1; }
