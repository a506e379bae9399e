#!/usr/bin/env bash
# Builds the release program and runs the product's main job on the built-in default device.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "${VORLAN_JOBS:-2}" --target vorlan
exec build/release/sim/vorlan "$@"
