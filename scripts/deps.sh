#!/usr/bin/env bash
# Installs what building, running and testing need, when it is missing (Debian 12, as root).
set -euo pipefail
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
install_missing cmake ninja-build ccache g++ clang pkg-config \
  libdirectfb-dev libdirectfb-extra binutils-dev libiberty-dev \
  libfreetype-dev libpng-dev libsdl2-dev fonts-dejavu-core time \
  googletest libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev xvfb tzdata
# libFuzzer's runtime (the fuzz preset), which clang only recommends: the
# package that goes with the clang installed.
install_missing "libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev"
# The font the system registers; ours is a free face.
top=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$top/fonts"
[ -e "$top/fonts/tt7268m_803.ttf" ] || cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$top/fonts/tt7268m_803.ttf"
