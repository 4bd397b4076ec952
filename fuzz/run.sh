#!/usr/bin/env bash
# Builds the fuzz targets with the host's clang into build-fuzz/ and runs each of them for a
# bounded time, starting from the committed seeds, printing executions and coverage. A finding
# (a crash, a sanitizer report, a broken check, a leak, a hang) fails the run; its input is kept
# in build-fuzz/findings/.
#   fuzz/run.sh [seconds per target]     (default 15: the eight together in about two minutes)
#   QLN_FUZZ_BUILD=dir picks another tree.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/cmake/packages.sh"
seconds=${1:-15}
build=${QLN_FUZZ_BUILD:-$top/build-fuzz}
targets=(TextFieldFuzz LineIndexFuzz NumberFuzz CatalogueFuzz CompoundFileFuzz PageStreamFuzz PropertyTextFuzz ResultMappingFuzz)

# libFuzzer comes with clang's run-time libraries.
qln_install_packages fuzz cmake ninja-build clang libclang-rt-14-dev
cmake -S "$top/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j 2

# The corpus each target grows lives in the tree; the committed seeds are only read.
mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  log=$build/$target.log
  if "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/findings/$target-" "$corpus" "$top/fuzz/corpus/$target" >"$log" 2>&1; then
    status=ok
  else
    status=FINDING
    failed+=("$target")
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -1)
  printf '%-14s %-7s %10s executions, %s\n' "$target" "$status" "${runs:-?}" "${coverage:-no coverage}"
done
if [ ${#failed[@]} -gt 0 ]; then
  for target in "${failed[@]}"; do
    echo "---- $target"
    grep -E -A30 '^==[0-9]+==|does not hold|^SUMMARY|runtime error' "$build/$target.log" | head -60
  done
  echo "fuzz: findings in ${failed[*]}; inputs in $build/findings" >&2
  exit 1
fi
