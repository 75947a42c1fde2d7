#!/usr/bin/env bash
# Runs the Linux batch tool and the Windows one (under Wine) with the same options and compares
# what they give: stdout and stderr texts (modulo the console's CR LF), exit codes, the CSV grids
# and the HTML report byte for byte, and the PNG pictures (byte for byte; where the bytes differ,
# pixel for pixel).
# Only the measured times (JSON "seconds", the text's "elapsed") are left out.
#   compare-windows.sh LINUX_CLI WINDOWS_CLI.exe WINE_PREFIX
set -u
linux="$1"
windows="$2"
prefix="$3"
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cases=0
failed=0

# Times differ from run to run and between machines; everything else must not.
untimed() { sed -E 's/"seconds":[0-9.eE+-]+/"seconds":_/g; s/elapsed: [0-9.]+ s/elapsed: _ s/'; }

# Same pictures: equal files, or (another zlib) equal decoded pixels.
same_png() {
  cmp -s "$1" "$2" && return 0
  command -v python3 >/dev/null || return 1
  python3 - "$1" "$2" <<'PY'
import sys, zlib
def pixels(path):
    data, at, idat, head = open(path, "rb").read(), 8, b"", None
    while at < len(data):
        n = int.from_bytes(data[at:at + 4], "big")
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + n]
        if kind == b"IHDR": head = body
        if kind == b"IDAT": idat += body
        at += 12 + n
    return head, zlib.decompress(idat)  # filter None on every row: the bytes are the pixels
sys.exit(0 if pixels(sys.argv[1]) == pixels(sys.argv[2]) else 1)
PY
}

compare() { # a name, then the options
  local name="$1"
  shift
  cases=$((cases + 1))
  local l="$work/linux" w="$work/windows"
  rm -rf "$l" "$w"
  mkdir -p "$l/csv" "$w/csv"
  local args_l=() args_w=() a
  # Output paths go to each side's own folder; "@" stands for it.
  for a in "$@"; do
    args_l+=("${a//@/$l}")
    args_w+=("${a//@/$w}")
  done
  (cd "$l" && "$linux" "${args_l[@]}" >"$l/out" 2>"$l/err")
  local code_l=$?
  (cd "$w" && "$here/wine/wine-lf.sh" "$prefix" "$windows" "${args_w[@]}" >"$w/out" 2>"$w/err")
  local code_w=$?
  local bad=()
  [ "$code_l" = "$code_w" ] || bad+=("exit code $code_l / $code_w")
  # Each side names its own folder in messages: both read "@".
  local side
  for side in "$l" "$w"; do
    untimed <"$side/out" | sed "s#$side#@#g" >"$side/out.cmp"
    untimed <"$side/err" | sed "s#$side#@#g" >"$side/err.cmp"
  done
  cmp -s "$l/out.cmp" "$w/out.cmp" || bad+=(stdout)
  cmp -s "$l/err.cmp" "$w/err.cmp" || bad+=(stderr)
  local f
  for f in "$l"/csv/*.csv; do
    [ -e "$f" ] || continue
    cmp -s "$f" "$w/csv/${f##*/}" || bad+=("${f##*/}")
  done
  [ "$(ls "$l/csv")" = "$(ls "$w/csv")" ] || bad+=("csv file list")
  if [ -e "$l/report.html" ] || [ -e "$w/report.html" ]; then
    cmp -s "$l/report.html" "$w/report.html" || bad+=(report)
  fi
  if [ -e "$l/net.png" ] || [ -e "$w/net.png" ]; then
    same_png "$l/net.png" "$w/net.png" || bad+=(png)
  fi
  if [ "${#bad[@]}" -gt 0 ]; then
    failed=$((failed + 1))
    echo "DIFFERS: $name: ${bad[*]}"
    diff "$l/out.cmp" "$w/out.cmp" | head -5
    diff "$l/err.cmp" "$w/err.cmp" | head -5
  fi
}

compare "default run, text" --runs 2
compare "default run, grids and picture" --json --csv @/csv --png @/net.png
compare "blankets and a deep wall" --json --left 2 --right 3 --wall 1.9 --stratum 2 --ratio 1.1 \
  --k 3.7E-7 --up 4.25 --down 0.5 --csv @/csv --png @/net.png
compare "no wall, no blankets" --json --wall 0 --csv @/csv --png @/net.png
compare "widest grid" --json --left 4 --right 4 --wall 0.5 --stratum 1 --png @/net.png
compare "chained runs, tuned, zones" --json --wall 1.5 --stratum 3 --then --left 1 --nd 17 --nf 9 \
  --zones imminent,critical,possible --csv @/csv --png @/net.png
compare "extended-precision inputs" --json --k 0.1 --up 0.3 --down 1E-5 --ratio 1.0000000000000000001
compare "a 20000-digit input" --json --up "2.$(printf '%020000d' 3)" --down "1$(printf '%05000d' 0)E-5000"
compare "design checks and the report" --checks --left 1 --wall 1.2 --up 3 --down 0.5 \
  --report @/report.html
compare "embedment search" --embed terzaghi --up 2
compare "refused: trailing space" --stratum "2 "
compare "refused: comma" --k "1,5"
compare "refused: beyond the extended range" --up 1E5000
compare "refused: wall below the stratum" --wall 2.5 --csv @/csv
compare "usage: unknown option" --colour red
compare "usage: track bar out of range" --nd 41
compare "csv folder made with its parents" --csv @/missing/dir
compare "picture into a missing folder" --png @/missing/net.png
compare "report onto a folder" --report @/csv
compare "help" --help

echo "$((cases - failed)) of $cases cases identical on Linux and Windows"
[ "$failed" -eq 0 ]
