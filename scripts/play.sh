#!/usr/bin/env bash
# Sets up the machine, builds the game and starts it in its content tree.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cd build/game
exec ../bin/veldorin
