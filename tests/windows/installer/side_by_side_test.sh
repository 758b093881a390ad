#!/usr/bin/env bash
# Usage: side_by_side_test.sh PREFIX_DIR PACKAGE_64 PACKAGE_32
# QuillboxAddIn.msi and QuillboxAddIn-x86.msi on one machine.
# 1. From the packages' tables: the ProgID rows, which Windows keeps once for both registry
#    views, are written by one component in each package, with the same component id and the
#    same rows, and by no other component; so Windows Installer counts that component once per
#    installed package and removes it only with the last one. (Wine keeps the ProgIDs even
#    without this, so a removal under Wine cannot show the fault; the tables can.)
# 2. Under Wine, in a prefix of its own: both installed, then removed in either order; removing
#    one leaves everything the other wrote, in its view, as it was.
set -uo pipefail
prefix="$1"
package64="$2"
package32="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../../scripts/lib/wine.sh"
source "$here/../registry_checks.sh"
source "$here/prefix_settled.sh"

echo "== the ProgIDs' component in both packages' tables"
# table PACKAGE TABLE: the rows, tab-separated, without the three heading lines.
table() { msiinfo export "$1" "$2" | tr -d '\r' | tail -n +4; }
# The Registry rows (Root, Key, Name, Value, Component) that write a ProgID key.
progid_rows() { table "$1" Registry | awk -F'\t' '$3 ~ /^Software\\Classes\\Quillbox\.AddIn(\.1)?(\\|$)/ { print $2 "\t" $3 "\t" $4 "\t" $5 "\t" $6 }' | LC_ALL=C sort; }
for package in "$package64" "$package32"; do
  [ -f "$package" ] || { echo "FAILED: no package $package"; exit 1; }
done
rows64=$(progid_rows "$package64")
rows32=$(progid_rows "$package32")
components64=$(cut -f5 <<<"$rows64" | sort -u)
components32=$(cut -f5 <<<"$rows32" | sort -u)
expect_equal "ProgID rows in the 64-bit package" 5 "$(grep -c . <<<"$rows64")"
expect_equal "one component writes the ProgIDs (64-bit)" 1 "$(grep -c . <<<"$components64")"
expect_equal "one component writes the ProgIDs (32-bit)" 1 "$(grep -c . <<<"$components32")"
expect_equal "the same ProgID rows in both packages" "$rows64" "$rows32"
# Component, ComponentId, Directory, Attributes, Condition, KeyPath.
component_row() { table "$1" Component | awk -F'\t' -v c="$2" '$1 == c'; }
row64=$(component_row "$package64" "$components64")
row32=$(component_row "$package32" "$components32")
id64=$(cut -f2 <<<"$row64")
expect_equal "the same component id in both packages" "$id64" "$(cut -f2 <<<"$row32")"
[[ "$id64" =~ ^\{[0-9A-F-]{36}\}$ ]] && pass || fail "component id '$id64'"
expect_equal "the same key path in both packages" "$(cut -f6 <<<"$row64")" "$(cut -f6 <<<"$row32")"
# msidbComponentAttributes64bit (256): each package's component follows its bitness.
expect_equal "64-bit component in the 64-bit package" 256 "$(( $(cut -f4 <<<"$row64") & 256 ))"
expect_equal "32-bit component in the 32-bit package" 0 "$(( $(cut -f4 <<<"$row32") & 256 ))"
# No other component of either package shares an id with the other package.
shared=$(comm -12 <(table "$package64" Component | cut -f2 | sort) <(table "$package32" Component | cut -f2 | sort))
expect_equal "only the ProgIDs' component id is shared" "$id64" "$shared"

echo "== both packages installed, then each removed"
export WINEPREFIX="$prefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
bash "$here/../../../scripts/wine-prefix.sh" "$prefix" || { echo "cannot create the Wine prefix $prefix"; exit 1; }
wineserver -p >/dev/null 2>&1 </dev/null
wine64 wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 </dev/null' EXIT

clsid='{2DD227D3-A097-4000-B385-2F845556AF4E}'
hklm='HKEY_LOCAL_MACHINE'
classes="$hklm\\Software\\Classes"
keys=("$classes\\Quillbox.AddIn" "$classes\\Quillbox.AddIn.1" "$classes\\CLSID\\$clsid"
  "$hklm\\Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn")
view_listing() { local key; for key in "${keys[@]}"; do listing "$key" "$1"; done; }
# msiexec BITS ARGS...: Wine's msiexec of that bitness, waiting until it has finished.
msiexec_as() {
  local loader="$wine64_loader"
  [ "$1" == 32 ] && loader="$wine32_loader"
  shift
  "$loader" msiexec "$@" /qn </dev/null >/dev/null 2>&1
  local status=$?
  wait_for_prefix_settled || fail "msiexec $* did not finish"
  [ "$status" -eq 0 ] || fail "msiexec $* exited $status"
}
package_of() { if [ "$1" == 32 ]; then windows_path "$package32"; else windows_path "$package64"; fi; }

# Quietly, whatever an earlier run left behind.
"$wine64_loader" msiexec /x "$(package_of 64)" /qn </dev/null >/dev/null 2>&1
"$wine32_loader" msiexec /x "$(package_of 32)" /qn </dev/null >/dev/null 2>&1
wait_for_prefix_settled
for first in 32 64; do
  second=$((96 - first))
  echo "-- removing the ${first}-bit package first"
  msiexec_as 64 /i "$(package_of 64)"
  msiexec_as 32 /i "$(package_of 32)"
  both64=$(view_listing 64)
  both32=$(view_listing 32)
  grep -q -F "$classes\\Quillbox.AddIn\\CurVer\\@ REG_SZ Quillbox.AddIn.1" <<<"$both64" && pass ||
    fail "64-bit view without the ProgID"
  grep -q -F "$classes\\CLSID\\$clsid\\InprocServer32\\@ REG_SZ C:\\Program Files (x86)\\Quillbox AddIn\\QuillboxAddIn.dll" <<<"$both32" && pass ||
    fail "32-bit view without the 32-bit class"
  msiexec_as "$first" /x "$(package_of "$first")"
  both=both$second
  expect_equal "the ${second}-bit view after removing the ${first}-bit package" "${!both}" "$(view_listing "$second")"
  msiexec_as "$second" /x "$(package_of "$second")"
  expect_equal "64-bit view after removing both" "$(printf '(missing)\n%.0s' "${keys[@]}")" "$(view_listing 64)"
done
echo "installer side by side: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
