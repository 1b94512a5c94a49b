#!/usr/bin/env bash
# Runs every benchmark program of the build and prints its figures. Figures depend on how busy
# the machine is: run it on a quiet one.
set -euo pipefail
bin=$(cd "${1:-build/default/bin}" && pwd)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
status=0
for program in link_throughput pls_throughput program_transfer data_transfer_figures main_window_figures history_figures; do
    if [ -x "$bin/$program" ]; then
        echo "== $program"
        "$bin/$program" || status=1
        echo
    fi
done
exit $status
