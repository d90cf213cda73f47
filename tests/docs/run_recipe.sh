#!/usr/bin/env bash
# A recipe lints clean with --strict and its scenario meets every expectation, of which there
# is at least one. usage: run_recipe.sh TOOL RECIPE (the files RECIPE.txt and RECIPE.scenario)
set -u
tool=$1 recipe=$2
if ! "$tool" lint --strict "$recipe.txt"; then
  echo "lint --strict finds the above in $recipe.txt"
  exit 1
fi
log=$("$tool" simulate "$recipe.txt" "$recipe.scenario")
status=$?
printf '%s\n' "$log"
[ "$status" = 0 ] || exit 1
if ! grep -Eq '^[1-9][0-9]* expectations met, 0 failed$' <<<"$log"; then
  echo "$recipe.scenario expects nothing"
  exit 1
fi
