#!/usr/bin/env bash
# Builds and runs every test twice: in the normal debug build and in the sanitizer build
# (address, undefined behaviour, leaks). Exits non-zero if anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs="${VORLAN_JOBS:-2}"
for preset in debug sanitize; do
  echo "== $preset build =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
