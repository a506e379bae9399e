#!/usr/bin/env bash
# The long form of the kill test (tests/kill/): N kills of `vorlan prefs import` (first argument,
# default 1000), N/4 of the Settings app in the middle of its saves and N/10 of the simulator,
# on the debug build. VORLAN_KILL_SEED=S repeats a run's random moments.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake --preset debug >/dev/null
cmake --build --preset debug -j "${VORLAN_JOBS:-2}" --target tests_kill vorlan
VORLAN_KILL_ROUNDS="${1:-1000}" build/debug/tests/tests_kill
