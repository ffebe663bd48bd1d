#!/usr/bin/env bash
# Builds (when needed) and runs the program on its built-in defaults.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build >/dev/null
exec build/bin/qvctl --help
