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
