#!/bin/sh
# Fetches qemu-i386 from Debian's backports suite (package qemu-user, whose qemu-i386 is
# static) into DIR/qemu-i386, for machines that cannot run i386 code. Nothing is installed:
# apt reads a private source list and keeps its lists in DIR, and /etc/apt is left as it is.
# The mirror is the one this machine's own sources use.
# usage: fetch-qemu.sh DIR
set -eu
dir=$1
[ -x "$dir/qemu-i386" ] && exit 0
. /etc/os-release
suite=${VERSION_CODENAME:?}-backports
mirror=$(apt-get indextargets --no-release-info --format '$(REPO_URI)' \
  "Release: $VERSION_CODENAME" 'Identifier: Packages' | head -n 1)
if [ -z "$mirror" ]; then
  echo "no apt source for $VERSION_CODENAME to take the mirror from" >&2
  exit 1
fi
work="$dir/apt"
rm -rf "$work"
mkdir -p "$work/lists/partial" "$work/cache"
echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
  >"$work/sources.list"
apt() {
  "$@" -q -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null \
    -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts=/dev/null \
    -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" \
    -o APT::Architectures="$(dpkg --print-architecture)" -o Debug::NoLocking=1 \
    -o APT::Sandbox::User="$(id -un)"
}
echo "fetching qemu-user from $mirror $suite into $dir"
# On failure, the first error apt gave says why.
if ! apt apt-get update --error-on=any >"$work/log" 2>&1 ||
  ! (cd "$work" && apt apt-get download qemu-user >>log 2>&1); then
  grep -m 1 '^E:' "$work/log" >&2 || cat "$work/log" >&2
  exit 1
fi
dpkg-deb --fsys-tarfile "$work"/qemu-user_*.deb | tar -x -C "$work" ./usr/bin/qemu-i386
mv "$work/usr/bin/qemu-i386" "$dir/qemu-i386"
rm -rf "$work"
