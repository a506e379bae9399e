#!/bin/bash
# Peak memory (maximum resident set size) of `vorlan prefs show` on a generated settings file of
# about 30 MiB, beside libplist and Python's plistlib doing the same: read, parse, print.
# Usage: bench/peak-memory/measure.sh [VORLAN] (build/release/sim/vorlan unless given)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
vorlan=${1:-$here/../../build/release/sim/vorlan}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/device/Applications/Preferences.app" "$work/device/var/mobile/Library/Preferences"
file=$work/device/var/mobile/Library/Preferences/com.vorlan.vorlan3.plist
python3 "$here/generate.py" "$file"
g++ -O2 -std=c++20 "$here/libplist_show.cpp" $(pkg-config --cflags --libs libplist-2.0) \
  -o "$work/libplist_show"
peak() {
  /usr/bin/time -f %M -o "$work/time" "$@" >"$work/out"
  cmp -s "$work/out" "$file" || { echo "$1 did not print the file as stored" >&2; exit 1; }
  awk '{ printf "%.1f MiB\n", $1 / 1024 }' "$work/time"
}
echo "file:              $(stat -c %s "$file" | awk '{ printf "%.1f MiB", $1 / 1048576 }')"
echo "vorlan prefs show: $(peak "$vorlan" prefs --device "$work/device" show)"
echo "libplist:          $(peak "$work/libplist_show" "$file")"
echo "plistlib:          $(peak python3 "$here/plistlib_show.py" "$file")"
