#!/usr/bin/env bash
# Builds the libFuzzer targets (the `fuzz` preset) and runs each for RUNS executions (first
# argument, default 1000000), one process each: the two property-list fuzzers and the whole-store
# fuzzer (fuzz_store: a settings file and a run of the manager's operations on it, then the main
# list's rewriting). A second argument picks one target (xml, binary or store). They start from
# the seed corpora in tests/fuzz/corpus/; inputs they find are kept in build/fuzz/corpus/, so the
# seeds stay as they are. A crash leaves its input in build/fuzz/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

runs="${1:-1000000}"
only="${2:-}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${VORLAN_JOBS:-2}" --target fuzz_plist_xml fuzz_plist_binary fuzz_store

for kind in xml binary; do
  [[ -z "$only" || "$only" == "$kind" ]] || continue
  work="build/fuzz/corpus/$kind"
  mkdir -p "$work"
  echo "== fuzz_plist_$kind: $runs runs =="
  "build/fuzz/tests/fuzz/fuzz_plist_$kind" -runs="$runs" -dict="tests/fuzz/plist_$kind.dict" \
    -artifact_prefix="build/fuzz/" -print_final_stats=1 "$work" "tests/fuzz/corpus/$kind"
done

if [[ -z "$only" || "$only" == "store" ]]; then
  # Both property-list forms reach the store, so it takes both dictionaries and its own keys.
  work="build/fuzz/corpus/store"
  mkdir -p "$work"
  cat tests/fuzz/plist_xml.dict tests/fuzz/plist_binary.dict tests/fuzz/store.dict \
    >build/fuzz/store.dict
  echo "== fuzz_store: $runs runs =="
  # Allocation stacks are the costliest part of the sanitizers here; a crash input replays with
  # them (build/fuzz/tests/fuzz/fuzz_store FILE).
  ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=16}" \
  "build/fuzz/tests/fuzz/fuzz_store" -runs="$runs" -dict=build/fuzz/store.dict -max_len=8192 \
    -timeout=10 -artifact_prefix="build/fuzz/" -print_final_stats=1 "$work" \
    "tests/fuzz/corpus/store"
fi
