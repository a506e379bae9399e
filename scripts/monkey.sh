#!/usr/bin/env bash
# A long monkey run: builds `vorlan` (release preset unless told otherwise) and drives simulated
# devices with seeded random steps, every invariant checked after each step (`vorlan monkey`).
#   bash scripts/monkey.sh [STEPS] [SEEDS] [PRESET] [FIRST SEED]
# STEPS in all (default 100000), spread over SEEDS runs (default 10) from FIRST SEED (default 1).
# A failure prints its seed, step, what broke and a shortened script that replays it; the script
# exits 1 then.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

steps="${1:-100000}"
seeds="${2:-10}"
preset="${3:-release}"
first="${4:-1}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "${VORLAN_JOBS:-2}" --target vorlan
per_seed=$(((steps + seeds - 1) / seeds))
echo "== vorlan monkey: $seeds seeds of $per_seed steps ($preset build) =="
"build/$preset/sim/vorlan" monkey --seed "$first" --seeds "$seeds" --steps "$per_seed"
