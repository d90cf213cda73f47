#!/usr/bin/env bash
# Plots a scenario run, renders the SVG with a real renderer (rsvg-convert) and looks at the
# picture; the run itself must be the same as without the plot. usage: plot_renders.sh TOOL
set -eu
tool=$1
dir=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run=(simulate --trace fFOV,bFocus,sRace,position)
"$tool" "${run[@]}" "$dir/explain.txt" "$dir/explain.scenario" >"$work/plain.log"
"$tool" "${run[@]}" --plot "$work/plot.svg" "$dir/explain.txt" "$dir/explain.scenario" \
  >"$work/plotted.log"
# Sampling every frame for the plot must not change the run.
diff -u "$work/plain.log" "$work/plotted.log"
rsvg-convert "$work/plot.svg" -o "$work/plot.png"
python3 "$dir/check_plot.py" "$work/plot.svg" "$work/plot.png"
