#!/usr/bin/env bash
# Builds the Debian package of the programs (qvctl, qvinstructor) in an optimised build of its
# own (the build type the tests run; the package strips the debugging symbols).
# Usage: scripts/package.sh [BUILD_DIR]   (default build-package)
# Prints the path of the .deb on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${1:-build-package}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BUILD_TESTS=OFF \
  -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" >&2
(cd "$build" && cpack -G DEB >&2)
deb=$(find "$build" -maxdepth 1 -name 'quorvant-instructor_*.deb' -newer "$build/CMakeCache.txt" |
      sort | tail -n 1)
if [ -z "$deb" ]; then
  echo "no package was built" >&2
  exit 1
fi
realpath "$deb"
