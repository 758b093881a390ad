#!/usr/bin/env bash
# Usage: reference_service.sh start STATE_DIR SERVICE_PROGRAM BANK_JSON
#        reference_service.sh stop STATE_DIR
# Runs the reference comment service on 127.0.0.1 with a fresh database populated from
# BANK_JSON and a request log, and writes STATE_DIR/service.txt (port, log) for the tests.
set -euo pipefail

action="${1:?start or stop}"
state="${2:?state directory}"
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/loopback-server.sh"

stop_service() {
  if [ -e "$state/service.pid" ]; then
    kill "$(cat "$state/service.pid")" 2>/dev/null || true
    rm -f "$state/service.pid"
  fi
  rm -f "$state/service.txt"
}

case "$action" in
  start)
    program="${3:?service program}"
    bank="${4:?bank file}"
    if [ ! -x "$program" ]; then
      echo "reference_service: no service at $program (build the native tree first)" >&2
      exit 1
    fi
    mkdir -p "$state"
    stop_service
    rm -f "$state/bank.sqlite"
    : >"$state/requests.log"
    # Detached from this script's output, so that whoever reads it is not kept waiting.
    if ! start_loopback_server "$state/service.out" \
        "$program" --port 0 --db "$state/bank.sqlite" --bank "$bank" --log "$state/requests.log"; then
      echo "reference_service: the service did not start" >&2
      [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
      exit 1
    fi
    echo "$server_pid" >"$state/service.pid"
    printf 'port=%s\nlog=%s\n' "${server_url##*:}" "$state/requests.log" >"$state/service.txt"
    cat "$state/service.txt"
    ;;
  stop)
    stop_service
    ;;
  *)
    echo "usage: $0 start STATE_DIR SERVICE_PROGRAM BANK_JSON | stop STATE_DIR" >&2
    exit 2
    ;;
esac
