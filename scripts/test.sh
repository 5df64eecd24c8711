#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test under an Xvfb server of its own: the release suite
# (unit and display tests), then the same suite built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer together with the fuzz targets (label fuzz, a bounded time each). The
# sanitized build plays the content tree the release build made (VELDORIN_CONTENT_FROM), and its
# malformed-content sweep plays a fixed sample of the files and the explorer the first two of its
# fixed runs of each place; the release build plays them all.
# Arguments go to both ctest runs. Both runs happen even when the first fails. Each step's time is
# reported as it ends ("test.sh: ... took N s").
set -euo pipefail
cd "$(dirname "$0")/.."
step_start=$SECONDS
took() {
  echo "test.sh: $1 took $((SECONDS - step_start)) s"
  step_start=$SECONDS
}
./scripts/setup.sh
took "setup and the release build"
# Compiles are cached; paths inside the checkout count as relative, so every clone shares the cache.
export CCACHE_BASEDIR="$PWD"
# Debug information would otherwise put the build folder itself into every compile's key.
export CCACHE_NOHASHDIR=1
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$(nproc)"
took "the sanitized build"
# Software OpenGL under Xvfb; no sound server on a test machine.
export LIBGL_ALWAYS_SOFTWARE=1
export ALSOFT_DRIVERS=null
# The tests make and remove a content tree of links for nearly every test and runner: tens of
# thousands of files, which a memory file system makes and removes in a fraction of the time a disk's
# does. Left in place when a test fails, with the trees that failed tests keep.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR="$(mktemp -d /dev/shm/veldorin-tests.XXXXXX)"
  # Open to every user as /tmp is: some tests play as an unprivileged user.
  chmod 1777 "$TMPDIR"
fi
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  status=0
  start=$SECONDS
  ctest --preset release -j "$(nproc)" --output-on-failure "$@" || status=1
  echo "test.sh: the release tests took $((SECONDS - start)) s"
  start=$SECONDS
  ctest --preset asan -j "$(nproc)" --output-on-failure "$@" || status=1
  echo "test.sh: the sanitized tests took $((SECONDS - start)) s"
  exit $status' test.sh "$@" || status=$?
if [ -n "${TMPDIR:-}" ] && [[ "$TMPDIR" == /dev/shm/veldorin-tests.* ]]; then
  if [ $status -eq 0 ]; then rm -rf "$TMPDIR"; else echo "test.sh: what the failed tests left is in $TMPDIR"; fi
fi
exit $status
