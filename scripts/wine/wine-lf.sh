#!/usr/bin/env bash
# Runs a Windows console program under Wine like wine-run.sh, with its CR LF line ends on stdout
# and stderr turned into LF, so that Linux test scripts can read the texts as they are. Files
# the program writes are left alone. The exit code is the program's.
#   wine-lf.sh PREFIX PROGRAM.exe [ARGS...]
set -u
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$(dirname "$0")/wine-run.sh" "$@" <&0 >"$tmp/out" 2>"$tmp/err"
code=$?
tr -d '\r' <"$tmp/err" >&2
tr -d '\r' <"$tmp/out"
exit "$code"
