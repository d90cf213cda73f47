#!/usr/bin/env bash
# Wrong scenario lines are reported on stderr, one line each with the file and line number, as
# EXPECTED holds them; the run goes on and ends with exit status 1.
# usage: reports_bad_lines.sh TOOL CONFIG SCENARIO EXPECTED
set -u
tool=$1 config=$2 scenario=$3 expected=$4
cd "$(dirname "$scenario")"
errors=$("$tool" simulate "$config" "$(basename "$scenario")" 2>&1 >/dev/null)
status=$?
if ! diff -u "$expected" <(printf '%s\n' "$errors") || [ "$status" != 1 ]; then
  echo "exit status $status, expected 1"
  exit 1
fi
