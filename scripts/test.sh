#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test under an Xvfb server of its own: the release suite
# (unit and display tests), then the same suite built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer together with the fuzz targets (label fuzz, a bounded time each).
# Arguments go to both ctest runs. Both runs happen even when the first fails.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Compiles are cached; paths inside the checkout count as relative, so every clone shares the cache.
export CCACHE_BASEDIR="$PWD"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$(nproc)"
# Software OpenGL under Xvfb; no sound server on a test machine.
export LIBGL_ALWAYS_SOFTWARE=1
export ALSOFT_DRIVERS=null
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  status=0
  ctest --preset release -j "$(nproc)" --output-on-failure "$@" || status=1
  ctest --preset asan -j "$(nproc)" --output-on-failure "$@" || status=1
  exit $status' test.sh "$@"
