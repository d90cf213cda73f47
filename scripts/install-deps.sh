#!/usr/bin/env bash
# Installs the packages the build and the tests need, only those that are missing.
set -euo pipefail
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev libeigen3-dev
  g++-mingw-w64-i686-posix gcc-multilib g++-multilib wine wine32:i386
  nlohmann-json3-dev librsvg2-bin python3
  valgrind  # callgrind: the instruction counts of make bench, and its header for bench/figures
  clang libclang-rt-14-dev  # clang and its libFuzzer runtime: the fuzz preset
  neovim  # its own language client drives `vantrel lsp` in the tests
  nodejs)  # the VS Code extension's grammar tests and packaging (npm below)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
# wine32 is an i386 package: the architecture must be known before apt-get update.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
# npm: Debian's package, unless a Node.js that brings its own npm is installed.
command -v npm >/dev/null 2>&1 || dpkg -s npm >/dev/null 2>&1 || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# Where i386 code is emulated, Wine's 64-bit wineserver runs natively, which makes a fresh
# Wine prefix about three times faster to create. The build fetches qemu itself
# (cmake/I386Route.cmake).
probe=$(sh "$(dirname "$0")/i386-probe.sh") || true
echo "i386 code on this machine: $probe${VANTREL_I386:+ (VANTREL_I386=$VANTREL_I386)}"
if { [ "$probe" != "native" ] || [ "${VANTREL_I386:-}" = "emulated" ]; } &&
  ! dpkg -s wine64 >/dev/null 2>&1; then
  [ ${#missing[@]} -gt 0 ] || $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq wine64
fi
