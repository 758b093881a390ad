# Waiting for a Wine prefix to finish what the last command started (sourced, not run).
#
# A Wine program that msiexec, reg or regsvr32 starts, and msiexec's own helper processes, may
# still be writing the registry when the command that the test ran has returned: a step that
# reads or writes the same values next must wait for them, or it races them (a value written
# just then was seen removed by an uninstall still finishing). The prefix's own background
# services stay up all along and are not waited for.

# The command lines of this prefix's Wine processes other than its background services.
prefix_busy_processes() {
  local pid cmdline
  for pid in /proc/[0-9]*; do
    # Wine's loaders and preloaders, not the shells and tools of the test itself.
    [[ "$(readlink "$pid/exe" 2>/dev/null)" == */wine* ]] || continue
    tr '\0' '\n' <"$pid/environ" 2>/dev/null | grep -q -x -F "WINEPREFIX=$WINEPREFIX" || continue
    cmdline=$(tr '\0' ' ' <"$pid/cmdline" 2>/dev/null)
    case "${cmdline,,}" in
      ''|*wineserver*|*services.exe*|*winedevice.exe*|*plugplay.exe*|*explorer.exe*|*rpcss.exe*|*svchost.exe*|*conhost.exe*) ;;
      *) echo "$cmdline" ;;
    esac
  done
}

# Waits up to 60 s until no other process of the prefix runs; says which ones were still
# running when it gives up (and then fails).
wait_for_prefix_settled() {
  local tries busy
  for ((tries = 0; tries < 600; tries++)); do
    busy=$(prefix_busy_processes)
    [ -z "$busy" ] && return 0
    sleep 0.1
  done
  echo "still running in $WINEPREFIX after 60 s:"
  sed 's/^/    /' <<<"$busy"
  return 1
}
