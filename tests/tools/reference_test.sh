#!/usr/bin/env bash
# The reference section of docs/configuration.md is exactly what `vantrel help --markdown` writes,
# it holds all 73 values and 30 commands, and `vantrel help NAME` prints an entry for each.
# usage: reference_test.sh TOOL DOC
set -u
tool=$1 doc=$2
heading='## Reference: values and commands'
if ! diff -u <(sed -n "/^$heading\$/,\$p" "$doc") <("$tool" help --markdown); then
  echo "docs/configuration.md differs from 'vantrel help --markdown'. The section runs to the end"
  echo "of the file; write it again with:"
  echo "  sed -i '/^$heading\$/,\$d' docs/configuration.md"
  echo "  build/linux/bin/vantrel help --markdown >>docs/configuration.md"
  exit 1
fi
if "$tool" help --markdown | grep -q '(null)'; then
  echo "a row of the command table has no description"
  exit 1
fi
names=$("$tool" help --markdown | sed -n 's/^| `\([A-Za-z0-9]*\)[` ].*/\1/p')
values=$(printf '%s\n' "$names" | grep -c '^[bifs][A-Z]')
commands=$(printf '%s\n' "$names" | grep -vc '^[bifs][A-Z]')
if [ "$values" != 73 ] || [ "$commands" != 30 ]; then
  echo "the reference lists $values values and $commands commands, expected 73 and 30"
  exit 1
fi
for name in $names; do
  entry=$("$tool" help "$name") || { echo "vantrel help $name failed"; exit 1; }
  if [ "$(printf '%s\n' "$entry" | wc -l)" -lt 3 ]; then
    echo "vantrel help $name prints no description:"; printf '%s\n' "$entry"; exit 1
  fi
done
