#!/usr/bin/env bash
# Usage: demo/screenshots/take-screenshots.sh WINDOWS_BUILD_DIR [OUT_DIR]
# Shows the login, progress and error dialogs one after another under Xvfb and photographs
# the screen while each is up (OUT_DIR defaults to WINDOWS_BUILD_DIR/screenshots). The
# progress dialog is taken twice, a moment apart, to show that its marquee moves. The login and
# error dialogs are taken again at 150% and in high-contrast colours.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="$(cd "$1" && pwd)"
out="${2:-$build/screenshots}"

# Every Wine command of the run shares one X display, so re-run this script inside Xvfb.
if [ -z "${QUILLBOX_SCREENSHOT_DISPLAY:-}" ]; then
  exec env QUILLBOX_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build" "$out"
fi

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
source "$repo/scripts/lib/wine.sh"
bash "$repo/scripts/wine-prefix.sh" "$WINEPREFIX"
# Wine's background processes inherit the first command's output: keep them off ours.
wineserver -p
wine64 wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k' EXIT

showcase="$build/demo/screenshots/ui_dialog_showcase.exe"
mkdir -p "$out"

# shoot DIALOG [NAME [high-contrast]]: photographs DIALOG into NAME.png (DIALOG.png by default).
shoot() {
  local dialog="$1" name="${2:-$1}"
  wine64 "$showcase" "$dialog" 4000 ${3:-} >/dev/null 2>&1 </dev/null &
  local pid=$!
  sleep 2.5
  import -window root "$out/$name.png"
  if [ "$dialog" = progress ]; then
    sleep 0.4
    import -window root "$out/progress-later.png"
  fi
  wait "$pid"
}

for dialog in login progress error; do shoot "$dialog"; done

# As a teacher with large text sees them: 150% (144 dpi, which Wine reads when a program starts).
# The prefix is put back at 96 dpi however the script ends.
desktop='HKCU\Control Panel\Desktop'
trap 'wine64 reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 </dev/null || true; wineserver -k' EXIT
wine64 reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 </dev/null
for dialog in login error; do shoot "$dialog" "$dialog-150"; done
wine64 reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 </dev/null
# In the colours of a dark high-contrast theme.
for dialog in login error; do shoot "$dialog" "$dialog-high-contrast" high-contrast; done

changed="$(compare -metric AE "$out/progress.png" "$out/progress-later.png" null: 2>&1 || true)"
echo "screenshots in $out; pixels that changed between the two progress frames: $changed"
