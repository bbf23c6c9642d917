#!/usr/bin/env bash
# Installs what building, running and testing need, when it is missing (Debian 12, as root).
set -euo pipefail
pkgs=(cmake ninja-build ccache g++ clang pkg-config
      libdirectfb-dev libdirectfb-extra binutils-dev libiberty-dev
      libfreetype-dev libpng-dev libsdl2-dev fonts-dejavu-core
      googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The font the system registers lives below the working directory; ours is a free face.
top=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$top/fonts"
[ -e "$top/fonts/tt7268m_803.ttf" ] || cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$top/fonts/tt7268m_803.ttf"
