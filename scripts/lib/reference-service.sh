# Starting the reference comment service for a script that drives the add-in (sourced, not run).

source "$(dirname "${BASH_SOURCE[0]}")/loopback-server.sh"

# start_reference_service SERVICE_PROGRAM WORK_DIR: starts the service on a free loopback port
# with a new sample bank and a request log in WORK_DIR, and waits until it says where it
# listens. Sets service_pid and url; returns non-zero when the service does not come up.
start_reference_service() {
  local program="$1" dir="$2"
  rm -f "$dir/bank.db" "$dir/requests.log"
  start_loopback_server "$dir/service.out" "$program" --port 0 --db "$dir/bank.db" --log "$dir/requests.log" || return 1
  service_pid=$server_pid
  url=$server_url
}
