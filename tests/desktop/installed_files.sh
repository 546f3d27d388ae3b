# Checks shared by the install test and the package test: what an install puts under a prefix
# (a folder holding bin/ and share/). Sourced; each check ends the script with a FAIL line.
# shellcheck shell=bash

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Width and height of a PNG file from its header, or a failure when it is not a PNG file.
png_size() {
  [[ $(od -An -tx1 -N8 "$1" | tr -d ' \n') == 89504e470d0a1a0a ]] || return 1
  od -An -tu4 --endian=big -j16 -N8 "$1" | xargs
}

# check_installed PREFIX WITH_WINDOW(ON|OFF) APP_ID
# quiltane-cli that runs and its manual page; with the window, quiltane, its menu entry and its
# metainfo file (both named by the application's id, and valid where desktop-file-validate and
# appstreamcli are installed) and its icon at every size.
check_installed() {
  local prefix=$1 window=$2 app_id=$3
  [[ -x $prefix/bin/quiltane-cli ]] || fail "bin/quiltane-cli is not installed"
  "$prefix/bin/quiltane-cli" --help >/dev/null || fail "the installed quiltane-cli does not run"
  local man_page=$prefix/share/man/man1/quiltane-cli.1
  grep -q '^\.TH QUILTANE-CLI ' "$man_page" || fail "no manual page at $man_page"
  grep -qF -- '\-\-press' "$man_page" || fail "the manual page lacks the --help text's actions"
  [[ $window == ON ]] || return 0

  [[ -x $prefix/bin/quiltane ]] || fail "bin/quiltane is not installed"
  local entry=$prefix/share/applications/$app_id.desktop
  [[ -f $entry ]] || fail "no menu entry at $entry"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the menu entry is not valid"
  fi
  grep -qx 'Icon=quiltane' "$entry" || fail "the menu entry does not name the icon"
  local metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
  [[ -f $metainfo ]] || fail "no metainfo file at $metainfo"
  if command -v appstreamcli >/dev/null; then
    local report
    report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "the metainfo file is not valid: $report"
  fi
  local size icon
  for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/quiltane.png
    [[ $(png_size "$icon") == "$size $size" ]] || fail "$icon is not a $size x $size PNG file"
  done
}
