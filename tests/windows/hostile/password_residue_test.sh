#!/usr/bin/env bash
# Usage: password_residue_test.sh STANDIN ADDIN_DLL SERVICE_PROGRAM STATE_DIR
# A teacher's whole session in the Word stand-in against the reference comment service, with a
# password found nowhere else: log in, write comments, open the website, log out. Afterwards
# the password must not be found anywhere in the Wine prefix (every file, the registry files
# and a fresh export of the live registry), neither as typed, nor percent-escaped as the
# requests carry it, nor as UTF-16. Only the service, which lives outside the prefix, holds it.
# Needs WINEPREFIX and DISPLAY; changes the machine-wide service URL and Wine's browser setting
# for the session and restores them.
set -uo pipefail
standin="${1:?stand-in program}" dll="${2:?add-in library}" service="${3:?service program}"
state="${4:?state directory}"
: "${WINEPREFIX:?WINEPREFIX must name the prefix under test}"
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY

password='Quill-Residue-7Zq'
escaped='Quill%2dResidue%2d7Zq'
email='residue.check@school.example'

rm -rf "$state"
mkdir -p "$state"
fail() { echo "FAIL: $*"; exit 1; }

cat >"$state/bank.json" <<JSON
{"teachers": [{"email": "$email", "password": "$password", "subjects": [
  {"name": "History", "tabs": [
    {"name": "Knowledge", "comments": ["# knows the Tudors well."]},
    {"name": "Effort", "comments": ["^ always tries hard."]}]}]}]}
JSON

source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/loopback-server.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/wine.sh"
start_loopback_server "$state/service.out" \
  "$service" --port 0 --db "$state/bank.sqlite" --bank "$state/bank.json" --log "$state/requests.log"
started=$?
service_pid=$server_pid
port=${server_url##*:}
settings_key='HKLM\Software\Slatewood\QuillboxAddIn'
browser_key='HKCU\Software\Wine\WineBrowser'
cleanup() {
  kill "$service_pid" 2>/dev/null
  wine_addin reg delete "$settings_key" /f >/dev/null 2>&1
  wine_addin reg delete "$browser_key" /v Browsers /f >/dev/null 2>&1
}
trap cleanup EXIT

[ "$started" -eq 0 ] || fail "the reference service did not start: $(cat "$state/service.out")"

# The website goes to a stand-in browser that only notes the address.
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$state/browser-capture.txt" >"$state/browser.sh"
chmod +x "$state/browser.sh"
wine_addin reg add "$browser_key" /v Browsers /d "$state/browser.sh" /f >/dev/null || fail "cannot set the browser"
wine_addin reg add "$settings_key" /ve /d "http://127.0.0.1:$port" /f >/dev/null || fail "cannot set the service URL"

cat >"$state/session.txt" <<SESSION
answer-login $email $password
click logIn
select-subject 0
type-name Ada
press girl
click-comment 0
click-comment 0
click visitWebsite
click logIn
print-report
SESSION

wine_addin "$standin" --dll "$dll" --script "$(windows_path "$state/session.txt")" >"$state/transcript.txt" 2>&1 </dev/null
status=$?
[ "$status" -eq 0 ] || fail "the session failed ($status): $(cat "$state/transcript.txt")"

# The session really used the password: the service received it, the report was written and
# the website was opened. It also goes through each library the add-in loads only when first
# needed: WinHTTP for the requests, the common controls for the login dialog and its links,
# and the shell for the website.
grep -q "password=$escaped" "$state/requests.log" || fail "the service never received the password"
grep -q '^dialog "Please log in..." answered' "$state/transcript.txt" ||
  fail "the add-in's login dialog was not shown: $(cat "$state/transcript.txt")"
grep -q "Ada knows the Tudors well. She always tries hard." "$state/transcript.txt" ||
  fail "the report was not written: $(cat "$state/transcript.txt")"
for _ in $(seq 1 100); do [ -s "$state/browser-capture.txt" ] && break; sleep 0.05; done
grep -q "autologin" "$state/browser-capture.txt" 2>/dev/null || fail "the website was not opened"

# The live registry, as Wine holds it in memory (the .reg files are only written later).
for hive in HKLM HKCU HKU HKCR; do
  wine_addin reg export "$hive" "$(windows_path "$state/registry-$hive.reg")" /y >/dev/null 2>&1 ||
    fail "cannot export $hive"
done

utf16="$(printf '%s' "$password" | sed 's/./&\\x00/g' | sed 's/-/\\-/g')"
# The searches themselves must see the password where it is: in the bank, and as UTF-16.
printf '%s' "$password" | iconv -f ASCII -t UTF-16LE >"$state/utf16-sample.bin"
LC_ALL=C grep -q -a -F -e "$password" "$state/bank.json" || fail "the plain search is broken"
LC_ALL=C grep -q -a -P -e "$utf16" "$state/utf16-sample.bin" || fail "the UTF-16 search is broken"

found=0
for place in "$WINEPREFIX" "$state"/registry-*.reg; do
  for form in "$password" "$escaped"; do
    if LC_ALL=C grep -r -a -l -F -e "$form" "$place" 2>/dev/null; then found=1; fi
  done
  if LC_ALL=C grep -r -a -l -P -e "$utf16" "$place" 2>/dev/null; then found=1; fi
done
[ "$found" -eq 0 ] || fail "the password was left in the files listed above"
echo "the password is nowhere in $WINEPREFIX or its registry"
