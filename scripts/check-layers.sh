#!/usr/bin/env bash
# Fails when a room of the core includes a room above it, or when Qt reaches
# below app/. Each line of a layer list is one floor, lowest first; rooms on one
# floor do not include each other.
set -euo pipefail
cd "$(dirname "$0")/.."

core_floors=(
  "platform"
  "framework"
  "values"
  "data"
  "dictionary"
  "settings"
  "reports"
  "engine"
  "compliance results"
)
host_floors=(
  "buses"
  "devices transport"
  "core"
)

status=0

# check_floors ROOT INCLUDE_PREFIX FLOOR...
check_floors() {
  local root=$1 prefix=$2
  shift 2
  local -A floor_of=()
  local i=0 room
  for line in "$@"; do
    for room in $line; do floor_of[$room]=$i; done
    i=$((i + 1))
  done
  local file target line_no text
  for room in "${!floor_of[@]}"; do
    [ -d "$root/$room" ] || continue
    while IFS=: read -r file line_no text; do
      target=${text#*\"$prefix}
      target=${target%%/*}
      [ -n "${floor_of[$target]+set}" ] || continue
      [ "$target" = "$room" ] && continue
      if [ "${floor_of[$target]}" -ge "${floor_of[$room]}" ]; then
        echo "$file:$line_no: $room must not include $target (same floor or above)" >&2
        status=1
      fi
    done < <(grep -rnE "^#include \"$prefix[a-z_]+/" "$root/$room" --include='*.h' --include='*.cpp' || true)
  done
}

check_floors src "" "${core_floors[@]}"
check_floors app/host "host/" "${host_floors[@]}"

# The core and the host's devices run on virtual time in tests and build without a window.
if grep -rnE '^#include <Q' src app/host/core app/host/devices app/host/transport \
    --include='*.h' --include='*.cpp' >&2; then
  echo "Qt is included outside app/ (or outside the host's CAN adapter bus)" >&2
  status=1
fi

[ $status -eq 0 ] && echo "layers: no room includes a room above it"
exit $status
