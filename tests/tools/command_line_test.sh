#!/usr/bin/env bash
# vantrel as a command-line tool. Each case gives the exit status and what stdout and stderr must
# show: a line matching an extended regular expression, or '' for nothing at all.
# usage: command_line_test.sh TOOL EXAMPLES_DIR
set -u
tool=$1 examples=$2
config=$examples/Vantrel.txt scenario=$examples/scenario.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

shows() { if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -Eq -- "$2" "$1"; fi; }

# run STATUS STDOUT STDERR ARGS...: runs the tool in the current folder.
run() {
  local status=$1 out=$2 err=$3
  shift 3
  "$tool" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" != "$status" ] || ! shows "$work/out" "$out" || ! shows "$work/err" "$err"; then
    printf 'FAILED: vantrel %s (status %s, expected %s)\n--- stdout:\n' "$*" "$got" "$status"
    cat "$work/out"; echo '--- stderr:'; cat "$work/err"
    failed=1
  fi
}

# not_in FILE PATTERN: the last run's FILE (out or err) has no line matching PATTERN.
not_in() {
  if grep -Eq -- "$2" "$work/$1"; then echo "FAILED: '$2' in std$1 of the last run"; failed=1; fi
}

# Usage and help: results on stdout, status 0.
run 0 '^usage: vantrel check' '' --help
run 0 '^usage: vantrel check' '' -h
run 0 '^usage: vantrel check' '' help
run 0 '^Commands:' '' help
run 0 '^fRotationFromHead  \(setting, number\)$' '' help FROTATIONFROMHEAD
run 0 '^BindKey KEY MODIFIERS NAME \[SECONDS\]  \(command\)$' '' help bindkey
run 1 '' "no value, command or rule 'fov2'; nearest: fFOV," help fov2

# Wrong command lines: the usage on stderr, status 2.
run 2 '' 'unknown command' bogus
run 2 '' '^usage: vantrel check' bogus
run 2 '' '^usage: vantrel check'
run 2 '' '^usage: vantrel check' check one two
run 2 '' '^usage: vantrel check' simulate "$config"
run 2 '' '^usage: vantrel check' simulate --trace
run 2 '' "--trace: 'bogusName' is neither" simulate --trace fFOV,bogusName "$config" "$scenario"

# check without FILE reads the game's file below the current folder, as the game does.
mkdir -p "$work/game/Data/WOBK/Plugins"
printf '[Walk]\n(bWalking)\n' >"$work/game/Data/WOBK/Plugins/Vantrel.txt"
cd "$work/game" && run 0 '^Vantrel: Loaded 2 profiles from configuration file\.$' '' check
cd "$work" && run 1 '^Vantrel\(0\): File is missing!$' '' check

# simulate: missing files are errors on stderr, and nothing is played.
run 1 '' '^Vantrel\(0\): File is missing!$' simulate "$work/none.txt" "$scenario"
run 1 '' 'cannot read the scenario' simulate "$config" "$work/none.scenario"
printf 'frames 1\nfly away\n' >"$work/bad.scenario"
run 1 'expectations met' 'bad.scenario:2: unknown directive' simulate "$config" "$work/bad.scenario"
not_in out 'unknown directive'

# The trace: among the other lines on stdout, or alone in the file --trace-out names.
run 0 '^time,fFOV$' '' simulate --trace fFOV "$config" "$scenario"
run 0 'expectations met' '' simulate --trace fFOV,position --trace-out "$work/trace.csv" \
  "$config" "$scenario"
not_in out '^time,|^[0-9.]+,'
if [ "$(head -n 1 "$work/trace.csv")" != "time,fFOV,position.x,position.y,position.z" ] ||
   grep -Evq '^(time|[0-9.]+),' "$work/trace.csv"; then
  echo "FAILED: the trace file holds more than the CSV:"; head -n 5 "$work/trace.csv"; failed=1
fi

exit $failed
