#!/usr/bin/env bash
# Usage: regsvr32_test.sh PREFIX_DIR QUILLBOX_ADDIN_DLL [BITS]
# Registers the library with Wine's regsvr32, machine-wide and per user ("/n /i:user"), and
# compares the registry with the entries registration must write and unregistration must
# leave. Listings are read with "reg query /s" and flattened to one sorted line per key and
# per value: "KEY" and "KEY\[name] TYPE data" ("@" for the default value).
# BITS (64 by default, 32 for the i686 build) is the library's: the registry is read in its
# view, and its class and Word add-in key must appear in no other (a 32-bit library's land under
# Wow6432Node on 64-bit Windows). The ProgIDs and the type library's entries are shared by both
# views, as on Windows since 7: a ProgID names the class id, which each view then resolves to
# its own library; the type library is told apart by its platform key.
# Wine's "reg query /s" leaves out the header of the queried key when it has no values, so the
# key's own line is added here; and its "reg add KEY" without /v also sets an empty default
# value, so the foreign keys below are made with a named value.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/wine.sh"
export WINEPREFIX="$1" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
dll_unix="$2"
dll="$(windows_path "$dll_unix")"
bits="${3:-64}"
if [ "$bits" == 32 ]; then platform=win32 other_view=64; else platform=win64 other_view=32; fi

clsid='{2DD227D3-A097-4000-B385-2F845556AF4E}'
libid='{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}'
hkcr='HKEY_CLASSES_ROOT'
hklm='HKEY_LOCAL_MACHINE'
hkcu='HKEY_CURRENT_USER'
addins='Software\Microsoft\Office\Word\Addins'

source "$(dirname "${BASH_SOURCE[0]}")/../registry_checks.sh"

# expect_keys yes|no WHAT KEY...: the keys exist, or do not.
expect_keys() {
  local want="$1" what="$2" key exists
  shift 2
  for key in "$@"; do
    exists=yes
    [ "$(listing "$key")" != "(missing)" ] || exists=no
    if [ "$exists" == "$want" ]; then
      pass
    else
      fail "$what: $key should $([ "$want" == yes ] || echo "not ")exist"
    fi
  done
}


remove_everything() {
  quiet_wine regsvr32 /s /u "$dll"
  quiet_wine regsvr32 /s /u /n /i:user "$dll"
  local root key
  for root in "$hklm\\Software\\Classes" "$hkcu\\Software\\Classes"; do
    for key in Quillbox.AddIn Quillbox.AddIn.1 "CLSID\\$clsid" "TypeLib\\$libid"; do
      quiet_wine reg delete "$root\\$key" /f
    done
  done
  quiet_wine reg delete "$hklm\\$addins\\Quillbox.AddIn" /f
  quiet_wine reg delete "$hkcu\\$addins\\Quillbox.AddIn" /f
}

# The class entries below $1 (HKCR, or HKCU\Software\Classes per user).
expect_class_entries() {
  local what="$1" classes="$2"
  expect_listing "$what" "$classes\\Quillbox.AddIn.1" <<END
$classes\\Quillbox.AddIn.1
$classes\\Quillbox.AddIn.1\\@ REG_SZ Quillbox AddIn
$classes\\Quillbox.AddIn.1\\CLSID
$classes\\Quillbox.AddIn.1\\CLSID\\@ REG_SZ $clsid
END
  expect_listing "$what" "$classes\\Quillbox.AddIn" <<END
$classes\\Quillbox.AddIn
$classes\\Quillbox.AddIn\\@ REG_SZ Quillbox AddIn
$classes\\Quillbox.AddIn\\CLSID
$classes\\Quillbox.AddIn\\CLSID\\@ REG_SZ $clsid
$classes\\Quillbox.AddIn\\CurVer
$classes\\Quillbox.AddIn\\CurVer\\@ REG_SZ Quillbox.AddIn.1
END
  local class="$classes\\CLSID\\$clsid"
  expect_listing "$what" "$class" <<END
$class
$class\\@ REG_SZ Quillbox AddIn
$class\\ProgID
$class\\ProgID\\@ REG_SZ Quillbox.AddIn.1
$class\\VersionIndependentProgID
$class\\VersionIndependentProgID\\@ REG_SZ Quillbox.AddIn
$class\\Programmable
$class\\InprocServer32
$class\\InprocServer32\\@ REG_SZ $dll
$class\\InprocServer32\\[ThreadingModel] REG_SZ Apartment
$class\\TypeLib
$class\\TypeLib\\@ REG_SZ $libid
END
}

expect_addin_key() {
  local what="$1" root="$2" key="$2\\$addins\\Quillbox.AddIn"
  expect_listing "$what" "$key" <<END
$key
$key\\[CommandLineSafe] REG_DWORD 0x1
$key\\[Description] REG_SZ Quillbox AddIn
$key\\[FriendlyName] REG_SZ Quillbox AddIn
$key\\[LoadBehavior] REG_DWORD 0x3
END
}

remove_everything

echo "== machine-wide registration"
expect_status "register" ok regsvr32 /s "$dll"
expect_class_entries "machine-wide" "$hkcr"
expect_addin_key "machine-wide" "$hklm"
expect_listing "type library" "$hkcr\\TypeLib\\$libid\\1.1\\409" <<END
$hkcr\\TypeLib\\$libid\\1.1\\409
$hkcr\\TypeLib\\$libid\\1.1\\409\\$platform
$hkcr\\TypeLib\\$libid\\1.1\\409\\$platform\\@ REG_SZ $dll
END
for key in "$hklm\\Software\\Classes\\CLSID\\$clsid" "$hklm\\$addins\\Quillbox.AddIn"; do
  if [ "$(listing "$key" "$other_view")" == "(missing)" ]; then pass; else
    fail "machine-wide wrote $key in the $other_view-bit view"
  fi
done
expect_keys no "machine-wide writes nothing per user" \
  "$hkcu\\Software\\Classes\\Quillbox.AddIn" "$hkcu\\Software\\Classes\\CLSID\\$clsid" "$hkcu\\$addins\\Quillbox.AddIn"

echo "== registering again leaves one set of entries"
quiet_wine reg add "$hkcr\\CLSID\\$clsid\\LocalServer32" /v Stale /d old /f
quiet_wine reg add "$hklm\\$addins\\Quillbox.AddIn" /v LoadBehavior /t REG_DWORD /d 2 /f
quiet_wine reg add "$hklm\\$addins\\Quillbox.AddIn" /v Obsolete /d old /f
expect_status "register again" ok regsvr32 /s "$dll"
expect_class_entries "second registration" "$hkcr"
expect_addin_key "second registration" "$hklm"

echo "== machine-wide unregistration"
expect_status "unregister" ok regsvr32 /s /u "$dll"
expect_keys no "unregistration" "$hkcr\\Quillbox.AddIn" "$hkcr\\Quillbox.AddIn.1" "$hkcr\\CLSID\\$clsid" \
  "$hklm\\$addins\\Quillbox.AddIn" "$hkcr\\TypeLib\\$libid"
expect_keys yes "unregistration keeps shared keys" "$hkcr\\CLSID" "$hklm\\$addins"
# Nothing left to remove but the type library, whose unregistration is the failing step.
expect_status "second unregistration" fail regsvr32 /s /u "$dll"
expect_keys no "second unregistration" "$hkcr\\Quillbox.AddIn" "$hkcr\\CLSID\\$clsid" "$hklm\\$addins\\Quillbox.AddIn"

echo "== keys that somebody else added to stay"
expect_status "register" ok regsvr32 /s "$dll"
quiet_wine reg add "$hkcr\\CLSID\\$clsid\\Implemented Categories" /v Owner /d other /f
quiet_wine reg add "$hklm\\$addins\\Quillbox.AddIn\\Extra" /v Owner /d other /f
expect_status "unregister" ok regsvr32 /s /u "$dll"
expect_listing "foreign subkey" "$hkcr\\CLSID\\$clsid" <<END
$hkcr\\CLSID\\$clsid
$hkcr\\CLSID\\$clsid\\@ REG_SZ Quillbox AddIn
$hkcr\\CLSID\\$clsid\\Implemented Categories
$hkcr\\CLSID\\$clsid\\Implemented Categories\\[Owner] REG_SZ other
END
expect_listing "foreign subkey" "$hklm\\$addins\\Quillbox.AddIn" <<END
$hklm\\$addins\\Quillbox.AddIn
$hklm\\$addins\\Quillbox.AddIn\\Extra
$hklm\\$addins\\Quillbox.AddIn\\Extra\\[Owner] REG_SZ other
END
expect_keys no "foreign subkey" "$hkcr\\Quillbox.AddIn" "$hkcr\\Quillbox.AddIn.1"
remove_everything

echo "== per-user registration"
expect_status "register per user" ok regsvr32 /s /n /i:user "$dll"
expect_class_entries "per user" "$hkcu\\Software\\Classes"
expect_addin_key "per user" "$hkcu"
expect_keys no "per user writes nothing machine-wide" \
  "$hklm\\Software\\Classes\\Quillbox.AddIn" "$hklm\\Software\\Classes\\CLSID\\$clsid" "$hklm\\$addins\\Quillbox.AddIn"

echo "== per-user unregistration"
expect_status "unregister per user" ok regsvr32 /s /u /n /i:user "$dll"
expect_keys no "per-user unregistration" "$hkcu\\Software\\Classes\\Quillbox.AddIn" \
  "$hkcu\\Software\\Classes\\Quillbox.AddIn.1" "$hkcu\\Software\\Classes\\CLSID\\$clsid" "$hkcu\\$addins\\Quillbox.AddIn"
expect_keys yes "per-user unregistration keeps shared keys" "$hkcu\\Software\\Classes" \
  "$hkcu\\Software\\Classes\\CLSID" "$hkcu\\$addins"

remove_everything
echo "regsvr32: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
