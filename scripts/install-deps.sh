#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only the
# ones that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(g++ cmake ninja-build make libgtest-dev libgmock-dev libbenchmark-dev)
# The interop test runs a vendored J1939 stack on Node.js (installed offline by npm).
# A Node.js from elsewhere that brings its own npm will do (Debian's npm conflicts with it).
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)
# vlt-host's CAN adapters: Qt 6 SerialBus; its plugins (socketcan, virtualcan,
# peakcan, ...) come with libqt6serialbus6.
packages+=(qt6-serialbus-dev libqt6serialbus6)
# The desktop program: Qt 6 Widgets and QtTest, and a font the offscreen tests render with.
packages+=(qt6-base-dev fonts-dejavu-core)
# The result files' test validates JSON against the schemas in docs/.
packages+=(python3 python3-jsonschema)
# libFuzzer comes with clang's runtime.
packages+=(clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
