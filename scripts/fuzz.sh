#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for its share of the time.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS
# Exits non-zero when a target finds a crash; its input is kept in BUILD_DIR/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: scripts/fuzz.sh BUILD_DIR SECONDS"
build=${1:?$usage}
seconds=${2:?$usage}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DQV_FUZZ=ON -DQV_BUILD_TESTS=OFF \
  -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target qv_fuzz

mapfile -t targets < <(find "$build/fuzzers" -maxdepth 1 -type f -name 'qv_fuzz_*' | sort)
if [ "${#targets[@]}" -eq 0 ]; then
  echo "no fuzz targets built" >&2
  exit 1
fi
each=$((seconds / ${#targets[@]}))
[ "$each" -ge 1 ] || each=1

mkdir -p "$build/artifacts"
failed=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  # New inputs go into the build's corpus; the seeds in the source tree stay as they are.
  corpus="$build/corpus/$name"
  seeds="fuzz/corpus/${name#qv_fuzz_}"
  mkdir -p "$corpus"
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  echo "== $name for ${each}s"
  if ! "$target" "${args[@]}" -max_total_time="$each" -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name-" 2>"$build/$name.log"; then
    tail -n 40 "$build/$name.log" >&2
    echo "$name: crash found, input in $build/artifacts/" >&2
    failed=1
  else
    grep -E '^stat::number_of_executed_units' "$build/$name.log" || true
  fi
done
exit "$failed"
