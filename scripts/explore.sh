#!/usr/bin/env bash
# Hunts for faults: builds the release preset if veldorin-explore is missing or older than its sources,
# then runs the explorer over the hub and both stages for as long as asked, writing the cases it finds
# to explore-cases/ (or EXPLORE_OUT) and printing what it found, by place and rule.
# Usage: ./scripts/explore.sh SECONDS [more veldorin-explore options, e.g. --seed 7 --place stage2]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "usage: $0 SECONDS [veldorin-explore options]" >&2
  exit 2
fi
SECONDS_ASKED=$1
shift
BIN=build/bin/veldorin-explore
if [ ! -x "$BIN" ] || [ -n "$(find explore objects scenes sim -newer "$BIN" -name '*.[ch]*' -print -quit)" ]; then
  echo "explore: building the release preset" >&2
  export CCACHE_BASEDIR=$PWD
  cmake --preset release >/dev/null
  cmake --build --preset release -j2 --target veldorin-explore >/dev/null
fi
OUT=${EXPLORE_OUT:-explore-cases}
mkdir -p "$OUT"
status=0
"$BIN" --seconds "$SECONDS_ASKED" --out "$OUT" "$@" | tee "$OUT/explore-log.txt" || status=$?
echo "explore: cases in $OUT/ (replay one: $BIN --replay FILE)"
exit $status
