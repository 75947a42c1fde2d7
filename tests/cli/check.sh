# The batch tool scripts' common frame (sourced with the tool's command): $cli, a scratch folder
# $work removed on exit, `check NAME COMMAND...` counting a command that must succeed, and
# `checks_done` printing the count and failing when any check failed.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {
  local name="$1"; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
checks_done() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
