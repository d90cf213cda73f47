#!/usr/bin/env bash
# A scenario played with its "expect value" lines and a trace of values, and played without
# either, must show the same profile switches and console lines, and both must pass: looking
# changes nothing.
# usage: same_without_inspection.sh TOOL CONFIG SCENARIO TRACE
set -u
tool=$1 config=$2 scenario=$3 trace=$4
bare=$(mktemp) || exit 1
trap 'rm -f "$bare"' EXIT
grep -v '^[[:space:]]*expect value ' "$scenario" > "$bare"
inspected=$("$tool" simulate --trace "$trace" "$config" "$scenario")
inspectedStatus=$?
plain=$("$tool" simulate "$config" "$bare")
plainStatus=$?
# Event lines start with the right-aligned time; trace rows and the summary do not.
diff -u <(grep '^ ' <<<"$plain") <(grep '^ ' <<<"$inspected") || exit 1
if [ "$inspectedStatus" != 0 ] || [ "$plainStatus" != 0 ]; then
  printf '%s\n' "$inspected" "$plain"
  exit 1
fi
