#!/usr/bin/env bash
# Builds everything for 32-bit Windows, the platform the library first ran on, and checks without
# running it (this machine's kernel runs no 32-bit program) that each module loads: it imports the
# compiler's shared run-time, so that exceptions cross modules, and every DLL it imports is beside
# it or the system's. Then a report object built against the installed 32-bit package, the same.
#   ./build-i686.sh          (the tree is build-i686; ./test.sh with QLN_BUILD=build-i686 and the
#                             32-bit tool chain runs its tests where 32-bit programs can run)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$top/build-i686
toolchain=$top/cmake/mingw-i686.cmake
objdump=i686-w64-mingw32-objdump
bash "$top/cmake/setup.sh" "$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQLN_WARNINGS_AS_ERRORS=ON ${QLN_CMAKE_ARGS:-} >/dev/null
cmake --build "$build"
mapfile -t runtime <"$build/runtime-dlls.txt"
[ ${#runtime[@]} -gt 0 ] || { echo "i686 build: the 32-bit tool chain names no shared run-time" >&2; exit 1; }
bash "$top/cmake/check-imports.sh" "$objdump" "$build/bin" "${runtime[@]}"

check=$build/package-check
rm -rf "$check"
cmake --install "$build" --prefix "$check/prefix" >/dev/null
for dll in QLNAfx.dll QLNBase.dll "${runtime[@]}"; do
  [ -f "$check/prefix/bin/$dll" ] || { echo "i686 build: the installed package lacks bin/$dll" >&2; exit 1; }
done
cmake -S "$top/sample/textctrl" -B "$check/textctrl" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$check/prefix" >/dev/null
cmake --build "$check/textctrl"
bash "$top/cmake/check-imports.sh" "$objdump" "$check/textctrl" "${runtime[@]}"
echo "i686 build: ok"
