#!/usr/bin/env bash
# Builds the release program and runs the product's main job on the built-in default device.
# With arguments, runs `vorlan` with them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "${VORLAN_JOBS:-2}" --target vorlan
vorlan=build/release/sim/vorlan
if (($#)); then
  exec "$vorlan" "$@"
fi

# The default device: a device root laid out as the simulator expects it.
device=build/device
mkdir -p "$device/var/mobile/Library/Preferences" "$device/var/mobile/Documents/Vorlan"
echo "== Tags on the default device =="
"$vorlan" prefs --device "$device" tags
echo "== Folders on the default device =="
"$vorlan" prefs --device "$device" folders
echo "== Settings file check =="
"$vorlan" prefs --device "$device" check
