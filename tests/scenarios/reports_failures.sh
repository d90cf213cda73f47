#!/usr/bin/env bash
# A scenario whose expectations fail must end with exactly exit status 1 and the summary line
# that counts them (a crash or any other status is a failure of this test).
# usage: reports_failures.sh TOOL CONFIG SCENARIO SUMMARY
set -u
tool=$1 config=$2 scenario=$3 summary=$4
output=$("$tool" simulate "$config" "$scenario")
status=$?
last=$(tail -n 1 <<<"$output")
if [ "$status" != 1 ] || [ "$last" != "$summary" ]; then
  printf '%s\n' "$output" "exit status $status, expected 1 and the line '$summary'"
  exit 1
fi
