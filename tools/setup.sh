#!/usr/bin/env bash
# One-time machine set-up for building and testing Torvin on Debian 12.
# Safe to run again: installs only what is missing and reuses the Wine prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 wine fonts-wine fonts-ipafont-gothic xvfb x11-utils imagemagick
  locales dovecot-pop3d curl zip unzip p7zip-full openssl
)
# The 32-bit release exe runs under Wine's i386 loader.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  packages+=(wine32:i386)
elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  packages+=(wine32:i386)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  # The packaged dovecot service is not wanted; tests start their own instances.
  if command -v systemctl >/dev/null 2>&1; then systemctl disable --now dovecot >/dev/null 2>&1 || true; fi
  pkill -x dovecot >/dev/null 2>&1 || true
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

"$here/wine-prefix.sh"
