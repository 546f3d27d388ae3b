#!/usr/bin/env bash
# Installs the build into a temporary prefix (with a blank in its name) as make install does,
# checks that the programs, the manual page and, with the window, its menu entry, metainfo file
# and icons are there and sound, then removes them with make uninstall's script and checks no
# file is left.
#   install_test.sh BUILD_DIR SOURCE_DIR WITH_WINDOW(ON|OFF) APP_ID
set -euo pipefail
build=$1 source=$2 window=$3 app_id=$4
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/installed_files.sh"
prefix=$(mktemp -d "${TMPDIR:-/tmp}/quiltane install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

# Installing the one component writes install_manifest_quiltane.txt, not make install's manifest.
cmake --install "$build" --prefix "$prefix" --component quiltane >/dev/null
manifest=$build/install_manifest_quiltane.txt

check_installed "$prefix" "$window" "$app_id"

cmake -DMANIFEST="$manifest" -P "$source/desktop/uninstall.cmake" >/dev/null
left=$(find "$prefix" ! -type d)
[[ -z $left ]] || fail "uninstall left: $left"
echo "installed and removed: $(grep -c "" "$manifest") files"
