#!/usr/bin/env bash
# Packs the build as make deb does, into a temporary folder, and checks the Debian package: its
# control fields (name, version, the machine's architecture, a Depends line worked out from the
# programs' libraries), that every file lies under /usr, and, unpacked into a temporary root,
# the same programs (stripped), manual page, menu entry, metainfo file and icons as an install,
# the metainfo valid for software centres with the menu entry it names beside it.
#   package_test.sh BUILD_DIR WITH_WINDOW(ON|OFF) APP_ID VERSION
set -euo pipefail
build=$1 window=$2 app_id=$3 version=$4
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/installed_files.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/quiltane package.XXXXXX")
trap 'rm -rf "$work"' EXIT

for tool in cpack dpkg-deb dpkg-shlibdeps file appstreamcli; do
  command -v $tool >/dev/null || fail "$tool is missing: scripts/install-deps.sh installs it"
done

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  fail "cpack did not make the package: $(cat "$work/cpack.log")"
packages=("$work"/*.deb)
[[ ${#packages[@]} -eq 1 && -f ${packages[0]} ]] || fail "cpack made no single package: ${packages[*]}"
deb=${packages[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == quiltane ]] || fail "the package is named '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "the package's version is '$(field Version)', not $version"
[[ $(field Architecture) == $(dpkg --print-architecture) ]] || fail "the package is for '$(field Architecture)'"
[[ -n $(field Maintainer) ]] || fail "the package names no maintainer"
depends=$(field Depends)
needed=(libc6 libstdc++6 libimagequant0)
[[ $window == ON ]] && needed+=(libqt6core6 libqt6gui6 libqt6widgets6)
# The package names in Depends, one a line, without their versions.
depended=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for library in "${needed[@]}"; do
  grep -qFx "$library" <<<"$depended" || fail "Depends lacks $library: $depends"
done

# Every file under /usr, none under the prefix make install uses or the build folder.
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./$' | grep -v '^\./usr/' || true)
[[ -z $outside ]] || fail "the package holds files outside /usr: $outside"

root=$work/root
dpkg-deb -x "$deb" "$root"
check_installed "$root/usr" "$window" "$app_id"
for program in "$root"/usr/bin/*; do
  [[ $(file -b "$program") != *"not stripped"* ]] || fail "$program is not stripped"
done
if [[ $window == ON ]]; then
  # Also checks that the menu entry the metainfo file names is in the package.
  report=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli rejects the package's files: $report"
fi
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) kB; Depends: $depends"
