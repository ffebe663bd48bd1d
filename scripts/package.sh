#!/usr/bin/env bash
# Builds the Debian package of the programs (qvctl, qvinstructor, qvteam). Given a build folder
# that is already configured (the one the tests ran in), it packages what that folder built;
# otherwise it makes an optimised build of its own, without the tests. The package strips the
# debugging symbols either way.
# Usage: scripts/package.sh [BUILD_DIR]   (default build-package)
# Prints the path of the .deb on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${1:-build-package}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BUILD_TESTS=OFF \
    -DQV_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" >&2
stamp=$(mktemp)
trap 'rm -f "$stamp"' EXIT
(cd "$build" && cpack -G DEB >&2)
deb=$(find "$build" -maxdepth 1 -name 'quorvant-instructor_*.deb' -newer "$stamp" | sort | tail -n 1)
if [ -z "$deb" ]; then
  echo "no package was built" >&2
  exit 1
fi
realpath "$deb"
