#!/usr/bin/env bash
# Fails on an #include that breaks the layer order; docs/design.md ("The layers") says why.
# Layers, lowest first: host, base, values, camera, profiles, config, plugin; a file may
# include from its own layer and lower ones. sim/ implements host.h and includes nothing of the
# core but host/.
# tools/, tests/ and bench/ sit on top and are not checked.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
  case "$1" in
    host) echo 0 ;; base) echo 1 ;; values) echo 2 ;; camera) echo 3 ;;
    profiles) echo 4 ;; config) echo 5 ;; plugin) echo 6 ;; *) echo -1 ;;
  esac
}

status=0
while IFS= read -r file; do
  case "$file" in
    src/*) layer=$(echo "$file" | cut -d/ -f2); own=$(rank "$layer") ;;
    sim/*) layer=sim; own=0 ;;
  esac
  if [ "$own" -lt 0 ]; then
    echo "$file: not in any layer"
    status=1
    continue
  fi
  while IFS=: read -r line included; do
    # A name without a folder is a neighbour in the same folder.
    case "$included" in */*) ;; *) continue ;; esac
    target=$(rank "${included%%/*}")
    if [ "$target" -lt 0 ] || [ "$target" -gt "$own" ]; then
      echo "$file:$line: $layer includes $included"
      status=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
             sed -E 's/^([0-9]+):[^"]*"([^"]*)".*/\1:\2/')
done < <(find src sim -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.S' \) | sort)

if [ "$status" -ne 0 ]; then
  echo "layer order broken (host < base < values < camera < profiles < config < plugin)"
fi
exit "$status"
