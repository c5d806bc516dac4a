#!/usr/bin/env bash
# The slideshow from end to end in the real program on a private 1920 x 1080 desktop: three
# pictures added through the file dialog (a camera's "IMG_0003.JPG" among them), the second
# deleted from the disk, a period of 2 s and a time of 1 s. The window titled "Изображение"
# appears centred at the fitted size and shows the resampling tool's pixels, the message names
# the missing file, and the third picture follows. Screenshots are kept in the artefacts folder.
#   desktop_slideshow_test.sh TICKWELL_EXECUTABLE ARTEFACTS_DIR TICKWELL_RESAMPLE_EXECUTABLE
set -euo pipefail

program=$1
artefacts=$2
resample=$3
here=$(cd "$(dirname "$0")" && pwd)
desktop_screen_size=1920x1080
# shellcheck source=../support/desktop_program.sh
source "$here/../support/desktop_program.sh"

start_helper at-spi.log /usr/libexec/at-spi-bus-launcher --launch-immediately

driver() {
    /usr/bin/python3 "$here/desktop_slideshow.py" "$here/../support" "$@" >>"$work/driver.log" 2>&1 || {
        cat "$work/driver.log" >&2
        fail "the driver failed at: $*"
    }
}

# Photographs made here: a plasma cloud enlarged to the size wanted.
pictures=$work/pictures
mkdir -p "$pictures"
make_picture() { # NAME WIDTH HEIGHT SEED
    convert -size "$(($2 / 4))x$(($3 / 4))" -seed "$4" plasma:fractal -resize "$2x$3!" \
        -quality 90 "$pictures/$1"
}
make_picture first.jpg 2400 1600 3
make_picture second.jpg 1600 1200 5
make_picture IMG_0003.JPG 1000 700 7
echo "no picture" >"$pictures/notes.txt"
# What the tool makes of them for this screen: the expected pixels and sizes.
for name in first.jpg IMG_0003.JPG; do
    "$resample" "$pictures/$name" "$work/$name.ppm" --fit 1820x980
done
size_of() { identify -format '%w %h' "$work/$1.ppm"; }

# The image window's place and size as "X Y WIDTH HEIGHT", if it is on the screen.
image_window=
image_geometry() {
    local info
    info=$(xwininfo -id "$image_window" 2>/dev/null) || return 1
    grep -q 'Map State: IsViewable' <<<"$info" || return 1
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
         /^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print x, y, w, h}' <<<"$info"
}
# Waits for the image window showing a picture of the size of the tool's output NAME, checks
# that it is centred, and compares a screenshot of it with that output; true when it stayed on
# screen for the whole screenshot.
check_shown() { # NAME
    local name=$1 width height geometry x y
    read -r width height <<<"$(size_of "$name")"
    image_window=$(desktop_wait_window '^Изображение$' 20) || fail "no image window appeared"
    shown_at_size() { geometry=$(image_geometry) && [ "${geometry#* * }" = "$width $height" ]; }
    desktop_wait_until 5 shown_at_size || fail "$name is not shown at ${width}x$height ($geometry)"
    read -r x y _ _ <<<"$geometry"
    [ "$x $y" = "$(((1920 - width) / 2)) $(((1080 - height) / 2))" ] ||
        fail "$name is shown at $x,$y, not centred"
    /usr/bin/python3 "$here/grab_area.py" "$x" "$y" "$width" "$height" "$work/shot.ppm"
    image_geometry >/dev/null || return 1
    convert "$work/shot.ppm" "$artefacts/$name.png"
    local differing
    differing=$(compare -metric AE "$work/$name.ppm" "$work/shot.ppm" null: 2>&1) ||
        fail "$differing pixels of $name differ from the resampling tool's"
}

start_program slideshow.log QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
pid=$started
desktop_wait_window '^Tickwell v2\.0$' 30 >/dev/null || fail "the main window did not appear"

driver add "$pictures" first.jpg second.jpg IMG_0003.JPG -- notes.txt
rm "$pictures/second.jpg"
driver start 2 1
desktop_screenshot "$artefacts/images-tab.png"

# The first picture; on a machine too busy to take the screenshot within the second the
# picture stays, it is taken at the next round.
for round in 1 2 3; do
    if check_shown first.jpg; then
        break
    fi
    [ "$round" -lt 3 ] || fail "the first picture never stayed long enough for a screenshot"
    driver answer 'Изображение "second.jpg" не найдено!'
    check_shown IMG_0003.JPG || true
done
desktop_wait_until 5 eval '! image_geometry >/dev/null' || fail "the picture did not go away"

desktop_wait_window '^Ошибка$' 20 >/dev/null || fail "no message about the missing file"
desktop_screenshot "$artefacts/missing-file.png"
driver answer 'Изображение "second.jpg" не найдено!'
check_shown IMG_0003.JPG || fail "the third picture did not stay its second"

kill "$pid"
wait_for_exit "$pid" || fail "the program did not end"
echo "desktop slideshow test passed; screenshots in $artefacts"
