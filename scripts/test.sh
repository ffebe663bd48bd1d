#!/usr/bin/env bash
# Builds (when needed) and runs every test. Usage: scripts/test.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${1:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja ${QV_CMAKE_ARGS:-} >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j 2
