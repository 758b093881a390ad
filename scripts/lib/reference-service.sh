# Starting the reference comment service for a script that drives the add-in (sourced, not run).

# start_reference_service SERVICE_PROGRAM WORK_DIR: starts the service on a free loopback port
# with a new sample bank and a request log in WORK_DIR, and waits until it says where it
# listens. Sets service_pid and url; returns non-zero when the service does not come up.
start_reference_service() {
  local program="$1" dir="$2"
  rm -f "$dir/bank.db" "$dir/requests.log"
  "$program" --port 0 --db "$dir/bank.db" --log "$dir/requests.log" >"$dir/service.out" 2>&1 &
  service_pid=$!
  url=""
  for _ in $(seq 100); do
    url=$(sed -n 's/^listening on \(http:[^ ]*\).*/\1/p' "$dir/service.out" | head -n 1)
    [ -n "$url" ] && return 0
    kill -0 "$service_pid" 2>/dev/null || { cat "$dir/service.out" >&2; return 1; }
    sleep 0.1
  done
  echo "the service did not say where it listens" >&2
  return 1
}
