#!/usr/bin/env bash
# Sets up, builds and opens the Verrask window. Without a display, says so and runs the batch
# tool on the default inputs instead (arguments go to the batch tool).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  packages=("${BUILD_PACKAGES[@]}" "${APP_PACKAGES[@]}")
  [ -n "${WAYLAND_DISPLAY:-}" ] && packages+=(qt6-wayland)
  bash scripts/setup.sh "${packages[@]}"
  cmake --preset release -DVERRASK_TESTS=OFF -DVERRASK_BENCH=OFF -DVERRASK_APP=ON >/dev/null
  cmake --build --preset release --target verrask
  exec ./build/release/app/verrask
fi

echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the batch tool" \
  "verrask-cli on the default inputs instead of opening the window."
bash scripts/setup.sh "${BUILD_PACKAGES[@]}"
cmake --preset release -DVERRASK_TESTS=OFF -DVERRASK_BENCH=OFF >/dev/null
cmake --build --preset release --target verrask-cli
./build/release/verrask-cli "$@"
