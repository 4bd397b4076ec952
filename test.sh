#!/usr/bin/env bash
# Builds the library and its tests for 64-bit Windows, warnings in the project's own code being
# errors, and runs the tests under Wine and Xvfb.
#   ./test.sh [ctest arguments...]      (QLN_BUILD=dir picks another build tree;
#                                        QLN_CMAKE_ARGS adds configure options, e.g.
#                                        -DQLN_TRAP_UNDEFINED=ON in a tree of its own;
#                                        QLN_ARCH=i686 builds and runs the 32-bit suite, in
#                                        build-i686 unless QLN_BUILD says otherwise: it needs a
#                                        kernel and a Wine that run 32-bit programs)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
arch=${QLN_ARCH:-x86_64}
case $arch in
  x86_64) build=${QLN_BUILD:-$top/build} ;;
  i686) build=${QLN_BUILD:-$top/build-i686} ;;
  *) echo "test.sh: QLN_ARCH is x86_64 or i686, not $arch" >&2; exit 2 ;;
esac
bash "$top/cmake/setup.sh" "$build"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake" -DQLN_WARNINGS_AS_ERRORS=ON ${QLN_CMAKE_ARGS:-} >/dev/null
cmake --build "$build"

source "$top/cmake/wine-session.sh" "$build"

cd "$build"
ctest --output-on-failure "$@"
