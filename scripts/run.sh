#!/usr/bin/env bash
# Starts the board simulator on port 1 of the built program's folder, then the program's main
# window. Without a display the window cannot open: the script says so and watches the live
# machine (speed W182, crank position W180) through the command-line companion instead.
# Closing the window, or Ctrl-C, ends both.
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
echo "Simulated bodymaker on $(head -n1 "$sim_out") (port 1)."
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
    echo "Starting VORNA7; choose View > Online Data (F3) to connect. Close the window to stop."
    "$bin/vorna7"
else
    echo "No display here (DISPLAY and WAYLAND_DISPLAY are unset), so the VORNA7 window cannot open." >&2
    echo "Watching speed and position through vorna7ctl instead; Ctrl-C to stop." >&2
    "$bin/vorna7ctl" --appdir "$bin" --port 1 watch --interval 200 W182 W180
fi
