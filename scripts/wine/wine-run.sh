#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix: the cross-build's emulator for ctest.
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# Creates the prefix on first use (serialised by a lock, for parallel ctest) and leaves a
# persistent wineserver running; the program's exit code is returned unchanged.
set -u
prefix="$1"
shift
mkdir -p "$prefix"
# One caller at a time prepares the prefix and starts the server, so that no program of a
# parallel ctest starts Wine's background processes with its own output pipes.
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.verrask-ready" ]; then
  # shellcheck source=SCRIPTDIR/wine-env.sh
  source "$(dirname "$0")/wine-env.sh" "$prefix" >&2 9>&-
fi
export WINEPREFIX
WINEPREFIX="$(cd "$prefix" && pwd)"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${WINELOADER:-}" ] && [ -x /usr/lib/wine/wine64 ] && [ ! -x /usr/lib/wine/wine ]; then
  export WINELOADER=/usr/lib/wine/wine64
fi
# A persistent server spares every start the server's start-up and shut-down wait. It and Wine's
# background processes, started here when no server runs, must not hold the caller's output
# pipes open (ctest would wait for them until its time-out), nor the lock.
if wineserver -p </dev/null >/dev/null 2>&1 9>&-; then
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&-
fi
exec 9>&-
exec wine "$@"
