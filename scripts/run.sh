#!/usr/bin/env bash
# Sets up, builds and runs Verrask on its default inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/setup.sh "${BUILD_PACKAGES[@]}"

cmake --preset release -DVERRASK_TESTS=OFF -DVERRASK_BENCH=OFF >/dev/null
cmake --build --preset release --target verrask-cli
./build/release/verrask-cli "$@"
