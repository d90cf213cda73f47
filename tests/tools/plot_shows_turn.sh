#!/usr/bin/env bash
# A new user's first try, drawn: turn.txt binds RotateX 90 1 0 to a key; the plot of its
# scenario renders and shows the turn. usage: plot_shows_turn.sh TOOL
set -u
tool=$1
dir=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" simulate --trace look,gameyaw --plot "$work/turn.svg" "$dir/turn.txt" \
  "$dir/turn.scenario" >/dev/null
[ $? = 1 ] || { echo "expected exit status 1 (one expectation fails on purpose)"; exit 1; }
set -e
rsvg-convert "$work/turn.svg" -o "$work/turn.png"
python3 "$dir/check_turn_plot.py" "$work/turn.svg"
