#!/usr/bin/env bash
# Runs the batch tool as a user would: outputs, exit codes, chained runs and the CSV files.
source "$(dirname "$0")/check.sh" "$1"

out=$("$cli" --runs 2)
check "default run shows the window's texts" grep -q "^Shape Factor (nf/nd) = 0.5$" <<<"$out"
check "default run shows q" grep -q "^ q = 5E-6$" <<<"$out"
check "default run shows Nd and Nf" grep -q "^ Nf: 5$" <<<"$out"
check "second run relaxes in one pass" grep -q "head passes: 1, stream passes: 1," <<<"$out"

json=$("$cli" --json --wall 1 --then --left 2 --right 3)
check "one JSON object per run" test "$(wc -l <<<"$json")" -eq 2
check "then changes only the named boxes" grep -q '"inputs":{"left":"2","right":"3","wall":"1","stratum":"2"' <<<"$(sed -n 2p <<<"$json")"
check "geometry of the blanket run" grep -q '"PileUpCol":200,"PileDownCol":201,"RightBlanketCol":276,"LastCol":426' <<<"$(sed -n 2p <<<"$json")"

"$cli" --stratum "2 " >"$work/out" 2>"$work/err"
check "refused input exits 2" test $? -eq 2
check "refused input says so on stderr" grep -q "^Your input data is wrong!$" "$work/err"
check "refused input prints nothing on stdout" test ! -s "$work/out"
# What no soil or structure can be: refused as any wrong input, with the box named.
for bad in "--k -4e-6|K must be positive" "--k 0|K must be positive" "--ratio 0|Y'/Yw must be positive" \
           "--left -1|left blanket length must not be negative" \
           "--right -0.5|right blanket length must not be negative" \
           "--wall -1|wall depth must not be negative"; do
  args=${bad%%|*}; reason=${bad#*|}
  # shellcheck disable=SC2086
  "$cli" $args >"$work/out" 2>"$work/err"
  check "$args exits 2" test $? -eq 2
  check "$args says why" grep -qF "$reason" "$work/err"
  check "$args prints nothing on stdout" test ! -s "$work/out"
done
# 20,000 characters: a Windows command line holds at most 32,767.
"$cli" --k "$(head -c 20000 /dev/zero | tr '\0' 7)x" >/dev/null 2>"$work/err"
check "long input is quoted shortened" test "$(wc -c <"$work/err")" -lt 200 -a "$(grep -c '(20001 characters)' "$work/err")" -eq 1

mkdir "$work/csv" "$work/none"
"$cli" --csv "$work/csv" >/dev/null
check "csv run exits 0" test $? -eq 0
check "coarse csv has 51 rows of 302 values" test "$(wc -l <"$work/csv/HeadGrid.csv")" -eq 51 -a "$(head -1 "$work/csv/HeadGrid.csv" | tr ',' '\n' | wc -l)" -eq 302
check "fine csv has 201 rows of 1205 values" test "$(wc -l <"$work/csv/FineStream.csv")" -eq 201 -a "$(head -1 "$work/csv/FineStream.csv" | tr ',' '\n' | wc -l)" -eq 1205
check "head loss starts at 0 upstream" test "$(head -c 2 "$work/csv/FineHead.csv")" = "0,"
"$cli" --csv "$work/none" --up 0 >/dev/null 2>&1
check "refused run writes no csv" test -z "$(ls "$work/none")"
"$cli" --csv "$work/missing/dir" >/dev/null
check "csv folder and its parents are made" test -s "$work/missing/dir/fields.csv"
"$cli" --csv "$work/csv/HeadGrid.csv/dir" >/dev/null 2>"$work/err"
check "unwritable csv exits 1" test $? -eq 1
check "unwritable csv names the folder and why" grep -q "^verrask-cli: cannot create the folder .*HeadGrid.csv/dir: " "$work/err"

"$cli" --png "$work/net.png" --left 1 >/dev/null
check "png run exits 0" test $? -eq 0
check "png signature" test "$(od -An -tx1 -N8 "$work/net.png" | tr -d ' ')" = "89504e470d0a1a0a"
# IHDR: width 4 x LastCol = 4 x 326 = 1304 (0x518), height 204 (0xcc)
check "png is the shown picture's size" test "$(od -An -tx1 -j16 -N8 "$work/net.png" | tr -d ' ')" = "00000518000000cc"

tuned=$("$cli" --json --nd 20 --nf 7 --zones critical,imminent --then --wall 1.2)
first=$(sed -n 1p <<<"$tuned"); second=$(sed -n 2p <<<"$tuned")
check "bars moved after the run" grep -q '"Nd":20,"Nf":7,' <<<"$first"
check "panels show the Tune bar's text" grep -q '" Nf= 7"' <<<"$first"
check "zones checked in order" grep -q '"zones":{"critical":true,"possible":false,"imminent":true}' <<<"$first"
check "next run resets Nd, boxes stay checked" grep -q '"Nd":10,.*"zones":{"critical":true,"possible":false,"imminent":true}' <<<"$second"
"$cli" --zones critical,bogus >/dev/null 2>&1
check "unknown zone is a usage error" test $? -eq 64

"$cli" --runs >/dev/null 2>&1
check "usage error exits 64" test $? -eq 64

# An inputs file as the window saves it: the boxes and the settings, changed by later options.
cat >"$work/site.json" <<'JSON'
{"format": "verrask-inputs", "version": 1,
 "inputs": {"left": "2", "right": "0", "wall": "1.5", "stratum": "3", "ratio": "1", "k": "1E-5",
            "up": "1", "down": "0"},
 "check_settings": {"gamma_w": 9.9, "tailwater": null, "factor_dst": 1.35, "factor_stb": 0.9,
                    "uplift_dst": 1, "uplift_stb": 0.9, "target_terzaghi": 1.5, "target_exit": 4,
                    "target_column": 1.5, "target_ec7a": 1, "target_ec7b": 1}}
JSON
opened=$("$cli" --inputs "$work/site.json" --json --checks --then --wall 1)
check "inputs file fills the boxes" grep -q '"inputs":{"left":"2","right":"0","wall":"1.5","stratum":"3"' <<<"$(sed -n 1p <<<"$opened")"
check "options after the file change it" grep -q '"wall":"1","stratum":"3"' <<<"$(sed -n 2p <<<"$opened")"
check "gamma_w from the file" grep -q 'gamma_w = 9.9 kN/m3' <<<"$("$cli" --inputs "$work/site.json" --checks)"
sed 's/"version": 1/"version": 2/' "$work/site.json" >"$work/newer.json"
"$cli" --inputs "$work/newer.json" >"$work/out" 2>"$work/err"
check "a newer inputs file is a usage error" test $? -eq 64
check "a newer inputs file says why" grep -q "newer.json: version 2 is newer" "$work/err"

checks_done
