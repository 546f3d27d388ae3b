#!/usr/bin/env bash
# Installs the Debian packages the project needs, skipping those already present.
#   scripts/install-deps.sh          build, run and test
#   scripts/install-deps.sh fuzz     also clang and its sanitizer runtime with libFuzzer, for make fuzz
#                                    (which .ci/run runs)
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev libgl-dev
  libfontconfig-dev # the program reads the font configuration while the application starts
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev # reads and writes PNG skins; the tests read the BMP suite's PNG reference images
  libimagequant-dev # reduces skins of many colours to 256 for the 8-bit save
  fonts-liberation fonts-dejavu-core
  xvfb xauth # xvfb-run: the window on a machine without a display
  help2man # the manual page of quiltane-cli, made from its --help text
  desktop-file-utils # the install test validates the menu entry
  dpkg-dev file # make deb: dpkg-shlibdeps works out the package's Depends, reading the programs with file
  appstream # appstreamcli: the tests validate the metainfo file software centres read
)
if [[ "${1:-}" == fuzz ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
