#!/usr/bin/env bash
# The main job on the built-in simulated bus: a private host with a simulated
# static-address DUT, and the tester's bus monitor listening while the DUT is
# powered up, claims its address and goes about its work.
set -euo pipefail
build="${1:-build/release}"
seconds="${DEMO_SECONDS:-5}"

run_dir="$(mktemp -d /tmp/vlt-demo.XXXXXX)"
chmod 700 "$run_dir"
export VLT_RUN_DIR="$run_dir"
host_pid=""
cleanup() {
  if [ -n "$host_pid" ]; then kill "$host_pid" 2>/dev/null || true; wait "$host_pid" 2>/dev/null || true; fi
  rm -rf "$run_dir"
}
trap cleanup EXIT

"$build/app/host/vlt-host" --dut static:253 --dut-off &
host_pid=$!
for _ in $(seq 100); do [ -S "$run_dir/RVC/Corvane" ] && break; sleep 0.05; done

echo "== vlt monitor: ${seconds} s of the simulated bus; the DUT (address 253) is powered up after 0.5 s =="
"$build/app/cli/vlt" monitor --seconds "$seconds" &
monitor_pid=$!
sleep 0.5
"$build/app/host/vlt-host" --control "dut power on" >/dev/null
wait "$monitor_pid"
