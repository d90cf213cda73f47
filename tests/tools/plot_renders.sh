#!/usr/bin/env bash
# Plots a scenario run, renders the SVG with a real renderer (rsvg-convert) and looks at the
# picture. usage: plot_renders.sh TOOL
set -eu
tool=$1
dir=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" simulate --trace fFOV,bFocus,sRace,position --plot "$work/plot.svg" \
  "$dir/explain.txt" "$dir/explain.scenario" >/dev/null
rsvg-convert "$work/plot.svg" -o "$work/plot.png"
python3 "$dir/check_plot.py" "$work/plot.svg" "$work/plot.png"
