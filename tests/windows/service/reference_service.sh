#!/usr/bin/env bash
# Usage: reference_service.sh start STATE_DIR SERVICE_PROGRAM BANK_JSON
#        reference_service.sh stop STATE_DIR
# Runs the reference comment service on 127.0.0.1 with a fresh database populated from
# BANK_JSON and a request log, and writes STATE_DIR/service.txt (port, log) for the tests.
set -euo pipefail

action="${1:?start or stop}"
state="${2:?state directory}"

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
    "$program" --port 0 --db "$state/bank.sqlite" --bank "$bank" --log "$state/requests.log" \
      >"$state/service.out" 2>&1 </dev/null &
    echo $! >"$state/service.pid"
    port=""
    for _ in $(seq 1 200); do
      port="$(sed -n 's|^listening on http://127\.0\.0\.1:\([0-9]*\)$|\1|p' "$state/service.out")"
      [ -n "$port" ] && break
      kill -0 "$(cat "$state/service.pid")" 2>/dev/null || break
      sleep 0.05
    done
    if [ -z "$port" ]; then
      echo "reference_service: the service did not start:" >&2
      cat "$state/service.out" >&2
      stop_service
      exit 1
    fi
    printf 'port=%s\nlog=%s\n' "$port" "$state/requests.log" >"$state/service.txt"
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
