#!/bin/sh
# Writes the release: the binaries stripped, their symbols kept apart.
# usage: make-dist.sh OBJCOPY BIN CONFIGURATION OUT [TOOLS_FILE...]
#   BIN            holds vantrel.dll and vantrel.exe as built, with their debug sections
#   CONFIGURATION  the Vantrel.txt a new player starts from
#   TOOLS_FILE     goes into Tools beside vantrel.exe as it is (the VS Code extension)
#   OUT            receives vantrel/ (the game folder's files), vantrel.zip (that folder) and
#                  symbols/NAME.debug, the symbols and debug sections of each binary, which the
#                  shipped one names in its debug link: a crash address a player reports is read
#                  with `addr2line -e symbols/vantrel.dll.debug` (relative to the image base).
set -eu
objcopy=$1
bin=$2
configuration=$3
out=$4
shift 4

rm -rf "$out"
mkdir -p "$out/vantrel/Data/WOBK/Plugins" "$out/vantrel/Tools" "$out/symbols"

ship() {
  name=$(basename "$1")
  "$objcopy" --only-keep-debug "$1" "$out/symbols/$name.debug"
  "$objcopy" --strip-all --add-gnu-debuglink="$out/symbols/$name.debug" "$1" "$2/$name"
}
ship "$bin/vantrel.dll" "$out/vantrel/Data/WOBK/Plugins"
ship "$bin/vantrel.exe" "$out/vantrel/Tools"
cp "$configuration" "$out/vantrel/Data/WOBK/Plugins/Vantrel.txt"
for file in "$@"; do
  cp "$file" "$out/vantrel/Tools/"
done
cd "$out/vantrel"
cmake -E tar cf ../vantrel.zip --format=zip Data Tools
