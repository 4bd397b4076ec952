#!/usr/bin/env bash
# Makes the README's pictures of the text object's property sheet from the build: builds the
# sample text object and the demo host, registers the sample under Wine and has the demo host
# photograph each page of a new object's sheet into docs/pictures/.
#   docs/shots.sh        (QLN_DEMO_BUILD=dir picks the build tree; default build-demo)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QLN_DEMO_BUILD:-$top/build-demo}
mkdir -p "$build"
build=$(cd "$build" && pwd)
bash "$top/cmake/setup.sh" "$build"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLN_BUILD_TESTS=OFF \
      -DQLN_BUILD_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" --target textobj QLNSampleText

source "$top/cmake/wine-session.sh" "$build"

bin=$build/bin
wine regsvr32 /s "$(winepath -w "$bin/QLNSampleText.dll")"
mkdir -p "$top/docs/pictures"
wine "$bin/textobj.exe" --shot "$(winepath -w "$top/docs/pictures")" --lines >/dev/null
ls -l "$top/docs/pictures"
