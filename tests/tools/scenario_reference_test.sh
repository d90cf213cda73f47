#!/usr/bin/env bash
# The scenario tables of README.md and docs/configuration.md are exactly what
# `vantrel help scenario --markdown` writes from the directive table.
# usage: scenario_reference_test.sh TOOL DOC...
set -u
tool=$1
shift
begin='^<!-- Scenario directives: ' end='^<!-- End of scenario directives -->$'
status=0
for doc in "$@"; do
  if ! diff -u <(sed -n "/$begin/,/$end/p" "$doc") <("$tool" help scenario --markdown); then
    echo "$doc differs from 'vantrel help scenario --markdown'; write its block again with:"
    echo "  build/linux/bin/vantrel help scenario --markdown >/tmp/block.md"
    echo "  sed -i -e '/$begin/,/$end/{/$end/r /tmp/block.md' -e 'd}' $doc"
    status=1
  fi
done
exit $status
