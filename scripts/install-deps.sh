#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and this
# machine lacks (Debian 12). Nothing is missing: nothing to do, for any user.
# Something is missing: root installs it; another user through sudo, asked
# for a password only at a terminal; without either it names the command.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest valgrind
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xserver-xephyr xdotool x11-utils imagemagick fonts-wqy-zenhei
  python3 python3-pytest python3-pil e2fsprogs zip procps time
  wixl msitools osslsigncode openssl libxml2-utils
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi
echo "Missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=(env DEBIAN_FRONTEND=noninteractive)
elif command -v sudo >/dev/null && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
  as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
else
  echo "Installing them needs root. As root, run:" >&2
  echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
