#!/usr/bin/env bash
# Usage: offline_session_test.sh STANDIN ADDIN_DLL SERVICE_PROGRAM STATE_DIR SESSIONS_DIR OTHER_PREFIX
# The teacher's offline copy through QuillboxAddIn.dll, loaded by the Word stand-in, against
# the reference comment service: a session online keeps the copy; with the service stopped a
# new add-in object offers it, and Yes works from it; then a wrong password, another Windows
# user (a second Wine prefix under another user name), a file cut in half and the OfflineCopy
# policy set to 0 each open nothing. The file itself holds neither the password nor a
# comment's text. Changes the machine-wide settings for the session and removes them after.
set -uo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/../../../scripts/lib/wine.sh"
source "$here/../../../scripts/lib/loopback-server.sh"
standin="${1:?stand-in program}" dll="${2:?add-in library}" program="${3:?service program}"
state="${4:?state directory}" sessions="${5:?sessions folder}" other_prefix="${6:?second prefix}"
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
export WINEDEBUG=-all

password='Analytical engine 1843!'
settings_key='HKLM\Software\Slatewood\QuillboxAddIn'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

rm -rf "$state"
mkdir -p "$state"
service_pid=""
cleanup() {
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null
  wine_addin reg delete "$settings_key" /f >/dev/null 2>&1
  rm -rf "$copies"
  WINEPREFIX="$other_prefix" wineserver -k >/dev/null 2>&1
}
trap cleanup EXIT

cat >"$state/bank.json" <<'JSON'
{"teachers": [{"email": "ada.lovelace@school.example", "password": "Analytical engine 1843!", "subjects": [
  {"name": "Art", "tabs": [{"name": "Effort", "comments": ["# mixes colours with great care."]}]},
  {"name": "Music", "tabs": [{"name": "Singing", "comments": ["# sings in tune and ^ leads the choir."]}]},
  {"name": "Science", "tabs": [{"name": "Practical", "comments": ["# measures precisely."]}]}]}]}
JSON

# The question names the copy's date and time, which differ from run to run.
run_session() {  # run_session PREFIX SCRIPT EXPECTED
  local actual
  actual=$(WINEPREFIX="$1" wine_addin "$standin" --dll "$(windows_path "$dll")" \
    --script "$(windows_path "$sessions/$2")" </dev/null |
    sed -E 's/(Use your offline copy of )[^"?]*\?/\1<date>?/')
  if diff -u "$sessions/$3" <(printf '%s\n' "$actual"); then pass "$2"; else fail "$2: transcript differs from $3"; fi
}

# Where the add-in keeps copies in a prefix: the user's local application data.
copy_folder() {
  local local_appdata
  local_appdata=$(WINEPREFIX="$1" wine_addin cmd /c echo %LOCALAPPDATA% </dev/null 2>/dev/null | tr -d '\r')
  WINEPREFIX="$1" wine_addin winepath -u "$local_appdata\\Slatewood\\QuillboxAddIn\\offline" 2>/dev/null </dev/null
}

copies=$(copy_folder "$WINEPREFIX")
[ -n "$copies" ] || { echo "FAIL: no local application data folder"; exit 1; }
rm -rf "$copies"

start_loopback_server "$state/service.out" "$program" --port 0 --db "$state/bank.db" --bank "$state/bank.json" \
  --log "$state/requests.log" || { echo "FAIL: the reference service did not start"; exit 1; }
service_pid=$server_pid url=$server_url
wine_addin reg add "$settings_key" /ve /d "$url" /f >/dev/null || { echo "FAIL: cannot set the URL"; exit 1; }

run_session "$WINEPREFIX" online.txt online.expected
mapfile -t files < <(find "$copies" -type f 2>/dev/null)
if [ "${#files[@]}" -ne 1 ] || [[ "${files[0]}" != *.copy ]]; then
  fail "one .copy file expected in $copies, found: ${files[*]:-none}"
  exit 1
fi
copy="${files[0]}"
cp "$copy" "$state/good.copy"
case "$(basename "$copy")" in *ada*|*lovelace*|*@*) fail "the file is named from the address" ;; esac
# Neither the password nor a comment, in UTF-8 or in UTF-16, nor the magic of the sealed copy
# (DPAPI wraps it).
plain_found=""
for text in "$password" "mixes colours" "leads the choir" "Singing" "ada.lovelace@school.example" "QBXCOPY"; do
  utf16=$(printf '%s' "$text" | iconv -t UTF-16LE | od -An -tx1 | tr -d ' \n')
  grep -qaF "$text" "$copy" && plain_found+=" '$text'"
  od -An -tx1 "$copy" | tr -d ' \n' | grep -q "$utf16" && plain_found+=" '$text'(UTF-16)"
done
if [ -z "$plain_found" ]; then pass "the file holds no password, address or comment text"; else fail "in plain:$plain_found"; fi

kill "$service_pid" 2>/dev/null && wait "$service_pid" 2>/dev/null
service_pid=""

run_session "$WINEPREFIX" offline_yes.txt offline_yes.expected
run_session "$WINEPREFIX" wrong_password.txt no_copy.expected

# Another Windows user: a second prefix under another user name, with the same file.
USER=another-teacher LOGNAME=another-teacher bash "$here/../../../scripts/wine-prefix.sh" "$other_prefix"
export USER=another-teacher LOGNAME=another-teacher
( export WINEPREFIX="$other_prefix"
  wineserver -p >/dev/null 2>&1 </dev/null
  wine_addin regsvr32 /s "$(windows_path "$dll")" >/dev/null 2>&1 </dev/null
  wine_addin reg add "$settings_key" /ve /d "$url" /f >/dev/null 2>&1 </dev/null )
other_copies=$(copy_folder "$other_prefix")
mkdir -p "$other_copies"
cp "$state/good.copy" "$other_copies/$(basename "$copy")"
run_session "$other_prefix" no_copy.txt no_copy.expected
rm -rf "$other_copies"
WINEPREFIX="$other_prefix" wineserver -k >/dev/null 2>&1
unset USER LOGNAME

# A file cut in half is no copy; it is left for the next online login to replace.
head -c $(($(stat -c %s "$state/good.copy") / 2)) "$state/good.copy" >"$copy"
run_session "$WINEPREFIX" no_copy.txt no_copy.expected

# The policy turns the copy off: it is not offered, and it is removed at that login.
cp "$state/good.copy" "$copy"
wine_addin reg add "$settings_key" /v OfflineCopy /t REG_DWORD /d 0 /f >/dev/null
run_session "$WINEPREFIX" no_copy.txt no_copy.expected
if [ -e "$copy" ]; then fail "OfflineCopy 0 left the copy"; else pass "OfflineCopy 0 removed the copy"; fi

[ "$failures" -eq 0 ] && echo "the offline copy through the library: as expected"
exit $((failures > 0))
