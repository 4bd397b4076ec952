#!/usr/bin/env bash
# Builds the library and its tests for 64-bit Windows, warnings in the project's own code being
# errors, and runs the tests under Wine and Xvfb.
#   ./test.sh [ctest arguments...]      (QLN_BUILD=dir picks another build tree;
#                                        QLN_CMAKE_ARGS adds configure options, e.g.
#                                        -DQLN_TRAP_UNDEFINED=ON in a tree of its own)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${QLN_BUILD:-$top/build}
bash "$top/cmake/setup.sh" "$build"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" -DQLN_WARNINGS_AS_ERRORS=ON ${QLN_CMAKE_ARGS:-} >/dev/null
cmake --build "$build"

source "$top/cmake/wine-session.sh" "$build"

cd "$build"
ctest --output-on-failure "$@"
