#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a bounded time,
# starting from the committed corpus. Fails when any target finds a crash.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 30)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLBOX_BUILD_DIR:-$root/build}/fuzz"
seconds="${1:-30}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLBOX_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"${QUILLBOX_JOBS:-2}" >/dev/null

status=0
for corpus in "$root"/fuzz/corpus/*/; do
  target="$(basename "$corpus")"
  work="$build/corpus/$target"
  mkdir -p "$work" "$build/crashes"
  cp -n "$corpus"* "$work"/ 2>/dev/null || true
  log="$build/$target.log"
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$build/crashes/$target-" "$work" >"$log" 2>&1; then
    runs=$(grep -Eo 'Done [0-9]+ runs' "$log" | tail -n1 | grep -Eo '[0-9]+' || echo "?")
    echo "fuzz: $target: $runs runs, no crash"
  else
    echo "fuzz: $target: FAILED (see $log)"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
