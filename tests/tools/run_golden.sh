#!/usr/bin/env bash
# Golden test of a tool command: its standard output and exit status. The command runs in
# this folder, so file names in its output are as written in the test. With --from, only the
# output from the first line matching REGEX on is compared.
# usage: run_golden.sh [--from REGEX] EXPECTED_OUTPUT EXPECTED_STATUS COMMAND...
set -u
from=""
if [ "$1" = "--from" ]; then
  from=$2
  shift 2
fi
expected=$1 status=$2
shift 2
cd "$(dirname "$0")"
actual=$("$@")
got=$?
if [ -n "$from" ]; then
  actual=$(printf '%s\n' "$actual" | sed -n "/$from/,\$p")
fi
if ! diff -u "$expected" <([ -z "$actual" ] || printf '%s\n' "$actual"); then
  echo "output differs from $expected"
  exit 1
fi
if [ "$got" != "$status" ]; then
  echo "exit status $got, expected $status"
  exit 1
fi
