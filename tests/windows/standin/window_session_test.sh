#!/usr/bin/env bash
# Usage: window_session_test.sh STANDIN LIBRARY EXPECTED_OUTPUT SCRIPT
# Runs the Word stand-in as a window with the add-in loaded from the library file, driven by a
# session script that ends with "close", and compares the transcript and the exit status.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/wine.sh"
standin="$1" library="$2" expected="$3" script="$4"
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
actual=$(timeout 120 "$addin_wine_loader" "$standin" --window --dll "$(windows_path "$library")" --script "$(windows_path "$script")" \
  --step-ms 20 </dev/null)
status=$?
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
  echo "the window's transcript differs from $expected"
  exit 1
fi
if [ "$status" -ne 0 ]; then
  echo "the stand-in exited with $status, expected 0"
  exit 1
fi
