#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine (idempotent).
set -euo pipefail
# Both Wine loaders: machines that cannot execute 32-bit programs run the 64-bit build's tests.
# clang and its runtime (libFuzzer, the sanitizers) build the fuzz targets; the soak reads the X
# server's resources with xrestop.
pkgs=(g++ cmake make python3 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386
      wine64 xvfb xcompmgr xdotool xclip imagemagick googletest x11-utils fonts-droid-fallback
      clang libclang-rt-14-dev xrestop)
need=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
[ ${#need[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}" >/dev/null
