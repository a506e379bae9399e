#!/usr/bin/env bash
# Checks the sources against the project's .clang-format and .clang-tidy. Needs the debug build's
# compile database (`cmake --preset debug` makes it; nothing needs to be built). Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
echo "== format check: ${#sources[@]} files =="
clang-format --dry-run --Werror "${sources[@]}"

# The compiler's own warnings are gcc's business (warnings are errors in every build); clang-tidy
# reports only its checks here.
mapfile -t units < <(git ls-files '*.cpp' | grep -v '^tests/fuzz/')
echo "== clang-tidy: ${#units[@]} files =="
run-clang-tidy -quiet -p build/debug -j "${VORLAN_JOBS:-2}" -extra-arg=-w \
  "${units[@]/#/$PWD/}" >build/debug/clang-tidy.log 2>&1 || {
  grep -E 'error:|warning:' build/debug/clang-tidy.log | sort -u | head -n 50
  echo "clang-tidy found problems; the whole report is build/debug/clang-tidy.log"
  exit 1
}
echo "clang-tidy: clean"
