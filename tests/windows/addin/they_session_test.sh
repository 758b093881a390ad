#!/usr/bin/env bash
# Usage: they_session_test.sh STANDIN ADDIN_DLL SERVICE_PROGRAM STATE_DIR EXPECTED SCRIPT [BANK]
# A session played through QuillboxAddIn.dll loaded from its file by the Word stand-in, against
# the reference comment service: by default a report for a pupil who uses they, with a small
# bank of its own; BANK (a bank JSON file) gives the service another one. The transcript
# (invalidations, the ribbon with the comments' labels and supertips, the report) is compared
# with the expected one. Changes the machine-wide service URL for the session and removes it
# afterwards.
set -uo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/../../../scripts/lib/wine.sh"
source "$here/../../../scripts/lib/loopback-server.sh"
standin="${1:?stand-in program}" dll="${2:?add-in library}" service="${3:?service program}"
state="${4:?state directory}" expected="${5:?expected transcript}" script="${6:?session script}"
bank="${7:-}"
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/wine.sh"

rm -rf "$state"
mkdir -p "$state"

cat >"$state/bank.json" <<'JSON'
{"teachers": [{"email": "rowan.ash@school.example", "password": "they-them", "subjects": [
  {"name": "Science", "tabs": [
    {"name": "Attitude", "comments": [
      "^ is always keen and ^'s made a strong start to the year.",
      "# enjoys practical work and ^ usually finishes experiments carefully."]},
    {"name": "Progress", "comments": [
      "^ works hard and never gives up; ~ written work shows that ^ has understood the topics we have covered this term, and I am proud of *."]},
    {"name": "Targets", "comments": ["Next term ^ needs to check ~ answers and ^ doesn't need to rush."]}]}]}]}
JSON
[ -n "$bank" ] && cp "$bank" "$state/bank.json"

settings_key='HKLM\Software\Slatewood\QuillboxAddIn'
service_pid=""
cleanup() {
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null
  wine_addin reg delete "$settings_key" /f >/dev/null 2>&1
}
trap cleanup EXIT

if ! start_loopback_server "$state/service.out" \
    "$service" --port 0 --db "$state/bank.sqlite" --bank "$state/bank.json" --log "$state/requests.log"; then
  echo "FAIL: the reference service did not start"
  exit 1
fi
service_pid=$server_pid
wine_addin reg add "$settings_key" /ve /d "$server_url" /f >/dev/null || { echo "FAIL: cannot set the URL"; exit 1; }

actual=$(wine_addin "$standin" --dll "$(windows_path "$dll")" --script "$(windows_path "$script")" </dev/null)
status=$?
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
  echo "FAIL: the stand-in's transcript differs from $expected"
  exit 1
fi
if [ "$status" -ne 0 ]; then
  echo "FAIL: the stand-in exited with $status"
  exit 1
fi
echo "$(basename "$script"), played through the library: as expected"
