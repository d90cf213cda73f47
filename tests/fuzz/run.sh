#!/usr/bin/env bash
# Runs the libFuzzer targets that the fuzz preset builds into build/fuzz/bin.
#   run.sh fuzz SECONDS JOBS   each target for SECONDS on JOBS processes; the inputs that add
#                              coverage edges are then merged into tests/fuzz/corpus/TARGET
#   run.sh smoke SECONDS       each target for SECONDS on its corpus, keeping nothing
# Either fails at the first finding (crash, sanitizer report, leak, timeout or a broken game
# contract), which is written to build/fuzz/findings/TARGET-crash-<hash> (or -leak-, -timeout-).
# Reproduce one with:  build/fuzz/bin/TARGET build/fuzz/findings/TARGET-crash-<hash>
# FUZZ_TARGETS (default: all four) picks the targets.
set -euo pipefail
mode=$1
seconds=$2
jobs=${3:-1}
cd "$(dirname "$0")/../.."
findings=build/fuzz/findings
mkdir -p "$findings"
for target in ${FUZZ_TARGETS:-fuzz_plugin fuzz_scenario fuzz_literals fuzz_lsp}; do
  corpus=tests/fuzz/corpus/$target
  scratch=build/fuzz/scratch/$target
  rm -rf "$scratch"
  mkdir -p "$scratch"
  # The tool's own stdout (and, for scenarios, its stderr) would flood the log; libFuzzer and
  # the sanitizers keep reporting on a copy of stderr.
  mask=1
  [ "$target" = fuzz_scenario ] && mask=3
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=$mask
           -dict=tests/fuzz/vantrel.dict -artifact_prefix="$findings/$target-"
           -print_final_stats=1)
  if [ "$mode" = fuzz ] && [ "$jobs" -gt 1 ]; then options+=(-fork="$jobs"); fi
  echo "== $target, $seconds s"
  build/fuzz/bin/$target "${options[@]}" "$scratch" "$corpus"
  if [ "$mode" = fuzz ]; then
    # Only new edges count, so the corpora in the tree stay small.
    build/fuzz/bin/$target -merge=1 -use_counters=0 -close_fd_mask=$mask "$corpus" "$scratch"
  fi
done
