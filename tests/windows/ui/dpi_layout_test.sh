#!/usr/bin/env bash
# Usage: dpi_layout_test.sh UI_TEST_PROGRAM DPI... — the dialogs' layout checks once at each DPI
# (Wine reads LogPixels when a program starts); the prefix is put back at 96 dpi afterwards.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/wine.sh"
program="$1"; shift
key='HKCU\Control Panel\Desktop'
trap 'wine_addin reg delete "$key" /v LogPixels /f >/dev/null 2>&1 </dev/null || true' EXIT

status=0
for dpi in "$@"; do
  wine_addin reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null </dev/null
  output=$(wine_addin "$program" --gtest_filter="Accessibility.EveryTextFits*" 2>&1 </dev/null | tr -d "\r") || status=1
  printf '%s\n' "$output"
  # The program prints the DPI it ran at: a setting that did not take fails the run.
  grep -q "^dpi $dpi\$" <<<"$output" || { echo "FAIL: the program did not run at $dpi dpi"; status=1; }
done
exit $status
