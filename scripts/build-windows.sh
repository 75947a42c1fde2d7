#!/usr/bin/env bash
# Cross-builds both programs for 64-bit Windows with MinGW-w64 into build/windows (verrask.exe
# where the window's sources exist, verrask-cli.exe), runs the Windows test suites under Wine,
# compares the Windows batch tool with the Linux one output for output, and packages a zip (and
# an installer, checked by installing and uninstalling it under Wine). Installs the Debian
# packages it needs. Environment: VERRASK_JOBS (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# The Linux batch tool for the comparison is built in build/release, whose tests need GoogleTest.
bash scripts/setup.sh "${BUILD_PACKAGES[@]}" libgtest-dev "${WINDOWS_PACKAGES[@]}"

jobs=${VERRASK_JOBS:-$(nproc)}
step() { echo; echo "== $*"; }

step "Windows cross-build"
cmake --preset windows -DVERRASK_APP=ON >/dev/null
cmake --build --preset windows -j "$jobs"
(cd build/windows && cpack >/dev/null && ls Verrask-*-win64.*)

step "Windows tests under Wine"
# The window's tests need a screen: a virtual one where there is none.
export VERRASK_WINE_DISPLAY=xvfb
source scripts/wine/wine-env.sh build/windows/wine
trap wine_env_stop EXIT
ctest --preset windows -j "$jobs"

step "Linux and Windows batch tools, output for output"
if [ ! -x build/release/verrask-cli ]; then
  cmake --preset release >/dev/null
fi
cmake --build --preset release -j "$jobs" --target verrask-cli
bash scripts/compare-windows.sh "$PWD/build/release/verrask-cli" "$PWD/build/windows/verrask-cli.exe" \
  "$WINEPREFIX"

step "Windows installer under Wine"
installer=$(ls build/windows/Verrask-*-win64.exe 2>/dev/null || true)
if [ -n "$installer" ]; then
  # Silent install into a folder of the prefix, one run of the installed batch tool, uninstall.
  target='C:\verrask-install-check'
  unix_target="$WINEPREFIX/drive_c/verrask-install-check"
  rm -rf "$unix_target"
  wine "$installer" /S "/D=$target"
  wine "$unix_target/bin/verrask-cli.exe" --up 2 | grep -q "^ q = 1E-5" ||
    { echo "the installed batch tool does not run"; exit 1; }
  if [ -e "$unix_target/bin/verrask.exe" ]; then
    ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/"*/"Verrask - Flow Net Model.lnk" \
      >/dev/null || { echo "no Start-menu entry for the window"; exit 1; }
  fi
  # The uninstaller copies itself away and returns at once: wait for it to finish.
  wine "$unix_target/Uninstall.exe" /S
  for _ in $(seq 100); do [ ! -e "$unix_target/bin" ] && break; sleep 0.1; done
  [ ! -e "$unix_target/bin" ] || { echo "the uninstaller left the programs"; exit 1; }
  echo "installer: installs, runs and uninstalls under Wine"
fi
