#!/usr/bin/env bash
# The performance figures, as callgrind instruction counts (Ir), which do not depend on what
# else the machine is doing. Builds bench/figures in the linux preset and runs each case under
# callgrind with collection on only for the part measured; prints one `NAME VALUE` line per
# figure. README.md says how to read them.
#
#   bash bench/instructions.sh [KEY_BINDINGS]   (default 60000 BindKey lines)
set -euo pipefail
cd "$(dirname "$0")/.."
bindings=${1:-60000}

command -v valgrind >/dev/null || { echo "valgrind is missing: make deps installs it" >&2; exit 1; }
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$(nproc)" --target figures >/dev/null
figures=$PWD/build/linux/bin/figures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs one case; sets IR to its instruction count and leaves its printed values in $work/values.
measure() {
  valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$work/out" \
    "$figures" "$@" >"$work/values" 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
  IR=$(awk '/^summary:/ { print $2 }' "$work/out")
}
value() { awk -v name="$1" '$1 == name { print $2 }' "$work/values"; }
div() { awk -v a="$1" -v b="$2" -v digits="${3:-0}" 'BEGIN { printf "%.*f\n", digits, a / b }'; }

frames=2000
measure frame 20 8 steady $frames
steady=$(div "$IR" $frames 1)

measure frame 20 8 pass $frames
pass8=$(div "$IR" $frames 1)
conditions8=$(value conditions_per_pass)
allocations=$(value allocations)

measure frame 20 16 pass $frames
pass16=$(div "$IR" $frames 1)
conditions16=$(value conditions_per_pass)

condition=$(div "$(awk -v a="$pass16" -v b="$pass8" 'BEGIN { print a - b }')" \
  $((conditions16 - conditions8)) 1)
echo "steady_frame_ir $(div "$steady" 1)"
echo "condition_ir $(div "$condition" 1)"
echo "pass_fixed_ir $(awk -v p="$pass8" -v s="$steady" -v c="$condition" -v n="$conditions8" \
  'BEGIN { printf "%.0f\n", p - s - n * c }')"
echo "frame_allocations $(div "$allocations" $frames 2)"

profiles=2000
ratio() {
  measure plain $profiles "$1"
  local plain=$IR
  measure load $profiles "$1"
  div "$IR" "$plain" 2
}
echo "load_ratio_lf $(ratio lf)"
echo "load_ratio_crlf $(ratio crlf)"
# The last measure was a load: its bytes and allocations.
echo "load_bytes_per_profile $(div "$(value bytes)" $profiles)"
echo "load_allocations_per_profile $(div "$(value allocations)" $profiles 1)"

measure keybindings "$bindings"
[ "$(value bindings)" = "$bindings" ] || { echo "not every binding was applied" >&2; exit 1; }
echo "keybinding_ir_per_binding $(div "$IR" "$bindings")"

# Lint with every rule on, per byte of configuration: at 2 MB, and at 0.5 MB to show it flat.
measure lint 2000000
echo "lint_ir_per_byte $(div "$IR" "$(value bytes)" 1)"
measure lint 500000
echo "lint_ir_per_byte_500k $(div "$IR" "$(value bytes)" 1)"

# The language server: diagnostics after a one-character change to a 1 MB configuration, per KB.
measure lsp 1000000
echo "lsp_change_ir_per_kb $(div "$IR" "$(div "$(value bytes)" 1024 3)")"

# How the cost per profile moves with the number of profiles: loading, and a frame with a pass.
for count in 10 100 1000 10000; do
  measure load $count lf
  echo "scaling_load_ir_per_profile_$count $(div "$IR" $count)"
  passes=$(( count >= 1000 ? 5 : 100 ))
  measure frame $count 8 pass $passes
  echo "scaling_pass_ir_per_profile_$count $(div "$IR" $((count * passes)))"
done
