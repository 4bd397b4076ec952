#!/usr/bin/env bash
# Builds every benchmark and runs each under Wine with a private Xvfb, printing their figures.
#   bench/run.sh [benchmark...]   (all by default; QLN_BUILD=dir picks the build tree, by
#                                 default build-bench)
# The tree is configured without the tests: a benchmark build needs none of them.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QLN_BUILD:-$top/build-bench}
bash "$top/cmake/setup.sh" "$build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLN_BUILD_TESTS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
benches=(engine_measurements engine_draw getline_bench stream_refusal_bench print_bench page_bench sequence_bench chromatogram_bench)
if [ $# -gt 0 ]; then
  benches=("$@")
fi
cmake --build "$build" --target "${benches[@]}"

source "$top/cmake/wine-session.sh" "$build"

for bench in "${benches[@]}"; do
  wine "$build/bin/$bench.exe" </dev/null | tr -d '\r'
  echo
done
