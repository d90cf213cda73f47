#!/usr/bin/env bash
# Golden test of `vantrel check`: the printed console lines and the exit status.
# usage: run_check.sh TOOL CONFIG EXPECTED_LINES EXPECTED_STATUS
set -u
tool=$1 config=$2 expected=$3 status=$4
actual=$("$tool" check "$config")
got=$?
if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
  echo "console lines differ for $config"
  exit 1
fi
if [ "$got" != "$status" ]; then
  echo "exit status $got, expected $status, for $config"
  exit 1
fi
