#!/usr/bin/env bash
# Checks, without running anything, that the modules of a Windows build folder load: each DLL a
# module imports is beside it or is one of the system's, and, when the build links the compiler's
# run-time as DLLs, each module imports it rather than carrying a copy of its own.
#   cmake/check-imports.sh OBJDUMP FOLDER [RUNTIME-DLL...]
set -euo pipefail
objdump=$1 folder=$2
shift 2
runtime=("$@")
# The system's DLLs are the ones Wine provides; the 64-bit and the 32-bit Wine have the same names.
system=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
[ -d "$system" ] || { echo "check-imports: no Wine DLL folder $system" >&2; exit 1; }
lower() { tr '[:upper:]' '[:lower:]'; }
present=$( { ls "$folder"; ls "$system"; } | lower | sort -u)
failed=0 checked=0
for module in "$folder"/*.dll "$folder"/*.exe; do
  [ -e "$module" ] || continue
  name=$(basename "$module")
  for r in "${runtime[@]}"; do [ "$name" = "$r" ] && continue 2; done
  imports=$("$objdump" -p "$module" | sed -n 's/^[[:space:]]*DLL Name: //p' | lower)
  checked=$((checked + 1))
  for dll in $imports; do
    if ! grep -qxF "$dll" <<<"$present"; then
      echo "check-imports: $name imports $dll, which is neither in $folder nor the system's" >&2
      failed=1
    fi
  done
  if [ ${#runtime[@]} -gt 0 ]; then
    uses=0
    for r in "${runtime[@]}"; do grep -qxF "$(lower <<<"$r")" <<<"$imports" && uses=1; done
    if [ $uses = 0 ]; then
      echo "check-imports: $name imports none of ${runtime[*]}: it carries a run-time of its own" >&2
      failed=1
    fi
  fi
done
[ $checked -gt 0 ] || { echo "check-imports: no module in $folder" >&2; exit 1; }
[ $failed = 0 ] || exit 1
echo "check-imports: $checked modules in $folder load from what is beside them and the system"
