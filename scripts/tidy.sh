#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over the core and qvctl, using the compile
# commands of a build. Usage: scripts/tidy.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/compile_commands.json" ] || cmake -S . -B "$build" -G Ninja >/dev/null
# Generated sources (packed data, Qt's moc) must exist before they are analysed.
cmake --build "$build" --target qv_static_data >/dev/null
files=$(ls platform/*.cpp data/*.cpp engine/*.cpp reports/*.cpp advance/*.cpp newgame/*.cpp \
           setup/*.cpp cli/*.cpp)
# shellcheck disable=SC2086
printf '%s\n' $files | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet
echo "clang-tidy: clean"
