#!/usr/bin/env bash
# A scenario played with its "expect value" lines and a trace of values, and played without
# either, must show the same profile switches and console lines, and both must pass: looking
# changes nothing.
# usage: same_without_peeking.sh TOOL CONFIG SCENARIO TRACE
set -u
tool=$1 config=$2 scenario=$3 trace=$4
bare=$(mktemp) || exit 1
trap 'rm -f "$bare"' EXIT
grep -v '^[[:space:]]*expect value ' "$scenario" > "$bare"
peeked=$("$tool" simulate --trace "$trace" "$config" "$scenario")
peekedStatus=$?
plain=$("$tool" simulate "$config" "$bare")
plainStatus=$?
# Event lines start with the right-aligned time; trace rows and the summary do not.
diff -u <(grep '^ ' <<<"$plain") <(grep '^ ' <<<"$peeked") || exit 1
if [ "$peekedStatus" != 0 ] || [ "$plainStatus" != 0 ]; then
  printf '%s\n' "$peeked" "$plain"
  exit 1
fi
