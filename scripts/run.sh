#!/usr/bin/env bash
# Builds the release program and runs the product's main job: the simulator on its built-in
# default device (a fresh one in a temporary folder), running its short tour of the Settings
# app with the product loaded. With arguments, runs `vorlan` with them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "${VORLAN_JOBS:-2}" --target vorlan
vorlan=build/release/sim/vorlan
if (($#)); then
  exec "$vorlan" "$@"
fi

# No arguments: the simulator's tour on a fresh default device in a temporary folder.
exec "$vorlan" sim
