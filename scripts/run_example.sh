#!/usr/bin/env bash
# The main job: build, then convert the bundled example recordings into SNIRF files.
# The base folder is out/example (intermediate files, temp/ with the SNIRF copies).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install_deps.sh" build
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DORDWELL_TESTS=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target ordwell Brenlow
base="$root/out/example"
mkdir -p "$base"
rm -rf "$base/STD_POS3D" && cp -r "$root/examples/STD_POS3D" "$base/STD_POS3D"
cd "$base"
echo "Standard positions:"
"$root/build/bin/ordwell" convert -o "$root/out" "$root/examples/subject01.datx" "$root/examples/subject03.dat"
echo "The subject's own positions:"
"$root/build/bin/ordwell" convert -o "$root/out" \
  --user "$root/examples/USR_POS3D/subj02_mni_origin_01.csv" "$root/examples/USR_POS3D/subj02_mni_others_3x4_01.csv" \
  "$root/examples/subject02.datx"
