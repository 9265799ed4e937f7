#!/usr/bin/env bash
# The main job on the built-in simulated bus: a private host with a simulated
# static-address DUT, and the tester's bus monitor listening to it.
set -euo pipefail
build="${1:-build/release}"
seconds="${DEMO_SECONDS:-5}"

run_dir="$(mktemp -d /tmp/vlt-demo.XXXXXX)"
chmod 700 "$run_dir"
export VLT_RUN_DIR="$run_dir"
host_pid=""
cleanup() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null && wait "$host_pid" 2>/dev/null || true
  rm -rf "$run_dir"
}
trap cleanup EXIT

"$build/app/host/vlt-host" --dut static:253 &
host_pid=$!
for _ in $(seq 100); do [ -S "$run_dir/RVC/Corvane" ] && break; sleep 0.05; done

echo "== vlt monitor: ${seconds} s of the simulated bus (DUT at address 253) =="
"$build/app/cli/vlt" monitor --seconds "$seconds"
