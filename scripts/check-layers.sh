#!/usr/bin/env bash
# Refuses an include that reaches up the stack of layers, or reaches for Qt below the desktop
# programs. Each layer may include itself and the layers listed before it:
#   platform data engine reports advance newgame setup | front ends: cli, and the Qt ones:
#   charts (the results chart), desktop, team
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(platform data engine reports advance newgame setup)
declare -A allowed
below=""
for layer in "${layers[@]}"; do
  below="$below $layer"
  allowed[$layer]="$below"
done
core="${allowed[setup]}"
allowed[cli]="$core cli"
allowed[charts]="$core charts"
allowed[desktop]="$core charts desktop"
allowed[team]="$core charts team desktop"

status=0
for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$line")
    if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
      echo "$file: $folder/ may not include $target/ ($line)"
      status=1
    fi
  done < <(grep -rnE '^\s*#\s*include "[^/"]+/' "$folder" --include='*.h' --include='*.cpp' || true)
  if [ "$folder" != charts ] && [ "$folder" != desktop ] && [ "$folder" != team ]; then
    if grep -rnE '^\s*#\s*include\s*<Q' "$folder" --include='*.h' --include='*.cpp'; then
      echo "$folder/ may not include Qt"
      status=1
    fi
  fi
done
[ $status -eq 0 ] && echo "Layers: every include points down."
exit $status
