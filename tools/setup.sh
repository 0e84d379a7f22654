#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, if any is missing.
set -euo pipefail

packages=(
    cmake make python3
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine64 xvfb xauth x11-utils
    googletest clang-format
    imagemagick xdotool xcompmgr
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
