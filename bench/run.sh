#!/usr/bin/env bash
# Builds every benchmark and runs each under Wine with a private Xvfb, printing their figures.
#   bench/run.sh            (QLN_BUILD=dir picks the build tree; default build-bench)
# The tree is configured without the tests: a benchmark build needs none of them.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QLN_BUILD:-$top/build-bench}
bash "$top/cmake/setup.sh" "$build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLN_BUILD_TESTS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
benches=(engine_measurements engine_draw getline_bench)
cmake --build "$build" --target "${benches[@]}"

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=99
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1 || true

for bench in "${benches[@]}"; do
  wine "$build/bin/$bench.exe" </dev/null | tr -d '\r'
  echo
done
