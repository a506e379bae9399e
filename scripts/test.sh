#!/usr/bin/env bash
# Checks the sources' format and runs clang-tidy over them (scripts/lint.sh, on the debug build's
# compile database), then builds and runs every test twice: in the normal debug build and in the
# sanitizer build (address, undefined behaviour, leaks). Exits non-zero if anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs="${VORLAN_JOBS:-2}"
echo "== lint =="
cmake --preset debug >/dev/null
bash scripts/lint.sh

for preset in debug sanitize; do
  echo "== $preset build =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
