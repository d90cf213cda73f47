#!/bin/sh
# Says whether this kernel runs i386 code natively: prints "native" and exits 0, or prints
# "not native (WHY)" and exits 1. Used by install-deps.sh and by the 32-bit builds.
# The compiler is $VANTREL_PROBE_CC (default cc), called with -m32.
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
if ! ${VANTREL_PROBE_CC:-cc} -m32 -o "$dir/probe" "$(dirname "$0")/i386-probe.c" 2>"$dir/log"; then
  echo "not native (no -m32 compiler to probe with)"
  exit 1
fi
machine=$("$dir/probe" 2>/dev/null)
status=$?
if [ $status -eq 0 ]; then
  echo "native"
elif [ -z "$machine" ]; then
  echo "not native (this kernel does not execute i386 programs)"
  exit 1
else
  echo "not native (i386 programs run as $machine, through an emulator)"
  exit 1
fi
