# Running Windows programs under Wine from the project's scripts (sourced, not run).

# The 64-bit Wine loader, named outright. On a machine that also has 32-bit Wine, plain `wine`
# starts the 32-bit loader, and the 32-bit reg.exe and regsvr32.exe it runs write to the
# registry's 32-bit view, where the 64-bit add-in never looks. QUILLBOX_WINE64 names another
# loader.
wine64_loader="${QUILLBOX_WINE64:-/usr/lib/wine/wine64}"

# wine64 PROGRAM ARGS...: runs a program with that loader. (Commands such as timeout that run
# a program themselves take "$wine64_loader".)
wine64() { "$wine64_loader" "$@"; }

# windows_path PATH: the absolute form of a Unix path as a Wine program sees it, on drive Z:.
windows_path() {
  local absolute
  absolute=$(realpath -m -- "$1")
  printf 'Z:%s' "${absolute//\//\\}"
}

# The 32-bit Wine loader (Debian's wine32), named outright: its reg.exe and regsvr32.exe work in
# the registry's 32-bit view, where 32-bit Word and the 32-bit add-in look. QUILLBOX_WINE32
# names another loader.
wine32_loader="${QUILLBOX_WINE32:-/usr/lib/wine/wine}"
wine32() { "$wine32_loader" "$@"; }

# The loader of the add-in under test: the 64-bit one, or the 32-bit one when
# QUILLBOX_WINDOWS_BITS is 32, as the 32-bit windows build's tests set it. The tests that run
# against either build run every Windows program with wine_addin.
if [ "${QUILLBOX_WINDOWS_BITS:-64}" = 32 ]; then
  addin_wine_loader="$wine32_loader"
else
  addin_wine_loader="$wine64_loader"
fi
wine_addin() { "$addin_wine_loader" "$@"; }
