#!/usr/bin/env bash
# Usage: msi_test.sh PREFIX_DIR PACKAGE UPGRADE_PACKAGE ADDIN_DLL NEXT_ADDIN_DLL VERSION
#                    NEXT_VERSION WORD_STANDIN_EXE [BITS]
# Installs the package (QuillboxAddIn.msi, or QuillboxAddIn-x86.msi with BITS 32) with Wine's
# msiexec in a Wine prefix of its own and checks what it writes, that the stand-in Word loads
# the add-in from the installed folder, what uninstalling leaves, that the entries are those of
# the library's own registration, who owns the service base URL, and a major upgrade. ADDIN_DLL
# is the library PACKAGE holds, of file version VERSION; UPGRADE_PACKAGE is the next release,
# with NEXT_ADDIN_DLL of file version NEXT_VERSION. The registry is read in the view of the
# package's bitness; the other view must stay empty.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/wine.sh"
prefix="$1"
package="$(windows_path "$2")"
upgrade_package="$(windows_path "$3")"
dll_unix="$4"
next_dll_unix="$5"
version="$6"
next_version="$7"
standin="$8"
bits="${9:-64}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../registry_checks.sh"
source "$here/prefix_settled.sh"
# Each Wine step (msiexec above all) ends only when what it started has ended, so that the next
# step never races an installation or removal still writing the registry.
quiet_wine() {
  wine_addin "$@" </dev/null >/dev/null 2>&1
  local status=$?
  wait_for_prefix_settled || fail "after '$*' the prefix did not settle"
  return $status
}

export WINEPREFIX="$prefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
bash "$here/../../../scripts/wine-prefix.sh" "$prefix" || { echo "cannot create the Wine prefix $prefix"; exit 1; }
# The wineserver and Wine's background processes are started detached from our output, which
# ctest reads until every writer has gone.
wineserver -p >/dev/null 2>&1 </dev/null
wine_addin wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 </dev/null' EXIT

clsid='{2DD227D3-A097-4000-B385-2F845556AF4E}'
libid='{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}'
iid='{ACD63B3B-99A1-4711-B685-855E9494E9CB}'
hklm='HKEY_LOCAL_MACHINE'
classes="$hklm\\Software\\Classes"
addins="$hklm\\Software\\Microsoft\\Office\\Word\\Addins"
settings="$hklm\\Software\\Slatewood\\QuillboxAddIn"
if [ "$bits" == 32 ]; then
  folder='C:\Program Files (x86)\Quillbox AddIn'
  product='Quillbox AddIn (32-bit)'
  platform=win32
  other_view=64
else
  folder='C:\Program Files\Quillbox AddIn'
  product='Quillbox AddIn'
  platform=win64
  other_view=32
fi
installed="$folder\\QuillboxAddIn.dll"
folder_unix="$prefix/drive_c/${folder#C:\\}"
folder_unix="${folder_unix//\\//}"
uninstall_keys="$hklm\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
service_url='http://127.0.0.1:9/'

# Every key the package writes, for listings taken as a whole.
registration_keys=("$classes\\Quillbox.AddIn.1" "$classes\\Quillbox.AddIn" "$classes\\CLSID\\$clsid"
  "$classes\\TypeLib\\$libid" "$classes\\Interface\\$iid" "$addins\\Quillbox.AddIn")

# Back to a prefix without the product, whatever an earlier run left behind.
clean_up() {
  quiet_wine msiexec /x "$upgrade_package" /qn
  quiet_wine msiexec /x "$package" /qn
  quiet_wine regsvr32 /s /u "$installed"
  local key
  for key in "${registration_keys[@]}" "$hklm\\Software\\Slatewood" "$addins\\Other.AddIn"; do
    quiet_wine reg delete "$key" /f
  done
  rm -rf "$folder_unix"
}

install_package() { expect_status "install $*" ok msiexec /i "$package" /qn "$@"; }
uninstall_package() { expect_status "uninstall" ok msiexec /x "$package" /qn; }

# The DisplayVersion of every product named as this package's in Add/Remove Programs.
installed_versions() {
  local key
  wine_addin reg query "$uninstall_keys" </dev/null 2>/dev/null | tr -d '\r' | grep '^HKEY_' | while read -r key; do
    local entries
    entries=$(listing "$key")
    if grep -q -F -x "$key\\[DisplayName] REG_SZ $product" <<<"$entries"; then
      grep -F "$key\\[DisplayVersion] REG_SZ" <<<"$entries" | sed 's/.* REG_SZ //'
    fi
  done | sort | tr '\n' ' '
}

registration_listing() { for key in "${registration_keys[@]}"; do listing "$key"; done; }

# The entries of a later installation: those of the first one, checked in full below against
# the library's own registration.
expect_registration() {
  local actual
  actual=$(registration_listing)
  if [ "$actual" == "$msi_listing" ]; then
    pass
  else
    fail "$1: entries differ from the first installation's (< first, > now)"
    diff <(echo "$msi_listing") <(echo "$actual") | sed 's/^/    /'
  fi
}

expect_no_registration() {
  expect_missing "$1" "${registration_keys[@]}"
  if [ -e "$folder_unix" ]; then fail "$1: $folder_unix should not exist"; else pass; fi
}

# Runs the stand-in Word with a one-line session, the way Word creates an add-in from its key
# under Word\Addins; prints the transcript and, on a line "loaded PATH", each add-in library
# that Wine loaded. The stand-in always prints a transcript, so an empty one means Wine did not
# start the program at all (seen once in a new prefix on a loaded machine): that start is tried
# once more, with Wine's own output shown, and the add-in is judged on the second one.
run_standin() {
  local script="$prefix/print-ribbon.txt" trace output transcript status attempt
  printf 'print-ribbon\n' >"$script"
  trace=$(mktemp)
  output=$(mktemp)
  for attempt in 1 2; do
    WINEDEBUG=-all,+loaddll wine_addin "$standin" --progid Quillbox.AddIn --script "$script" \
      </dev/null >"$output" 2>"$trace"
    status=$?
    transcript=$(tr -d '\r' <"$output")
    [ -n "$transcript" ] && break
    echo "the stand-in printed nothing (exit $status); Wine said:" >&2
    grep -v 'Loaded L"' "$trace" | tail -n 20 >&2
  done
  [ -n "$transcript" ] && printf '%s\n' "$transcript"
  echo "exit $status"
  sed -n 's/.*Loaded L"\(.*QuillboxAddIn\.dll\)".*/loaded \1/p' "$trace" | sed 's/\\\\/\\/g'
  rm -f "$trace" "$output"
}

clean_up

echo "== the File table carries the library's file version"
# The Version column of the library's row: what an upgrade and a repair compare.
file_version() { msiinfo export "$1" File | tr -d '\r' | awk -F'\t' '$1 == "QuillboxAddIn.dll" { print $5 "/" $6 }'; }
expect_equal "package" "$version/1033" "$(file_version "$2")"
expect_equal "upgrade package" "$next_version/1033" "$(file_version "$3")"

echo "== install with SERVICEURL"
# Somebody else's add-in, which must survive ours.
quiet_wine reg add "$addins\\Other.AddIn" /v LoadBehavior /t REG_DWORD /d 3 /f
install_package SERVICEURL="$service_url"
msi_listing=$(registration_listing)
expect_equal "class" "$installed" "$(default_value "$classes\\CLSID\\$clsid\\InprocServer32")"
expect_equal "type library" "$installed" "$(default_value "$classes\\TypeLib\\$libid\\1.1\\409\\$platform")"
if grep -q -F -x "$addins\\Quillbox.AddIn\\[LoadBehavior] REG_DWORD 0x3" <<<"$msi_listing"; then pass; else fail "LoadBehavior 3"; fi
expect_equal "base URL" "$service_url" "$(default_value "$settings")"
if cmp -s "$dll_unix" "$folder_unix/QuillboxAddIn.dll"; then pass; else fail "installed library differs from $dll_unix"; fi
# The view that Word of the package's bitness reads, not the other one.
for key in "$classes\\CLSID\\$clsid" "$addins\\Quillbox.AddIn" "$settings"; do
  if [ "$(listing "$key" "$other_view")" == "(missing)" ]; then pass; else fail "$key written to the $other_view-bit view"; fi
done
expect_equal "Add/Remove Programs" "1.0.0.1 " "$(installed_versions)"

echo "== the stand-in Word loads the add-in from the installed folder"
session=$(run_standin)
expect_equal "stand-in exit status" "exit 0" "$(grep '^exit ' <<<"$session")"
for line in 'tab scTab "Quillbox"' '  group gr1 "Account"' '    button logIn "Log In"'; do
  if grep -q -F -x "$line" <<<"$session"; then pass; else fail "stand-in ribbon lacks '$line'"; echo "$session" | sed 's/^/    /'; fi
done
expect_equal "library loaded" "loaded $installed" "$(grep '^loaded ' <<<"$session" | sort -u)"

echo "== uninstall"
# Added by somebody else after installation: the class key stays for it.
quiet_wine reg add "$classes\\CLSID\\$clsid\\Implemented Categories" /v Owner /d other /f
uninstall_package
expect_listing "foreign subkey" "$classes\\CLSID\\$clsid" <<END
$classes\\CLSID\\$clsid
$classes\\CLSID\\$clsid\\Implemented Categories
$classes\\CLSID\\$clsid\\Implemented Categories\\[Owner] REG_SZ other
END
quiet_wine reg delete "$classes\\CLSID\\$clsid" /f
expect_no_registration "uninstalled"
expect_missing "uninstalled" "$settings"
expect_listing "another add-in" "$addins\\Other.AddIn" <<END
$addins\\Other.AddIn
$addins\\Other.AddIn\\[LoadBehavior] REG_DWORD 0x3
END
expect_equal "Add/Remove Programs" "" "$(installed_versions)"
session=$(run_standin)
expect_equal "stand-in after uninstall" "exit 1" "$(grep '^exit ' <<<"$session")"
if grep -q '^! the add-in could not be created' <<<"$session"; then pass; else fail "stand-in created an uninstalled add-in"; fi

echo "== the same entries as the library's own registration"
# Registered by regsvr32 from the installed path. RegisterTypeLib under Wine writes the flags
# of the loaded library, LIBFLAG_FHASDISKIMAGE (8), where Windows writes the library's own
# flags (0), and a help folder without the final backslash that an installer folder has.
mkdir -p "$folder_unix" && cp "$dll_unix" "$folder_unix/QuillboxAddIn.dll"
expect_status "regsvr32" ok regsvr32 /s "$installed"
self_listing=$(registration_listing)
expect_status "regsvr32 /u" ok regsvr32 /s /u "$installed"
rm -rf "$folder_unix"
normalised=$(sed -e 's/\(\\FLAGS\\@ REG_SZ\) 8$/\1 0/' -e 's/\(\\HELPDIR\\@ REG_SZ .*[^\\]\)$/\1\\/' <<<"$self_listing")
if [ "$normalised" == "$msi_listing" ]; then
  pass
else
  fail "the package's entries differ from the library's own registration (< package, > library)"
  diff <(echo "$msi_listing") <(echo "$normalised") | sed 's/^/    /'
fi
expect_no_registration "after regsvr32 /u"

echo "== without SERVICEURL the base URL is left to the administrator"
install_package
expect_registration "installed without SERVICEURL"
expect_missing "nothing written" "$hklm\\Software\\Slatewood"
uninstall_package
quiet_wine reg add "$settings" /ve /d "https://admin.example.org" /f
# The installation below is judged by this value: it must be in place, as reg sees it, first.
for ((try = 0; try < 50; try++)); do
  [ "$(default_value "$settings")" == "https://admin.example.org" ] && break
  sleep 0.1
done
expect_equal "administrator's base URL written" "https://admin.example.org" "$(default_value "$settings")"
install_package
expect_equal "administrator's base URL kept at install" "https://admin.example.org" "$(default_value "$settings")"
uninstall_package
expect_no_registration "uninstalled"
expect_equal "administrator's base URL kept at uninstall" "https://admin.example.org" "$(default_value "$settings")"

echo "== SERVICEURL replaces the administrator's base URL, and uninstalling removes it"
install_package SERVICEURL="$service_url"
expect_equal "base URL from the command line" "$service_url" "$(default_value "$settings")"
uninstall_package
expect_missing "uninstalled" "$settings"

echo "== a major upgrade keeps the base URL"
install_package SERVICEURL="$service_url"
expect_status "upgrade" ok msiexec /i "$upgrade_package" /qn
expect_equal "Add/Remove Programs after the upgrade" "1.0.1.0 " "$(installed_versions)"
if cmp -s "$next_dll_unix" "$folder_unix/QuillboxAddIn.dll"; then pass; else fail "the upgrade did not replace the library"; fi
expect_registration "upgraded"
expect_equal "base URL after the upgrade" "$service_url" "$(default_value "$settings")"
expect_status "downgrade refused" fail msiexec /i "$package" /qn
expect_equal "Add/Remove Programs after the downgrade" "1.0.1.0 " "$(installed_versions)"
expect_status "uninstall the upgrade" ok msiexec /x "$upgrade_package" /qn
expect_no_registration "upgrade uninstalled"
expect_missing "upgrade uninstalled" "$settings"
expect_equal "Add/Remove Programs at the end" "" "$(installed_versions)"

clean_up
echo "installer: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
