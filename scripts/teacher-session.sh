#!/usr/bin/env bash
# Usage: scripts/teacher-session.sh BUILD_DIR [SCRIPT]
# Plays a teacher's session against the real add-in: starts the reference comment service on
# loopback with its sample bank, makes a Wine prefix, points the add-in at the service,
# registers QuillboxAddIn.dll with regsvr32 and drives it through the Word stand-in with the
# real dialogs under Xvfb (demo/teacher-session.txt). Prints the report written into the
# document and a summary, and leaves screenshots of the dialogs. Expects BUILD_DIR/native and
# BUILD_DIR/windows to be built (scripts/demo.sh does that). SCRIPT plays another session
# script in the same setting. With QUILLBOX_STANDIN_ARGUMENTS=by-value the stand-in passes the
# ribbon's string and flag arguments by value instead of by reference.
# With QUILLBOX_WINDOWS_BITS=32 the same session plays with the 32-bit library of
# BUILD_DIR/windows-x86 and its stand-in Word under the 32-bit Wine loader, in BUILD_DIR/demo-x86
# (without the screenshots, which the 64-bit session takes).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "$1" && pwd)"

# Every Wine command shares one X display: run the whole session inside one Xvfb.
if [ -z "${QUILLBOX_SESSION_DISPLAY:-}" ]; then
  exec env QUILLBOX_SESSION_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build" "${@:2}"
fi

source "$root/scripts/lib/built-programs.sh"
if [ "$windows_tree" = windows ]; then work="$build/demo"; else work="$build/demo-x86"; fi
script="$(realpath "${2:-$root/demo/teacher-session.txt}")"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY

stage_name="starting"
service_pid=""
stage() {
  stage_name="$*"
  echo "== $*"
}
# fail WHAT: ends the session with a non-zero status, naming the stage and what went wrong.
fail() {
  echo "teacher session: $*" >&2
  exit 1
}
cleanup() {
  local status=$?
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null && wait "$service_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  if [ "$status" -ne 0 ]; then
    echo "teacher session: the stage \"$stage_name\" failed (exit status $status); files are in $work" >&2
  fi
}
trap cleanup EXIT
source "$root/scripts/lib/wine.sh"
source "$root/scripts/lib/reference-service.sh"
rm -rf "$work/screenshots"
mkdir -p "$work/screenshots"
settings_key='HKLM\Software\Slatewood\QuillboxAddIn'

stage "starting the reference comment service"
start_reference_service "$service" "$work" || exit 1
echo "service at $url"

stage "making the Wine prefix"
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
wineserver -p >/dev/null 2>&1 </dev/null
wine_addin wineboot >/dev/null 2>&1 </dev/null

stage "pointing the add-in at the service"
wine_addin reg add "$settings_key" /ve /d "$url" /f >/dev/null
# Read back the way the add-in reads it: from the registry view of its bitness.
wine_addin reg query "$settings_key" /ve </dev/null 2>/dev/null | tr -d '\r' | grep -qF "$url" ||
  fail "the base URL is not in $settings_key as the add-in reads it"

stage "registering QuillboxAddIn.dll"
wine_addin regsvr32 /s "$(windows_path "$library")" ||
  fail "regsvr32 refused $(windows_path "$library")"
wine_addin reg query 'HKCR\Quillbox.AddIn\CLSID' </dev/null >/dev/null 2>&1 ||
  fail "regsvr32 left no ProgID Quillbox.AddIn"

stage "a teacher's session in the Word stand-in"
started=$(date +%s%N)
set +e
wine_addin "$standin" --script "$(windows_path "$script")" </dev/null | tr -d '\r' >"$work/transcript.txt"
standin_status=${PIPESTATUS[0]}
set -e
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
sed -n '1,/^== report$/p' "$work/transcript.txt" | sed '$d' | grep -v '^writes [0-9]*$'
[ "$standin_status" -eq 0 ] || fail "the Word stand-in ended with status $standin_status"
# The stand-in marks with "!" every control it could not find or use and every call the
# add-in refused.
if grep -q '^!' "$work/transcript.txt"; then
  fail "the stand-in reported: $(grep '^!' "$work/transcript.txt" | tr '\n' ';')"
fi

stage "the report written into the document"
sed -n '/^== report$/,$p' "$work/transcript.txt" | sed '1d'

# What happened, from those who saw it: the requests the service logged, and the texts the
# stand-in Word took at its selection.
requests=$(grep -c '^GET ' "$work/requests.log" || true)
comments=$(sed -n 's/^writes \([0-9]*\)$/\1/p' "$work/transcript.txt" | tail -n 1)
clicks=$(grep -c '^click-comment' "$script" || true)
stage "checking what the session did"
grep -q '^GET /service/subjects?' "$work/requests.log" || fail "the login reached no comment service"
[ -n "$comments" ] || fail "the stand-in did not say how many texts were written"
[ "$comments" -eq "$clicks" ] || fail "$comments comments were written into the document for $clicks clicks"

if [ "$windows_tree" = windows ]; then
  stage "photographing what the teacher sees"
  wineserver -k >/dev/null 2>&1 || true
  # Screenshots are a by-product: a failure here is reported but does not fail the session.
  bash "$root/demo/screenshots/standin-screenshot.sh" "$build" "$work/screenshots/standin-window.png" \
    >"$work/screenshots.log" 2>&1 || echo "no window screenshot (see $work/screenshots.log)"
  bash "$root/demo/screenshots/take-screenshots.sh" "$build/windows" "$work/screenshots" \
    >>"$work/screenshots.log" 2>&1 || echo "no dialog screenshots (see $work/screenshots.log)"
  echo "screenshots in $work/screenshots: $(cd "$work/screenshots" && ls | tr '\n' ' ')"
fi

echo
echo "summary: $requests requests sent, $comments comments inserted, session took $elapsed_ms ms"
