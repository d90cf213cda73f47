#!/usr/bin/env bash
# vantrel.exe under Wine prints exactly the expected lines with the expected exit status: for
# `check`, the golden console lines of tests/check, as the Linux tool does; for `--version`, the
# project version.
# usage: check_tool.sh EXPECTED_LINES EXPECTED_STATUS COMMAND...
set -u
expected=$1 status=$2
shift 2
actual=$("$@")
got=$?
if ! diff -u "$expected" <(printf '%s\n' "$actual" | tr -d '\r'); then
  echo "console lines differ for: $*"
  exit 1
fi
if [ "$got" != "$status" ]; then
  echo "exit status $got, expected $status, for: $*"
  exit 1
fi
