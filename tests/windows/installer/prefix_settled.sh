# Waiting for a Wine prefix to finish what the last command started (sourced, not run). An
# msiexec, reg or regsvr32 that has returned may leave processes of its own still writing the
# registry; a step that touches the same values next must wait for them (a value written just
# then was once seen removed by an uninstall still finishing). The prefix's background services
# are not waited for.

# The command lines of this prefix's Wine processes other than its background services.
prefix_busy_processes() {
  local pid cmdline
  for pid in /proc/[0-9]*; do
    [[ "$(readlink "$pid/exe" 2>/dev/null)" == */wine* ]] || continue  # not the test's own tools
    tr '\0' '\n' <"$pid/environ" 2>/dev/null | grep -q -x -F "WINEPREFIX=$WINEPREFIX" || continue
    cmdline=$(tr '\0' ' ' <"$pid/cmdline" 2>/dev/null)
    case "${cmdline,,}" in
      ''|*wineserver*|*services.exe*|*winedevice.exe*|*plugplay.exe*|*explorer.exe*|*rpcss.exe*|*svchost.exe*|*conhost.exe*) ;;
      *) echo "$cmdline" ;;
    esac
  done
}

# Waits up to 60 s for no other process of the prefix to run; else names them and fails.
wait_for_prefix_settled() {
  local tries busy
  for ((tries = 0; tries < 600; tries++)); do
    busy=$(prefix_busy_processes)
    [ -z "$busy" ] && return 0
    sleep 0.1
  done
  echo "still running in $WINEPREFIX after 60 s:" && sed 's/^/    /' <<<"$busy"
  return 1
}
