#!/bin/sh
# vantrel.dll carries a version resource that names the product and the project version, so
# that the file's properties in Windows say what it is.
# usage: check_version.sh DLL VERSION
dll=$1
version=$2
# The resource's strings are UTF-16: each key is followed by its value.
strings="|$(strings -e l "$dll" | tr '\n' '|')"
status=0
for pair in "ProductName|Vantrel|" "FileVersion|$version|" "ProductVersion|$version|" \
  "OriginalFilename|vantrel.dll|"; do
  case $strings in
    *"|$pair"*) ;;
    *) echo "version resource lacks ${pair%%|*} = $(echo "$pair" | cut -d'|' -f2)"; status=1 ;;
  esac
done
exit $status
