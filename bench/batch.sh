#!/usr/bin/env bash
# A batch of skins, quiltane-cli --each against ImageMagick's mogrify doing the same work on the
# same 200 skins: the cookie cutter "Bikini 402" (the bikini's outfit mask) then "Med Fem" (the
# medium female body fill). Both run in a folder of the build folder, on its disk, and again on
# a tmpfs where one can be had; the outputs are checked pixel for pixel; the time per skin of
# each and their ratio are printed (the aim: quiltane-cli at most 0.1 of mogrify's time).
#
#   bench/batch.sh [BUILD]     BUILD: the build folder whose bin/quiltane-cli is timed
#                              (default build-release); the skins are made in BUILD/batch-bench
#   ROUNDS=N bench/batch.sh    timed runs of each program, the best counted (default 5)
#
# The same work in ImageMagick: "Bikini 402" ORs the mask into the skin (white outside the
# garment) and writes the inverted mask into the source canvas; "Med Fem" ORs the body into
# that canvas and ANDs the canvas into the skin. The mask is pure black and white, so per
# channel the OR with it is the larger value (Lighten) and the AND with "NOT mask OR body" the
# smaller (Darken). mogrify gets "NOT mask OR body" made once beforehand, so it composes two
# pictures per skin where quiltane-cli paints four. quiltane-cli also flushes its files to disk
# before it renames them into place; mogrify writes them without a flush.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-release}" && pwd)
cli=$build/bin/quiltane-cli
rounds=${ROUNDS:-5}
skins=200
work=$build/batch-bench
[[ -x $cli ]] || { echo "No $cli: build it first (make bench)." >&2; exit 1; }

have_magick=0
command -v mogrify >/dev/null && command -v compare >/dev/null && have_magick=1

# The inputs: 24-bit clothed skins, each a bare body with a band of another body's rows
# across it, the band's place and height different for every skin.
make_skins() {
    local folder=$1 bodies=(imgLightBody imgMedBody imgDarkBody)
    local bands=("Light Fem Body" "Med Fem Body" "Dark Fem Body") args=() i top
    for ((i = 0; i < skins; i++)); do
        top=$((i * 7 % 230))
        args+=(--dest "$root/assets/${bodies[i % 3]}.bmp" --mark "$top" --mark $((top + 5 + i % 20))
               --press "${bands[(i + 1) % 3]}" --save "$folder/$(printf 'skin%03d.bmp' "$i")")
    done
    "$cli" "${args[@]}"
}

# Runs a command that writes into a new, empty folder (made here), after everything written
# before is flushed, so that neither program waits for the other's data; prints the seconds it
# took, on the clock and of processor time (user and system, all threads). The folders of all
# runs are kept until the figures are taken: removing files just before a run would make the
# next file creations slower on some file systems (ext4 without a journal passes over recently
# freed inodes).
timed() {
    mkdir -p "$2" && sync
    local TIMEFORMAT='%R %U %S' times
    times=$({ time "$@" >/dev/null 2>&1; } 2>&1)
    awk '{ printf "%s %.6f\n", $1, $2 + $3 }' <<<"$times"
}

# The least of the numbers in column (1: the clock, 2: processor time) of the lines.
best() { awk -v c="$1" 'NR == 1 || $c < m { m = $c } END { print m }' <<<"$2"; }

# Each program's run: the output folder, then the folder with in/ and the pictures.
run_quiltane() {
    "$cli" --each "$2"/in/*.bmp --out "$1" --press "Bikini 402" --press "Med Fem"
}

run_mogrify() {
    mogrify -path "$1" -define bmp:format=bmp3 -type TrueColor \
        -draw "image Lighten 0,0 0,0 '$2/mask.bmp'" -draw "image Darken 0,0 0,0 '$2/cutbody.bmp'" "$2"/in/*.bmp
}

# Whether both wrote the same pixels (in their first runs): the pixel bytes of two 24-bit
# files of one layout, else ImageMagick's count of differing pixels.
same_pixels() {
    local ours=$1/quiltane.0 theirs=$1/mogrify.0 file name differ
    for file in "$ours"/*.bmp; do
        name=$(basename "$file")
        [[ -f $theirs/$name ]] || { echo "mogrify wrote no $name"; return 1; }
        if [[ $(stat -c %s "$file") == "$(stat -c %s "$theirs/$name")" ]] &&
            cmp -s <(tail -c +55 "$file") <(tail -c +55 "$theirs/$name"); then
            continue
        fi
        differ=$(compare -metric AE "$file" "$theirs/$name" null: 2>&1 || true)
        [[ $differ == 0 ]] || { echo "$name: $differ pixels differ"; return 1; }
    done
}

# Milliseconds a skin from seconds for the whole batch; and a ratio.
per_skin() { awk -v s="$1" -v n="$skins" 'BEGIN { printf "%.3f", s * 1000 / n }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

# Times both programs in dir (inputs in dir/in); prints one line of figures.
measure() {
    local dir=$1 label=$2 q="" m="" r
    for ((r = 0; r < rounds; r++)); do
        q+="$(timed run_quiltane "$dir/quiltane.$r" "$dir")"$'\n'
        ((have_magick)) && m+="$(timed run_mogrify "$dir/mogrify.$r" "$dir")"$'\n'
    done
    q=${q%$'\n'} m=${m%$'\n'}
    [[ $(ls "$dir/quiltane.0" | wc -l) == "$skins" ]] || { echo "quiltane-cli failed in $dir" >&2; return 1; }
    local qClock qCpu
    qClock=$(best 1 "$q") qCpu=$(best 2 "$q")
    if ((have_magick)); then
        local mClock mCpu check="same pixels"
        mClock=$(best 1 "$m") mCpu=$(best 2 "$m")
        same_pixels "$dir" >"$dir/check.txt" || check="DIFFERENT PIXELS: $(cat "$dir/check.txt")"
        printf '%-24s %9s %9s %7s   %9s %9s %7s   %s\n' "$label" "$(per_skin "$qClock")" "$(per_skin "$mClock")" \
            "$(ratio "$qClock" "$mClock")" "$(per_skin "$qCpu")" "$(per_skin "$mCpu")" "$(ratio "$qCpu" "$mCpu")" \
            "$check"
    else
        printf '%-24s %9s %9s %7s   %9s\n' "$label" "$(per_skin "$qClock")" "-" "-" "$(per_skin "$qCpu")"
    fi
    rm -rf "$dir"/quiltane.* "$dir"/mogrify.*
}

# dir/in holding the skins (made, or copied from another folder's in/), and for mogrify the
# mask and "NOT mask OR body" as 24-bit files.
prepare() {
    local dir=$1 from=${2:-}
    rm -rf "$dir" && mkdir -p "$dir/in"
    if [[ -z $from ]]; then make_skins "$dir/in"; else cp "$from/in"/*.bmp "$dir/in/"; fi
    if ((have_magick)); then
        convert "$root/assets/imgBikini.bmp" -type TrueColor "BMP3:$dir/mask.bmp"
        convert "$dir/mask.bmp" -negate "$root/assets/imgMedBody.bmp" -compose Lighten -composite \
            -type TrueColor "BMP3:$dir/cutbody.bmp"
    fi
}

fileSystem() { findmnt -no FSTYPE -T "$1" 2>/dev/null || stat -f -c %T "$1"; }

mkdir -p "$work"
echo "quiltane-cli --each against mogrify: $skins skins, \"Bikini 402\" then \"Med Fem\", 24-bit files;"
echo "$(nproc) processors, quiltane-cli on $(nproc) threads; ms a skin, the best of $rounds runs of each."
((have_magick)) || echo "ImageMagick (mogrify, compare) is not installed: only quiltane-cli is timed."
printf '%-24s %9s %9s %7s   %9s %9s %7s\n' "" "clock:" "" "" "processor:" "" ""
printf '%-24s %9s %9s %7s   %9s %9s %7s\n' "" "quiltane" "mogrify" "ratio" "quiltane" "mogrify" "ratio"

prepare "$work/disk"
measure "$work/disk" "disk ($(fileSystem "$work"))"

# A tmpfs of our own where we may mount one, else a folder in /dev/shm.
tmpfs="" mounted=0
cleanup() {
    if ((mounted)); then umount "$work/tmpfs"; elif [[ -n $tmpfs ]]; then rm -rf "$tmpfs"; fi
}
trap cleanup EXIT
if [[ $(id -u) == 0 ]] && mkdir -p "$work/tmpfs" &&
    mount -t tmpfs -o size=1g quiltane-bench "$work/tmpfs" 2>/dev/null; then
    tmpfs=$work/tmpfs mounted=1
elif [[ -d /dev/shm && $(fileSystem /dev/shm) == tmpfs ]]; then
    tmpfs=$(mktemp -d /dev/shm/quiltane-batch.XXXXXX)
fi
if [[ -n $tmpfs ]]; then
    prepare "$tmpfs/run" "$work/disk"
    measure "$tmpfs/run" "tmpfs ($( ((mounted)) && echo mounted || echo /dev/shm))"
else
    echo "No tmpfs could be mounted and there is no /dev/shm: the tmpfs figures are left out."
fi
