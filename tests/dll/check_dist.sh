#!/bin/sh
# Writes the release with make-dist.sh and checks it: the archive holds the game folder's
# three files and the tools files; the shipped binaries carry no debug sections but a debug
# link to a symbol file beside the archive; and that file names the function and line of an
# address in the plug-in.
# usage: check_dist.sh OBJCOPY OBJDUMP ADDR2LINE BIN CONFIGURATION DIST [TOOLS_FILE...]
set -eu
objcopy=$1
objdump=$2
addr2line=$3
bin=$4
configuration=$5
dist=$6
shift 6
sh "$(dirname "$0")/../../scripts/make-dist.sh" "$objcopy" "$bin" "$configuration" "$dist" "$@"
dist=$(cd "$dist" && pwd)

status=0
fail() {
  echo "$1"
  status=1
}

entries=$(cmake -E tar tf "$dist/vantrel.zip" | grep -v '/$' | sort | tr '\n' ' ')
expected=$(
  printf '%s\n' Data/WOBK/Plugins/Vantrel.txt Data/WOBK/Plugins/vantrel.dll Tools/vantrel.exe
  for file in "$@"; do echo "Tools/$(basename "$file")"; done
)
expected=$(printf '%s\n' "$expected" | sort | tr '\n' ' ')
[ "$entries" = "$expected" ] || fail "the archive holds: $entries"
# Unpacked as a player does, away from the release.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unpacked=$scratch/unpacked
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$dist/vantrel.zip")

for binary in Data/WOBK/Plugins/vantrel.dll Tools/vantrel.exe; do
  shipped=$unpacked/$binary
  sections=$("$objdump" -h "$shipped" | awk '$1 ~ /^[0-9]+$/ { print $2 }')
  debug=$(printf '%s\n' "$sections" | grep '^\.debug' | tr '\n' ' ' || true)
  [ -z "$debug" ] || fail "$binary ships debug sections: $debug"
  "$objcopy" --dump-section .gnu_debuglink="$scratch/link" "$shipped" 2>/dev/null ||
    fail "$binary has no debug link"
  link=$(tr '\0' '\n' <"$scratch/link" | head -n 1)
  [ "$link" = "$(basename "$binary").debug" ] || fail "$binary links to '$link'"
  [ -f "$dist/symbols/$link" ] || fail "no symbol file $link beside the archive"
done

# The address of WOBKPlugin_Load, as a crash report from a player would give it.
dll=$unpacked/Data/WOBK/Plugins/vantrel.dll
headers=$("$objdump" -p "$dll")
base=$(printf '%s\n' "$headers" | sed -n 's/^ImageBase[[:space:]]*\([0-9a-f]*\)$/\1/p')
ordinal=$(printf '%s\n' "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/ s/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\] WOBKPlugin_Load$/\1/p')
rva=$(printf '%s\n' "$headers" | sed -n "/Export Address Table -- Ordinal Base/,/^\$/ s/^[[:space:]]*\[[[:space:]]*$ordinal\] +base\[[[:space:]]*[0-9]*\] \([0-9a-f]*\) Export RVA\$/\1/p")
address=$(printf '0x%x' $((0x$base + 0x$rva)))
read_back=$("$addr2line" -f -e "$dist/symbols/vantrel.dll.debug" "$address" | tr '\n' ' ')
case $read_back in
  "VantrelLoad "*exports.cpp:[0-9]*) ;;
  *) fail "the symbol file reads $address as: $read_back" ;;
esac
[ $status -ne 0 ] || echo "shipped stripped, $address read back as $read_back"
exit $status
