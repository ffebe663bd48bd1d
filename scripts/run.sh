#!/usr/bin/env bash
# Builds (when needed) and runs the program on its built-in defaults: the desktop program when
# there is a display, otherwise the headless demonstration (a game of six computer-managed
# banks advanced four quarters, with its quarterly report).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build >/dev/null
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/bin/qvinstructor ]; then
  exec build/bin/qvinstructor
fi
echo "No display: running the headless demonstration instead of the desktop program."
exec build/bin/qvctl demo "$@"
