#!/usr/bin/env bash
# The batch tool's design checks: refused settings, the JSON members and the embedment search.
source "$(dirname "$0")/check.sh" "$1"

for bad in "--gamma-w 0" "--gamma-w -9.81" "--gamma-w x" "--gamma-w 1e400" "--tailwater -1" \
           "--tailwater 1e99999" "--factors 1.35" "--factors 1.35,0" "--factors ,0.9" "--target 0" \
           "--embed deep" "--target" "--uplift-factors 1,4" "--target exit=11" "--target deep=2" \
           "--target 20 --embed ec7a"; do
  # shellcheck disable=SC2086
  "$cli" --checks $bad >"$work/out" 2>"$work/err"
  check "$bad is a usage error" test $? -eq 64
  check "$bad computes nothing" test ! -s "$work/out"
  check "$bad says why" grep -q "^verrask-cli: --" "$work/err"
done

json=$("$cli" --json --checks --tailwater 0 --factors 1.35,0.9 --gamma-w 10)
check "checks member after the run's own" grep -q '"seconds":[0-9.]*,"checks":{"grid_step":0.04,' <<<"$json"
for key in exit_gradient terzaghi ec7_hyd heave_column wall; do
  check "checks has $key" grep -q "\"$key\":{" <<<"$json"
done
check "no blanket, no uplift" grep -q '"uplift":null' <<<"$json"
check "closed form beside the model" grep -q '"closed_form":{"shape_factor":{"exact":0.5,' <<<"$json"
check "net pressure points from the surface" grep -q '"points":\[{"depth":0,' <<<"$json"

json=$("$cli" --json --checks --wall 0 --right 1)
check "no closed form with blankets" grep -q '"closed_form":null' <<<"$json"
check "no wall: figures are null with the reason" grep -q '"terzaghi":{"depth":null,.*"reason":"no wall"}' <<<"$json"
check "blanket uplift" grep -q '"uplift":{"length":1,' <<<"$json"
check "never inf or nan" test -z "$(grep -io 'inf\b\|nan' <<<"$json")"

"$cli" --json --embed ec7b >"$work/out" 2>"$work/err"
check "embed run exits 0" test $? -eq 0
check "embed member without checks" grep -q '"seconds":[0-9.]*,"embedment":{"criterion":"ec7b","target":1,"rows":[0-9]*,' "$work/out"
check "progress on stderr" grep -q '^embedment: [0-9]* rows (' "$work/err"
"$cli" --checks --gamma-w 12 >/dev/null 2>"$work/err"
check "a setting out of range names the range" grep -q "^verrask-cli: --gamma-w: .* from 9 to 11 (kN/m3)" "$work/err"
text=$("$cli" --embed terzaghi --target 10 --ratio 0.05 2>/dev/null)
check "no depth passes: says so" grep -q "^Embedment for terzaghi (FS >= 10): none.*(no wall depth up to 49 rows passes)" <<<"$text"
text=$("$cli" --embed ec7b --target ' 0.5 ' --target terzaghi=2 2>/dev/null)
check "plain --target is the embed criterion's, with spaces" grep -q "^Embedment for ec7b (utilisation <= 0.5): " <<<"$text"
text=$("$cli" --embed column --target 0.5 --up 0.01 2>/dev/null)
check "one row passing is an upper bound" grep -q "^Embedment for column (FS >= 0.5): at most 1 row = 0.04 m (even" <<<"$text"
text=$("$cli" --checks --down 1.5 --up 6 --stratum 6 --wall 3 --k 4e-6)
check "tailwater from H2" grep -q "tailwater 1.5 m$" <<<"$text"
check "governing check line" grep -q "^ Governing check: " <<<"$text"

# The HTML report of the last run: written whole, or refused with the earlier file kept.
"$cli" --checks --embed ec7b --report "$work/r.html" >"$work/out" 2>/dev/null
check "report run exits 0" test $? -eq 0
check "report has the run's figures" grep -q "id=\"fs-terzaghi\">$(grep -o 'FS = [0-9.]* passes;' "$work/out" | head -1 | sed 's/FS = //; s/ passes;//')<" "$work/r.html"
"$cli" --report "$work/i.html" --project 'Dock <2>' --engineer 'A. N. Other' >/dev/null 2>&1
check "report has the project and engineer" grep -q "<td>Dock &lt;2&gt;</td>" "$work/i.html"
check "report has three diagrams with a search" test "$(grep -c '<svg ' "$work/r.html")" -eq 3
"$cli" --report "$work/missing/r.html" >"$work/out" 2>"$work/err"
check "unwritable report exits 1" test $? -eq 1
check "unwritable report says so" grep -q "^verrask-cli: the report was not written: " "$work/err"
check "the run's output is still printed" grep -q "^Shape Factor" "$work/out"
echo earlier >"$work/r.html" && mkdir "$work/r.html.part"
"$cli" --report "$work/r.html" >/dev/null 2>&1
check "failed report keeps the earlier file" test "$(cat "$work/r.html")" = earlier

checks_done
