#!/usr/bin/env bash
# Builds the library and its tests for 64-bit Windows and runs them under Wine and Xvfb.
#   ./test.sh [ctest arguments...]      (QLN_BUILD=dir picks another build tree)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${QLN_BUILD:-$top/build}
bash "$top/cmake/setup.sh" "$build"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build"

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Windows need a display, even in tests: a private Xvfb on a free display number.
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
# A persistent wineserver, started with its streams detached: Wine's service processes would
# otherwise inherit ctest's pipes, and ctest would never see the end of a test's output.
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1 || true

cd "$build"
ctest --output-on-failure "$@"
