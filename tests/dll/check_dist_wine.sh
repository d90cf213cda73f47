#!/bin/sh
# The shipped binaries as a player unpacks them: the tool checks the shipped configuration, and
# the DLL test harness, put beside the shipped DLL, loads it and passes.
# usage: check_dist_wine.sh DIST HARNESS GAME   (Wine in the environment's prefix)
set -eu
dist=$1
harness=$2
game=$3
rm -rf "$game"
mkdir -p "$game"
cd "$game"
cmake -E tar xf "$dist/vantrel.zip"
wine Tools/vantrel.exe check
cp "$harness" Data/WOBK/Plugins/
wine Data/WOBK/Plugins/"$(basename "$harness")"
