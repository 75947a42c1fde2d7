#!/usr/bin/env bash
# The batch tool's section runs: a refused file, options that do not apply, the picture, and the
# single wall whose discharge is known in closed form.
source "$(dirname "$0")/check.sh" "$1"
number() { # the JSON member $1 of the text $2
  grep -o "\"$1\":[-0-9.eE+]*" <<<"$2" | head -n 1 | cut -d: -f2
}

# One wall driven half way into a homogeneous layer 10 m deep, 1 m of water against none:
# q = 0.5 k H exactly (s/T = 0.5 in the closed form of a wall in a layer of infinite length).
cat >"$work/wall.json" <<'JSON'
{"verrask_section": 1,
 "layers": [{"bottom": -10.0, "kx": 1e-5, "kz": 1e-5, "gamma_sat": 20.0}],
 "walls": [{"x": 0.0, "toe": -5.0}],
 "surface": [{"ground": 0.0, "water": 1.0}, {"ground": 0.0, "water": 0.0}]}
JSON
json=$("$cli" --section "$work/wall.json" --json)
check "section JSON exits 0" test $? -eq 0
low=$(number q_low "$json"); high=$(number q_high "$json"); q=$(number q "$json")
# The bracket is certain: it must hold the exact 5e-6 (its width is the grid's error).
check "the closed form lies in the bracket [$low, $high]" \
  awk -v l="$low" -v h="$high" 'BEGIN { exit !(l <= 5e-6 && 5e-6 <= h) }'
# The midpoint within the default accuracy of 0.5 %.
check "q $q within 0.5 % of 5e-6" awk -v q="$q" 'BEGIN { exit !(q > 4.975e-6 && q < 5.025e-6) }'
check "two stretch fluxes" test "$(grep -o '"flux":' <<<"$json" | wc -l)" -eq 2
check "never inf or nan" test -z "$(grep -io 'inf\b\|nan' <<<"$json")"
# The exit gradient beside the wall, pi H / (4 T K(m) sin(pi s / 2T)) = 0.05991 (closed form,
# s/T = 0.5): within 1 %, the closed form's strip being closed at 3T by the automatic extent.
exit=$(number value "$json")
check "exit gradient $exit within 1 % of 0.05991" \
  awk -v i="$exit" 'BEGIN { exit !(i > 0.05931 && i < 0.06051) }'
check "the observed order of q is given" test -n "$(number order "$json")"
text=$("$cli" --section "$work/wall.json")
check "text names the bracket" grep -q "^Section: q = .* certainly between " <<<"$text"

printf '{"verrask_section": 1, "layers": []' >"$work/bad.json"
"$cli" --section "$work/bad.json" >"$work/out" 2>"$work/err"
check "a refused section exits 2" test $? -eq 2
check "a refused section prints nothing" test ! -s "$work/out"
check "a refused section says why" grep -q "^verrask-cli: the section was refused: " "$work/err"
# gamma_sat 10.5 is heavier than the reader's water but not than a gamma_w of 11 set for the checks.
sed 's/"gamma_sat": 20.0/"gamma_sat": 10.5/' "$work/wall.json" >"$work/light.json"
"$cli" --section "$work/light.json" --gamma-w 11 --checks >"$work/out" 2>"$work/err"
check "a layer lighter than the set gamma_w exits 2" test $? -eq 2
check "... prints nothing" test ! -s "$work/out"
check "... and names the layer" \
  grep -q 'refused: "layers\[0\].gamma_sat" = 10.5: must be more than gamma_w (11)' "$work/err"

# The checks, with 3 m of water: the column beside the wall holds the excess head H/2 at the
# toe, so its heave FS is 2 i_c d / H = 2 x (20 - 9.81) / 9.81 x 5 / 3 = 3.462 (closed form;
# 2 %: the column's cell lies beside the wall face); the toe search for that criterion with
# FS 5 needs d = 5 H / (2 i_c) = 7.22 m (3 %: the search's resolution of depth / 512 and the
# same cell).
sed 's/"water": 1.0/"water": 3.0/' "$work/wall.json" >"$work/wall3.json"
json=$("$cli" --section "$work/wall3.json" --checks --embed column --target 5 --json 2>"$work/err")
check "section checks exit 0" test $? -eq 0
heave=$(grep -o '"heave":{"value":[-0-9.eE+]*' <<<"$json" | cut -d: -f3)
check "heave column FS $heave within 2 % of 3.462" \
  awk -v f="$heave" 'BEGIN { exit !(f > 3.393 && f < 3.531) }'
toe=$(grep -o '"target":5,"toe":[-0-9.eE+]*' <<<"$json" | cut -d: -f3)
check "required toe $toe within 3 % of -7.22" awk -v t="$toe" 'BEGIN { exit !(t < -7.00 && t > -7.44) }'
check "the search's trials on stderr" grep -q "^embedment: toe " "$work/err"
check "the governing check in the text" \
  grep -q "^ Governing check: " <<<"$("$cli" --section "$work/wall.json" --checks)"

"$cli" --section "$work/wall3.json" --report "$work/wall.html" --project "Quay <B>" >/dev/null
check "the section's report is written" grep -q "Governing check: " "$work/wall.html"
check "the report escapes the project" grep -q "Quay &lt;B&gt;" "$work/wall.html"
"$cli" --section "$work/wall3.json" --report "$work/none/wall.html" >/dev/null 2>"$work/err"
check "a report that cannot be written exits 1" test $? -eq 1
check "and says so" grep -q "the report was not written" "$work/err"

# The picture: a PNG file (its signature), and a clear refusal where it cannot be written.
"$cli" --section "$work/wall.json" --png "$work/wall.png" --nd 12 >"$work/out" 2>"$work/err"
check "section picture exits 0" test $? -eq 0
check "the picture is a PNG" cmp -s -n 8 "$work/wall.png" <(printf '\211PNG\r\n\032\n')
"$cli" --section "$work/wall.json" --png "$work/missing/wall.png" >"$work/out" 2>"$work/err"
check "an unwritable picture exits 1" test $? -eq 1
check "an unwritable picture says why" grep -q "^verrask-cli: the picture was not written: " \
  "$work/err"
for bad in "--nd 0" "--nf 101" "--nd x"; do
  # shellcheck disable=SC2086
  "$cli" --section "$work/wall.json" $bad >"$work/out" 2>"$work/err"
  check "$bad with --section is a usage error" test $? -eq 64
  check "$bad is named" grep -q "^verrask-cli: ${bad% *} needs a whole number" "$work/err"
done

for other in "--csv x" "--wall 2" "--then" "--tailwater 1"; do
  # shellcheck disable=SC2086
  "$cli" --section "$work/wall.json" $other >"$work/out" 2>"$work/err"
  check "$other with --section is a usage error" test $? -eq 64
  check "$other with --section computes nothing" test ! -s "$work/out"
done

checks_done
