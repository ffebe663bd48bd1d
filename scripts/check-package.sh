#!/usr/bin/env bash
# Checks a built .deb: its Depends can be met here, it unpacks into a scratch root, and the
# programs run from there, finding their data files relative to where they were installed.
# Usage: scripts/check-package.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "${1:?usage: scripts/check-package.sh PACKAGE.deb}")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

echo "Depends: $(dpkg-deb -f "$deb" Depends)"
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  apt-get install --simulate -qq "$deb" >/dev/null
fi
dpkg -x "$deb" "$root"
for file in usr/bin/qvctl usr/share/quorvant/DATAEC.QVS usr/share/quorvant/INIT.QVS \
            usr/share/quorvant/report.qvs usr/share/quorvant/help/instructor-guide.md; do
  [ -e "$root/$file" ] || { echo "missing from the package: $file" >&2; exit 1; }
done
contents=$(dpkg-deb -c "$deb")
if grep -q 'usr/bin/qvinstructor' <<<"$contents"; then
  for file in usr/share/applications/quorvant-instructor.desktop \
              usr/share/icons/hicolor/scalable/apps/quorvant-instructor.svg; do
    [ -e "$root/$file" ] || { echo "missing from the package: $file" >&2; exit 1; }
  done
fi
"$root/usr/bin/qvctl" --version
"$root/usr/bin/qvctl" demo "$root/game" > "$root/demo.txt"
grep -q "Game advanced successfully" "$root/demo.txt"
"$root/usr/bin/qvctl" verify "$root/game"
echo "The package installs and its qvctl demo runs."
