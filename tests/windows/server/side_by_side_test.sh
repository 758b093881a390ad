#!/usr/bin/env bash
# Usage: side_by_side_test.sh PREFIX_DIR ADDIN_64 STANDIN_64 ADDIN_32 STANDIN_32
# The 64-bit and the 32-bit QuillboxAddIn.dll registered machine-wide in one 64-bit Wine
# prefix, each with the regsvr32 of its own bitness, as a machine with both Words would have
# them: the 32-bit library's entries land in the 32-bit registry view (under Wow6432Node) and
# nowhere else, the 64-bit library's in the 64-bit view, neither touches the other's, and each
# bitness of the stand-in Word creates the add-in by ProgID from its own library. Unregistering
# one leaves the other as it was.
set -uo pipefail
prefix="$1"
dll64="Z:${2//\//\\}" standin64="$3"
dll32="Z:${4//\//\\}" standin32="$5"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../../scripts/lib/wine.sh"
source "$here/../registry_checks.sh"

export WINEPREFIX="$prefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
# Both loaders, by name (scripts/lib/wine.sh).
wine64="$wine64_loader"
wine32="$wine32_loader"
for loader in "$wine64" "$wine32"; do
  [ -x "$loader" ] || { echo "missing $loader (Debian packages wine64 and wine32:i386)"; exit 1; }
done
bash "$here/../../../scripts/wine-prefix.sh" "$prefix" || { echo "cannot create the Wine prefix $prefix"; exit 1; }
wineserver -p >/dev/null 2>&1 </dev/null
"$wine64" wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 </dev/null' EXIT

clsid='{2DD227D3-A097-4000-B385-2F845556AF4E}'
libid='{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}'
hklm='HKEY_LOCAL_MACHINE'
classes="$hklm\\Software\\Classes"
addin_key="$hklm\\Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn"
wow="$hklm\\Software\\Wow6432Node"

# What one library writes machine-wide into its own registry view: the class and the Word
# add-in key. The ProgIDs are one key for both views, as on Windows: each names the class id,
# which each view resolves to its own library, and they stay while either library is
# registered. (The type library's entries are shared too; each library adds its own platform
# key, win64 or win32, below 1.1\409.)
keys=("$classes\\CLSID\\$clsid" "$addin_key")
progids=("$classes\\Quillbox.AddIn" "$classes\\Quillbox.AddIn.1")
view_listing() { local key; for key in "${keys[@]}"; do listing "$key" "$1"; done; }
view_empty() {
  local key
  for key in "${keys[@]}"; do
    [ "$(listing "$key" "$1")" == "(missing)" ] || return 1
  done
}

register() {  # LOADER regsvr32 arguments...
  local loader="$1"
  shift
  "$loader" regsvr32 /s "$@" </dev/null >/dev/null 2>&1
}

# The library that the stand-in Word of one bitness loads for the ProgID, as Wine reports it.
loaded_by() {
  local loader="$1" standin="$2" script="$prefix/print-ribbon.txt" trace
  printf 'print-ribbon\n' >"$script"
  trace=$(mktemp)
  WINEDEBUG=-all,+loaddll "$loader" "$standin" --progid Quillbox.AddIn --script "Z:${script//\//\\}" \
    </dev/null >/dev/null 2>"$trace"
  echo "exit $?"
  sed -n 's/.*Loaded L"\(.*QuillboxAddIn\.dll\)".*/\1/p' "$trace" | sed 's/\\\\/\\/g' | sort -u
  rm -f "$trace"
}
# value_in VIEW KEY: the data of KEY's REG_SZ default value in that registry view, or
# "(missing)".
value_in() {
  listing "$2" "$1" | prefix="$2\\@ REG_SZ " awk '
    index($0, ENVIRON["prefix"]) == 1 { print substr($0, length(ENVIRON["prefix"]) + 1); found = 1; exit }
    END { if (!found) print "(missing)" }'
}

expect_registered() {  # WHAT LOADER DLL
  if register "$2" "$3"; then pass; else fail "$1: regsvr32 $3 failed"; fi
}
expect_unregistered() {  # WHAT LOADER DLL
  if register "$2" /u "$3"; then pass; else fail "$1: regsvr32 /u $3 failed"; fi
}
expect_view_empty() {  # WHAT VIEW
  if view_empty "$2"; then pass; else fail "$1: the $2-bit view holds entries"; view_listing "$2" | sed 's/^/    /'; fi
}
expect_view_unchanged() {  # WHAT VIEW BEFORE
  local now
  now=$(view_listing "$2")
  if [ "$now" == "$3" ]; then pass; else
    fail "$1: the $2-bit view changed (< before, > now)"
    diff <(echo "$3") <(echo "$now") | sed 's/^/    /'
  fi
}
expect_progids() {  # WHAT present|missing: in both views
  local view key
  for view in 32 64; do
    for key in "${progids[@]}"; do
      if { [ "$2" == present ] && [ "$(value_in "$view" "$key\\CLSID")" == "$clsid" ]; } ||
         { [ "$2" == missing ] && [ "$(listing "$key" "$view")" == "(missing)" ]; }; then
        pass
      else
        fail "$1: $key should be $2 in the $view-bit view"
      fi
    done
  done
}
typelib="$classes\\TypeLib\\$libid\\1.1\\409"

# Back to a prefix without either registration.
register "$wine32" /u "$dll32"
register "$wine64" /u "$dll64"

echo "== the 32-bit library alone: the 32-bit view, under Wow6432Node, and nowhere else"
expect_registered "32-bit" "$wine32" "$dll32"
expect_equal "class in the 32-bit view" "$dll32" "$(value_in 32 "$classes\\CLSID\\$clsid\\InprocServer32")"
expect_equal "class under Wow6432Node" "$dll32" "$(value_in 64 "$wow\\Classes\\CLSID\\$clsid\\InprocServer32")"
expect_equal "type library under Wow6432Node" "$dll32" \
  "$(value_in 64 "$wow\\Classes\\TypeLib\\$libid\\1.1\\409\\win32")"
if [ "$(listing "$wow\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn" 64)" != "(missing)" ]; then pass; else
  fail "no Word add-in key under Wow6432Node"
fi
expect_view_empty "32-bit library alone" 64
expect_progids "32-bit library alone" present
for view in 32 64; do
  for key in "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\$clsid" \
             "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn"; do
    if [ "$(listing "$key" "$view")" == "(missing)" ]; then pass; else fail "machine-wide wrote $key"; fi
  done
done
view32=$(view_listing 32)

echo "== both libraries"
expect_registered "64-bit" "$wine64" "$dll64"
expect_view_unchanged "64-bit registration" 32 "$view32"
expect_equal "class in the 64-bit view" "$dll64" "$(value_in 64 "$classes\\CLSID\\$clsid\\InprocServer32")"
expect_equal "64-bit type library" "$dll64" "$(value_in 64 "$typelib\\win64")"
expect_equal "32-bit type library" "$dll32" "$(value_in 32 "$typelib\\win32")"
view64=$(view_listing 64)

echo "== each bitness of the stand-in Word loads its own library"
expect_equal "64-bit stand-in" "exit 0
$dll64" "$(loaded_by "$wine64" "$standin64")"
expect_equal "32-bit stand-in" "exit 0
$dll32" "$(loaded_by "$wine32" "$standin32")"

echo "== unregistering one leaves the other"
expect_unregistered "32-bit" "$wine32" "$dll32"
expect_view_empty "32-bit unregistered" 32
expect_progids "kept for the 64-bit library" present
expect_view_unchanged "32-bit unregistered" 64 "$view64"
expect_equal "64-bit type library after the 32-bit one left" "$dll64" "$(value_in 64 "$typelib\\win64")"
expect_registered "32-bit again" "$wine32" "$dll32"
expect_view_unchanged "32-bit registered again" 32 "$view32"
expect_unregistered "64-bit" "$wine64" "$dll64"
expect_view_empty "64-bit unregistered" 64
expect_progids "kept for the 32-bit library" present
expect_view_unchanged "64-bit unregistered" 32 "$view32"
expect_equal "32-bit type library after the 64-bit one left" "$dll32" "$(value_in 32 "$typelib\\win32")"
expect_unregistered "32-bit at the end" "$wine32" "$dll32"
expect_view_empty "both unregistered" 32
expect_progids "both unregistered" missing

echo "side by side: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
