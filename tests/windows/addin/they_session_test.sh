#!/usr/bin/env bash
# Usage: they_session_test.sh STANDIN ADDIN_DLL SERVICE_PROGRAM STATE_DIR EXPECTED SCRIPT
# A report for a pupil who uses they, written through QuillboxAddIn.dll loaded from its file by
# the Word stand-in, against the reference comment service with a small bank of its own: the
# transcript (invalidations, the ribbon with the comments' labels and supertips, the report) is
# compared with the expected one. Changes the machine-wide service URL for the session and
# removes it afterwards.
set -uo pipefail
standin="${1:?stand-in program}" dll="${2:?add-in library}" service="${3:?service program}"
state="${4:?state directory}" expected="${5:?expected transcript}" script="${6:?session script}"
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

"$service" --port 0 --db "$state/bank.sqlite" --bank "$state/bank.json" --log "$state/requests.log" \
  >"$state/service.out" 2>&1 </dev/null &
service_pid=$!
settings_key='HKLM\Software\Slatewood\QuillboxAddIn'
cleanup() {
  kill "$service_pid" 2>/dev/null
  wine_addin reg delete "$settings_key" /f >/dev/null 2>&1
}
trap cleanup EXIT

port=""
for _ in $(seq 1 200); do
  port="$(sed -n 's|^listening on http://127\.0\.0\.1:\([0-9]*\)$|\1|p' "$state/service.out")"
  [ -n "$port" ] && break
  kill -0 "$service_pid" 2>/dev/null || break
  sleep 0.05
done
if [ -z "$port" ]; then
  echo "FAIL: the reference service did not start: $(cat "$state/service.out")"
  exit 1
fi
wine_addin reg add "$settings_key" /ve /d "http://127.0.0.1:$port" /f >/dev/null || { echo "FAIL: cannot set the URL"; exit 1; }

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
echo "a report for a pupil who uses they, written through the library: as expected"
