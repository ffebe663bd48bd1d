#!/bin/sh
# Makes the README's pictures of the results window: plays a demo game of computer-managed
# banks for a number of quarters, keeps a copy of the game folder after each quarter, and
# photographs the results window and two charts under a virtual X display.
#   scripts/screenshots.sh [BUILD_DIR] [QUARTERS]
set -eu
build=${1:-build}
quarters=${2:-12}
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/qvctl" demo "$work/game" > /dev/null
# The demo leaves the game at quarter 4, where the kept copies start; one more folder per
# advance.
n=1
cp -r "$work/game" "$work/q$n"
while [ "$n" -lt "$quarters" ]; do
  "$bin/qvctl" advance "$work/game" --seed "$n" > /dev/null
  n=$((n + 1))
  cp -r "$work/game" "$work/q$n"
done
xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/qv_results_screenshots" "$work" docs
