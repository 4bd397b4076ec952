#!/usr/bin/env bash
# Builds everything for 32-bit Windows, the platform the library first ran on: a check that
# nothing assumes 64-bit pointers or long. The programs are not run.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bash "$top/cmake/setup.sh" "$top/build"
cmake -S "$top" -B "$top/build-i686" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" -DQLN_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$top/build-i686"
echo "i686 build: ok"
