#!/usr/bin/env bash
# Usage: bench/scale/both.sh BUILD_DIR
# The scale benchmark for both libraries: bench/scale/run.sh against the 64-bit build
# (BUILD_DIR/windows) and the 32-bit one (BUILD_DIR/windows-x86), each with the native build
# BUILD_DIR/native, then one table with a column per library. Each run's own output is kept in
# its build tree's bench-scale-run/ folder (run.txt holds its table).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "$1" && pwd)"

echo "=== windows (64-bit)"
QUILLBOX_WINDOWS_BITS=64 bash "$here/run.sh" "$build/windows" "$build/native"
echo "=== windows-x86 (32-bit)"
QUILLBOX_WINDOWS_BITS=32 bash "$here/run.sh" "$build/windows-x86" "$build/native"

# The result tables ("| Figure | Measured | Empty baseline | Target | Verdict |") of the two runs,
# joined by figure in the 64-bit run's order.
echo
echo "=== both libraries"
echo "| Figure | 64-bit | 32-bit | Target |"
echo "|---|---:|---:|---:|"
awk -F' [|] ' '
  FNR == 1 { table = 0; file++ }
  /^[|] Figure [|] Measured / { table = 1; next }
  table && /^[|]---/ { next }
  table && /^[|] / && NF == 5 {
    name = substr($1, 3)
    if (file == 1) { order[++n] = name; target[name] = $4 }
    measured[file, name] = $2
    next
  }
  { table = 0 }
  END {
    for (i = 1; i <= n; i++) {
      name = order[i]
      other = ((2, name) in measured) ? measured[2, name] : "-"
      printf "| %s | %s | %s | %s |\n", name, measured[1, name], other, target[name]
    }
  }' "$build/windows/bench-scale-run/run.txt" "$build/windows-x86/bench-scale-run/run.txt"
