#!/usr/bin/env bash
# Usage: standin_session_test.sh STANDIN EXPECTED_STATUS EXPECTED_OUTPUT SCRIPT [STANDIN_OPTIONS...]
# Runs the Word stand-in with a session script against the registered add-in and compares
# what it printed, and its exit status, with the expected ones.
set -uo pipefail
standin="$1" expected_status="$2" expected="$3" script="$4"
shift 4
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
actual=$(wine "$standin" --script "Z:${script//\//\\}" "$@" </dev/null)
status=$?
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
  echo "the stand-in's transcript differs from $expected"
  exit 1
fi
if [ "$status" -ne "$expected_status" ]; then
  echo "the stand-in exited with $status, expected $expected_status"
  exit 1
fi
