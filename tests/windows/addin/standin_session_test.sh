#!/usr/bin/env bash
# Usage: standin_session_test.sh STANDIN EXPECTED_STATUS EXPECTED_OUTPUT SCRIPT [STANDIN_OPTIONS...]
# Runs the Word stand-in with a session script against the registered add-in and compares
# what it printed, and its exit status, with the expected ones. With QUILLBOX_SERVICE_URL set,
# the add-in's service base URL is configured to it for the session and removed afterwards.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/wine.sh"
standin="$1" expected_status="$2" expected="$3" script="$4"
shift 4
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
settings_key='HKLM\Software\Slatewood\QuillboxAddIn'
if [ -n "${QUILLBOX_SERVICE_URL:-}" ]; then
  wine_addin reg add "$settings_key" /ve /d "$QUILLBOX_SERVICE_URL" /f >/dev/null
  trap 'wine_addin reg delete "$settings_key" /f >/dev/null 2>&1' EXIT
fi
actual=$(wine_addin "$standin" --script "$(windows_path "$script")" "$@" </dev/null)
status=$?
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
  echo "the stand-in's transcript differs from $expected"
  exit 1
fi
if [ "$status" -ne "$expected_status" ]; then
  echo "the stand-in exited with $status, expected $expected_status"
  exit 1
fi
