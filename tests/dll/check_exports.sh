#!/bin/sh
# vantrel.dll exports exactly WOBKPlugin_Query and WOBKPlugin_Load, undecorated, and imports
# only system DLLs.
objdump=$1
dll=$2
headers=$("$objdump" -p "$dll") || exit 1

exports=$(printf '%s\n' "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\] //p' | sort | tr '\n' ' ')
if [ "$exports" != "WOBKPlugin_Load WOBKPlugin_Query " ]; then
  echo "unexpected exports: $exports"
  exit 1
fi

status=0
for name in $(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
  case $(printf '%s' "$name" | tr 'A-Z' 'a-z') in
    kernel32.dll|user32.dll|msvcrt.dll|advapi32.dll|ntdll.dll|ucrtbase.dll|api-ms-win-*) ;;
    *) echo "imports a non-system DLL: $name"; status=1 ;;
  esac
done
echo "exports: $exports"
exit $status
