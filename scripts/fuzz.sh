#!/usr/bin/env bash
# Builds every fuzz/*_fuzz.cpp with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer against the core library, then runs each for the
# given number of seconds (default 60), starting from fuzz/corpus/<target>/.
# Exits non-zero when a target fails to build or any run finds a fault; the
# input that caused it is kept in build/fuzz/artifacts/.
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

# The core library, instrumented for coverage, through the project's own build.
if ! cmake -S . -B "$build" -G Ninja \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitize" \
    -DVLT_BUILD_TESTS=OFF -DVLT_BUILD_BENCH=OFF >"$build.configure.log" 2>&1; then
  cat "$build.configure.log" >&2
  echo "fuzz: configuring the core library failed" >&2
  exit 2
fi
if ! cmake --build "$build" --target vlt_core -j "$jobs"; then
  echo "fuzz: building the core library failed" >&2
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

mkdir -p "$build/artifacts"
status=0
for target in "${targets[@]}"; do
  source="fuzz/$target.cpp"
  if [ ! -f "$source" ]; then
    echo "fuzz: no such target $source" >&2
    status=1
    continue
  fi
  echo "=== $target: building"
  # A target outside the core names its other sources in a "// fuzz-sources:" line.
  extra=$(sed -n 's|^// fuzz-sources: ||p' "$source")
  # shellcheck disable=SC2086  # the sanitizer options and sources are separate words
  if ! clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror -fsanitize=fuzzer $sanitize \
      -Isrc -Iapp "$source" $extra "$build/src/libvlt.a" -lpthread -o "$build/$target"; then
    echo "fuzz: building $target failed" >&2
    status=1
    continue
  fi

  # New inputs go to the scratch corpus; the checked-in seeds stay as they are.
  work="$build/corpus/$target"
  seeds="fuzz/corpus/$target"
  mkdir -p "$work"
  corpora=("$work")
  [ -d "$seeds" ] && corpora+=("$seeds")

  echo "=== $target: running for ${seconds}s"
  if ! "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" "${corpora[@]}"; then
    echo "fuzz: $target found a fault; reproduce with: $build/$target $build/artifacts/$target-*" >&2
    status=1
  else
    echo "=== $target: clean"
  fi
done
exit "$status"
