#!/usr/bin/env bash
# Neovim (headless, no configuration, no plug-ins) with its own language client on a copy of
# neovim.vantrel, which the test edits.
# usage: neovim_client.sh VANTREL
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/neovim.vantrel" "$work/Vantrel.txt"
VANTREL=$1 CONFIG=$work/Vantrel.txt HOME=$work timeout 120 \
  nvim --headless --clean -c "luafile $here/neovim_client.lua" 2>&1 </dev/null
