#!/usr/bin/env bash
# Builds every fuzz/*_fuzz.cpp with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer against the core library, the command line's and the
# host's libraries and the virtual-time test doubles, then runs each for the
# given number of seconds (default 60), starting from fuzz/corpus/<target>/, two
# at a time (the build machine has two cores), and prints every target's
# execution count. Exits non-zero when a target fails to build or any run finds
# a fault; the input that caused it is kept in build/fuzz/artifacts/.
#
#   scripts/fuzz.sh [seconds] [target-name ...]
set -uo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds] [target-name ...]" >&2
  exit 2
fi

build=build/fuzz
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
jobs=2  # the build machine's two cores are shared

for tool in clang clang++ cmake ninja; do
  if ! command -v "$tool" >/dev/null; then
    echo "fuzz: $tool is missing; install clang, libclang-rt-dev, cmake and ninja-build" >&2
    exit 2
  fi
done

# The libraries, instrumented for coverage, through the project's own build.
if ! cmake -S . -B "$build" -G Ninja \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitize" \
    -DVLT_BUILD_TESTS=OFF -DVLT_BUILD_BENCH=OFF -DVLT_BUILD_GUI=OFF >"$build.configure.log" 2>&1; then
  cat "$build.configure.log" >&2
  echo "fuzz: configuring the core library failed" >&2
  exit 2
fi
if ! cmake --build "$build" --target vlt_core vlt_cli -j "$jobs"; then
  echo "fuzz: building the libraries failed" >&2
  exit 2
fi
libraries=("$build/app/cli/libvlt_cli.a" "$build/app/host/libvlt_host.a" "$build/src/libvlt.a")
# shellcheck disable=SC2086  # the sanitizer options are separate words
if ! clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror -fsanitize=fuzzer-no-link $sanitize \
    -Isrc -Itests -c tests/support/virtual_time.cpp -o "$build/virtual_time.o"; then
  echo "fuzz: building the virtual-time test doubles failed" >&2
  exit 2
fi

if [ "$#" -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in fuzz/*_fuzz.cpp; do
    [ -e "$source" ] && targets+=("$(basename "$source" .cpp)")
  done
fi
if [ "${#targets[@]}" -eq 0 ]; then
  echo "fuzz: no fuzz/*_fuzz.cpp targets" >&2
  exit 2
fi

mkdir -p "$build/artifacts" "$build/logs"
status=0
built=()
for target in "${targets[@]}"; do
  source="fuzz/$target.cpp"
  if [ ! -f "$source" ]; then
    echo "fuzz: no such target $source" >&2
    status=1
    continue
  fi
  echo "=== $target: building"
  # shellcheck disable=SC2086  # the sanitizer options are separate words
  if ! clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror -fsanitize=fuzzer $sanitize \
      -Isrc -Iapp -Itests "$source" "$build/virtual_time.o" "${libraries[@]}" -lpthread \
      -o "$build/$target"; then
    echo "fuzz: building $target failed" >&2
    status=1
    continue
  fi
  built+=("$target")
done

# One target's run; its output goes to build/fuzz/logs/<target>.log.
run_target() {
  local target="$1"
  # New inputs go to the scratch corpus; the checked-in seeds stay as they are.
  local work="$build/corpus/$target" seeds="fuzz/corpus/$target"
  mkdir -p "$work"
  local corpora=("$work")
  [ -d "$seeds" ] && corpora+=("$seeds")
  "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" "${corpora[@]}" \
      >"$build/logs/$target.log" 2>&1
  echo "$?" >"$build/logs/$target.status"
}

echo "=== running ${#built[@]} targets for ${seconds}s each, ${jobs} at a time"
for target in "${built[@]}"; do
  rm -f "$build/logs/$target.status"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  echo "=== $target: running"
  run_target "$target" &
done
wait

printf '%-28s %8s %14s %10s\n' target result executions exec/s
for target in "${built[@]}"; do
  log="$build/logs/$target.log"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  if [ "$(cat "$build/logs/$target.status" 2>/dev/null)" = 0 ]; then
    result=clean
  else
    result=FAULT
    status=1
  fi
  printf '%-28s %8s %14s %10s\n' "$target" "$result" "${executions:-?}" "${rate:-?}"
done
for target in "${built[@]}"; do
  if [ "$(cat "$build/logs/$target.status" 2>/dev/null)" != 0 ]; then
    echo "=== $target found a fault; the end of its log ($build/logs/$target.log):" >&2
    tail -n 60 "$build/logs/$target.log" >&2
    echo "fuzz: reproduce with: $build/$target $build/artifacts/$target-*" >&2
  fi
done
exit "$status"
