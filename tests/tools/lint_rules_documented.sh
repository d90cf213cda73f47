#!/usr/bin/env bash
# Every lint rule is documented from its table row: `vantrel help RULE` prints its entry, and
# the example of its reference entry makes lint report the rule while the text written instead
# does not (an example that is no configuration, in parentheses, is left out).
# usage: lint_rules_documented.sh TOOL
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
"$tool" help --markdown >"$work/reference.md"
rules=$(sed -n 's/^#### `\([a-z-]*\)` (\(error\|warning\))$/\1/p' "$work/reference.md")
[ "$(printf '%s\n' "$rules" | wc -l)" -ge 14 ] || { echo "FAILED: rules listed: $rules"; exit 1; }
for rule in $rules; do
  entry=$("$tool" help "$rule") || { echo "FAILED: vantrel help $rule"; failed=1; continue; }
  [ "$(printf '%s\n' "$entry" | wc -l)" -ge 6 ] || { echo "FAILED: help $rule:"; echo "$entry"; failed=1; }
  # The rule's two code blocks: the example and what is written instead.
  awk -v rule="$rule" -v dir="$work" '
    $0 == "#### `" rule "` (error)" || $0 == "#### `" rule "` (warning)" { inside = 1; next }
    inside && /^#### / { inside = 0 }
    inside && /^```$/ { block++; next }
    inside && block % 2 == 1 { print > (dir "/" (block == 1 ? "example" : "instead") ".txt") }
  ' "$work/reference.md"
  if grep -q '^(a file' "$work/example.txt"; then rm -f "$work"/*.txt; continue; fi
  (cd "$work" && "$tool" lint --format gcc example.txt) | grep -q "\[$rule\]$" ||
    { echo "FAILED: the example of $rule does not report it"; failed=1; }
  (cd "$work" && "$tool" lint --format gcc instead.txt) | grep -q "\[$rule\]$" &&
    { echo "FAILED: the text written instead still reports $rule"; failed=1; }
  rm -f "$work"/*.txt
done
exit $failed
