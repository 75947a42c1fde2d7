#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the optimised build (the window's tests among
# them, headless and under Xvfb) and its Debian package, installed, run once and removed again
# (scripts/check-package.sh), then the core and run control again under AddressSanitizer +
# UndefinedBehaviorSanitizer, and the threaded tests under ThreadSanitizer (both without the
# window, to keep the run short); the fuzz preset built whole (clang) and each libFuzzer target
# run for a minute from its seeds; last the Windows cross-build with its tests under Wine
# (scripts/build-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/setup.sh "${TEST_PACKAGES[@]}"

jobs=$(nproc)
step() { echo; echo "== $*"; }

step "release build and tests"
cmake --preset release -DVERRASK_TESTS=ON -DVERRASK_APP=ON >/dev/null
cmake --build --preset release -j "$jobs"
# A new model leaves its grids unwritten: glibc fills every allocation with a pattern here, so
# a test that reads storage nothing wrote fails every time instead of now and then.
MALLOC_PERTURB_=165 ctest --preset release -j "$jobs"

step "Linux package: build, install, check, run, remove"
bash scripts/check-package.sh

step "AddressSanitizer + UndefinedBehaviorSanitizer"
cmake --preset asan -DVERRASK_APP=OFF >/dev/null
cmake --build --preset asan -j "$jobs"
# The widest grids, the long plain-against-fast comparisons and the batch tool's two long
# scripts (dozens of runs and embedment searches, over a third of this step's time) run the same
# code as the rest for many more passes; the optimised build runs them. The batch tool still runs
# here in its section and two-worker tests.
ctest --preset asan -j "$jobs" \
  -E "Widest|FastSolvers\.(BoundaryGeometries|RandomGeometries)|Cli\.(Checks|EndToEnd)$"

step "ThreadSanitizer (threaded tests)"
cmake --preset tsan -DVERRASK_APP=OFF >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs" -L threads

step "fuzz preset (clang), each target a minute from its seeds"
cmake --preset fuzz -DVERRASK_APP=OFF >/dev/null
cmake --build --preset fuzz -j "$jobs"
corpus=$(mktemp -d)
mkdir "$corpus/input" "$corpus/write" "$corpus/inputs-file" "$corpus/section"
build/fuzz/fuzz/input_fuzz -dict=fuzz/input.dict -max_len=256 -max_total_time=60 \
  "$corpus/input" fuzz/seeds/
build/fuzz/fuzz/write_fuzz -max_len=512 -max_total_time=60 "$corpus/write" fuzz/write-seeds/
build/fuzz/fuzz/inputs_file_fuzz -dict=fuzz/inputs-file.dict -max_len=2048 -max_total_time=60 \
  "$corpus/inputs-file" fuzz/inputs-file-seeds/
build/fuzz/fuzz/section_fuzz -dict=fuzz/section.dict -max_len=2048 -max_total_time=60 \
  "$corpus/section" fuzz/section-seeds/
rm -rf "$corpus"

step "Windows cross-build, tests under Wine, packages"
VERRASK_JOBS="$jobs" bash scripts/build-windows.sh
