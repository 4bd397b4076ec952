#!/usr/bin/env bash
# Builds the platform-free units and their tests with the host's compiler under AddressSanitizer
# and UndefinedBehaviorSanitizer, into build-native/, and runs the tests.
#   tests/native/run.sh [ctest arguments...]
#   QLN_NATIVE_CXX=clang++ picks clang (installed when missing), built in build-native-clang/;
#   QLN_NATIVE_BUILD=dir picks another tree.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$top/cmake/packages.sh"
cxx=${QLN_NATIVE_CXX:-g++}
# A build tree keeps the compiler it was configured with: another compiler gets a tree of its own.
case "$cxx" in
  g++) build=${QLN_NATIVE_BUILD:-$top/build-native} ;;
  *) build=${QLN_NATIVE_BUILD:-$top/build-native-${cxx%%+*}} ;;
esac

# The sanitizer run-times come with the compilers; locales brings the definitions the comma
# locale of the number tests is made from.
packages=(cmake ninja-build googletest locales)
case "$cxx" in
  clang++*) packages+=(clang) ;;
  *) packages+=(g++) ;;
esac
qln_install_packages native "${packages[@]}"

cmake -S "$top/tests/native" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build "$build" -j 2

cd "$build"
ctest --output-on-failure "$@"
