#!/usr/bin/env bash
# vantrel.exe check under Wine prints the same console lines, with the same exit status, as the
# Linux tool does for the golden files of tests/check.
# CONFIG "-" runs `check` without a file, in the current folder.
# usage: check_tool.sh TOOL.EXE CONFIG EXPECTED_LINES EXPECTED_STATUS
set -u
tool=$1 config=$2 expected=$3 status=$4
if [ "$config" = - ]; then
  actual=$(WINEDEBUG=-all wine "$tool" check)
else
  actual=$(WINEDEBUG=-all wine "$tool" check "$config")
fi
got=$?
if ! diff -u "$expected" <(printf '%s\n' "$actual" | tr -d '\r'); then
  echo "console lines differ for $config"
  exit 1
fi
if [ "$got" != "$status" ]; then
  echo "exit status $got, expected $status, for $config"
  exit 1
fi
