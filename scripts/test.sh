#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test (unit and display tests) under an Xvfb server of
# its own.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Software OpenGL under Xvfb; no sound server on a test machine.
export LIBGL_ALWAYS_SOFTWARE=1
export ALSOFT_DRIVERS=null
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --preset release -j "$(nproc)" --output-on-failure "$@"
