#!/usr/bin/env bash
# Installs the build into a temporary prefix (with a blank in its name) as make install does,
# checks that the programs, the manual page and, with the window, its menu entry and icons are
# there and sound, then removes them with make uninstall's script and checks no file is left.
#   install_test.sh BUILD_DIR SOURCE_DIR WITH_WINDOW(ON|OFF)
set -euo pipefail
build=$1 source=$2 window=$3
prefix=$(mktemp -d "${TMPDIR:-/tmp}/quiltane install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Installing the one component writes install_manifest_quiltane.txt, not make install's manifest.
cmake --install "$build" --prefix "$prefix" --component quiltane >/dev/null
manifest=$build/install_manifest_quiltane.txt

[[ -x $prefix/bin/quiltane-cli ]] || fail "bin/quiltane-cli is not installed"
"$prefix/bin/quiltane-cli" --help >/dev/null || fail "the installed quiltane-cli does not run"
man_page=$prefix/share/man/man1/quiltane-cli.1
grep -q '^\.TH QUILTANE-CLI ' "$man_page" || fail "no manual page at $man_page"
grep -qF -- '\-\-press' "$man_page" || fail "the manual page lacks the --help text's actions"

# Width and height of a PNG file from its header, or a failure when it is not a PNG file.
png_size() {
  [[ $(od -An -tx1 -N8 "$1" | tr -d ' \n') == 89504e470d0a1a0a ]] || return 1
  od -An -tu4 --endian=big -j16 -N8 "$1" | xargs
}

if [[ $window == ON ]]; then
  [[ -x $prefix/bin/quiltane ]] || fail "bin/quiltane is not installed"
  entry=$prefix/share/applications/quiltane.desktop
  [[ -f $entry ]] || fail "no menu entry at $entry"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the menu entry is not valid"
  fi
  grep -qx 'Icon=quiltane' "$entry" || fail "the menu entry does not name the icon"
  for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/quiltane.png
    [[ $(png_size "$icon") == "$size $size" ]] || fail "$icon is not a $size x $size PNG file"
  done
fi

cmake -DMANIFEST="$manifest" -P "$source/desktop/uninstall.cmake" >/dev/null
left=$(find "$prefix" ! -type d)
[[ -z $left ]] || fail "uninstall left: $left"
echo "installed and removed: $(grep -c "" "$manifest") files"
