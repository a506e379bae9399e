#!/usr/bin/env bash
# Builds the libFuzzer targets (the `fuzz` preset) and runs each property-list fuzzer for RUNS
# executions (first argument, default 1000000), one process each. They start from the seed
# corpora in tests/fuzz/corpus/; inputs they find are kept in build/fuzz/corpus/, so the seeds stay
# as they are. A crash leaves its input in build/fuzz/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

runs="${1:-1000000}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${VORLAN_JOBS:-2}" --target fuzz_plist_xml fuzz_plist_binary

for kind in xml binary; do
  work="build/fuzz/corpus/$kind"
  mkdir -p "$work"
  echo "== fuzz_plist_$kind: $runs runs =="
  "build/fuzz/tests/fuzz/fuzz_plist_$kind" -runs="$runs" -dict="tests/fuzz/plist_$kind.dict" \
    -artifact_prefix="build/fuzz/" -print_final_stats=1 "$work" "tests/fuzz/corpus/$kind"
done
