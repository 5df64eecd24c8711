#!/usr/bin/env bash
# Installs every Debian package the build, the game and the tests need (clang, its libFuzzer runtime
# and llvm-symbolizer for the sanitizer and fuzz build of the asan preset included), then builds the
# release preset.
# Idempotent: the package index is refreshed only when something is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake pkg-config ccache
  clang libclang-rt-14-dev llvm
  libsdl2-dev libsdl2-ttf-dev libepoxy-dev libgl1-mesa-dri
  libstb-dev libassimp-dev libopenal-dev
  libfluidsynth-dev fluid-soundfont-gm
  libinih-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth libx11-dev xfonts-base
  xdotool x11-xserver-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Compiles are cached; paths inside the checkout count as relative, so every clone shares the cache.
export CCACHE_BASEDIR="$PWD"
# Debug information would otherwise put the build folder itself into every compile's key.
export CCACHE_NOHASHDIR=1
preset="${VELDORIN_PRESET:-release}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
