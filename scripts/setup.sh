#!/usr/bin/env bash
# Installs everything Quillmate needs to build and test on a fresh Debian 12 machine (run as root).
set -euo pipefail
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
  wine wine32:i386 wine64 fonts-wine g++-mingw-w64-i686-posix cmake make googletest g++ \
  libxfixes3:i386 libxrender1:i386 libxi6:i386 libxrandr2:i386 libxcursor1:i386 \
  libxinerama1:i386 libxcomposite1:i386 libxxf86vm1:i386 \
  xvfb xauth xclip xdotool x11-utils imagemagick picom openbox python3 python3-pil >/dev/null
