#!/usr/bin/env bash
# Starts the board simulator on port 1 of the built program's folder and watches the live
# machine (speed W182, crank position W180) through the command-line companion.
# Ctrl-C ends both.
set -euo pipefail
bin=$(cd "${1:-build/default/bin}" && pwd)
sim_out=$(mktemp)
"$bin/vorna7-sim" --appdir "$bin" --port 1 --wire 19200 >"$sim_out" &
sim_pid=$!
cleanup() {
    kill -TERM "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    rm -f "$sim_out"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
for _ in $(seq 1 100); do
    [ -s "$sim_out" ] && break
    kill -0 "$sim_pid" 2>/dev/null || { echo "vorna7-sim did not start" >&2; exit 1; }
    sleep 0.05
done
echo "Simulated bodymaker on $(head -n1 "$sim_out") (port 1). Speed and position, Ctrl-C to stop:"
"$bin/vorna7ctl" --appdir "$bin" --port 1 watch --interval 200 W182 W180
