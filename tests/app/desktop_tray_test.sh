#!/usr/bin/env bash
# The program in the notification area of a virtual desktop, used as a person would: its icon is
# docked; a right click opens the menu at the cursor; minimising hides the window and its taskbar
# entry; a double click on the icon brings it back; "Автозагрузка" writes the autostart entry and
# the next start ends in the tray; a restarted tray host gets the icon back; "Выход" ends the
# program. Without a notification area, minimising keeps the window on the taskbar and says so,
# and the icon docks when a tray host appears later. Screenshots are kept in the artefacts folder.
# With autostart on, a start that asks about the previous version's settings ends in the tray
# as well once the question is answered.
#   desktop_tray_test.sh TICKWELL_EXECUTABLE ARTEFACTS_DIR TICKWELL_REG_EXECUTABLE
set -euo pipefail

program=$(readlink -f "$1")
artefacts=$2
reg_tool=$3
# shellcheck source=../support/desktop_program.sh
source "$(cd "$(dirname "$0")" && pwd)/../support/desktop_program.sh"

entry=$XDG_CONFIG_HOME/autostart/tickwell2.desktop

# Waits up to 20 s for CONDITION (a command) to hold.
wait_until() { desktop_wait_until 20 "$@"; }

is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
is_unmapped() { ! is_viewable "$1"; }
# A window the window manager lists as a client has a taskbar entry.
on_taskbar() { xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$1")"; }
not_on_taskbar() { ! on_taskbar "$1"; }

# The program's icon docked in the notification area: a small window of the process inside the
# tray host's window. Its id goes to $icon, its centre to $icon_x/$icon_y.
docked_icon_of() {
    local pid=$1 id
    for id in $(xdotool search --pid "$pid" 2>/dev/null); do
        is_viewable "$id" || continue
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$WIDTH" -le 64 ] && [ "$HEIGHT" -le 64 ] &&
            xwininfo -tree -id "$id" | grep -q 'Parent window id: .*(has no name)' &&
            ! xwininfo -tree -id "$id" | grep -q 'Parent window id: .*(the root window)'; then
            icon=$id
            icon_x=$((X + WIDTH / 2))
            icon_y=$((Y + HEIGHT / 2))
            return 0
        fi
    done
    return 1
}
wait_for_icon() { wait_until docked_icon_of "$1" || fail "the icon is not in the notification area"; }

# Right-clicks the icon and waits for a new window of the process: the menu, its id in $menu.
# Right after a minimise the menu may close at once; the click is then repeated.
open_menu() {
    local pid=$1 attempt before id
    for attempt in 1 2 3; do
        docked_icon_of "$pid" || wait_for_icon "$pid"
        before=$(xdotool search --onlyvisible --pid "$pid" | sort)
        xdotool mousemove "$icon_x" "$icon_y" click 3
        for _ in $(seq 40); do
            sleep 0.05
            id=$(comm -13 <(printf '%s\n' "$before") \
                <(xdotool search --onlyvisible --pid "$pid" | sort) | head -n 1)
            if [ -n "$id" ]; then
                menu=$id
                sleep 0.2
                return 0
            fi
        done
    done
    fail "a right click on the icon opened no menu"
}

# Chooses a menu item from below: 1 = "Выход", 2 = "Автозагрузка".
choose_from_bottom() {
    local keys=() i
    for ((i = 0; i < $1; i++)); do keys+=(Up); done
    xdotool key "${keys[@]}" Return
}

# Double-clicks the icon where it is now until WINDOW is on screen (a tray host that has just
# docked the icon may still be placing it).
double_click_icon_until_shown() {
    local pid=$1 window=$2 attempt
    for attempt in 1 2 3; do
        docked_icon_of "$pid" || wait_for_icon "$pid"
        xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
        if desktop_wait_until 5 is_viewable "$window"; then
            return 0
        fi
    done
    return 1
}

# Whether every window of the process but the docked icon is off the screen and off the
# taskbar: a start that ends in the tray may not even have made its main window yet.
nothing_but_the_icon_shown() {
    local pid=$1 id
    docked_icon_of "$pid" || return 1
    for id in $(xdotool search --pid "$pid" 2>/dev/null); do
        [ "$id" != "$icon" ] || continue
        is_unmapped "$id" && not_on_taskbar "$id" || return 1
    done
}

# Double-clicks the icon until the main window is on screen; its id goes to $main.
restore_main_window() {
    local pid=$1 attempt
    for attempt in 1 2 3; do
        docked_icon_of "$pid" || wait_for_icon "$pid"
        xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
        if main=$(desktop_wait_window '^Tickwell v2\.0$' 5); then
            return 0
        fi
    done
    return 1
}

# 1. The first start: the window on screen and the icon in the notification area.
start_program tray.log
pid=$started
main=$(desktop_wait_window '^Tickwell v2\.0$' 30) || fail "the main window did not appear"
wait_for_icon "$pid"
desktop_screenshot "$artefacts/icon-docked.png"

# 2. A right click opens the menu at the cursor (moved left only as far as the screen needs);
# Escape closes it and the next right click opens it again.
open_menu "$pid"
eval "$(xdotool getwindowgeometry --shell "$menu")"
[ "$Y" -ge "$icon_y" ] && [ "$Y" -le $((icon_y + 2)) ] || fail "the menu's top is at $Y, the cursor at $icon_y"
[ $((X + WIDTH)) -le 1280 ] && [ "$X" -le "$icon_x" ] || fail "the menu is at $X (width $WIDTH), the cursor at $icon_x"
desktop_screenshot "$artefacts/menu.png"
xdotool key Escape
wait_until is_unmapped "$menu" || fail "Escape did not close the menu"
open_menu "$pid"
xdotool key Escape
wait_until is_unmapped "$menu" || fail "Escape did not close the menu the second time"

# 3. Minimising hides the window and its taskbar entry; the icon stays.
xdotool windowminimize "$main"
wait_until is_unmapped "$main" || fail "minimising did not hide the window"
wait_until not_on_taskbar "$main" || fail "the hidden window kept its taskbar entry"
docked_icon_of "$pid" || fail "the icon left the notification area"
desktop_screenshot "$artefacts/hidden-in-tray.png"

# 4. A double click on the icon brings the window back.
double_click_icon_until_shown "$pid" "$main" || fail "a double click did not bring the window back"
wait_until on_taskbar "$main" || fail "the restored window has no taskbar entry"

# 5. "Автозагрузка" writes the autostart entry with this executable's path; "Выход" ends the
# program.
open_menu "$pid"
choose_from_bottom 2
wait_until test -f "$entry" || fail "\"Автозагрузка\" wrote no autostart entry"
grep -qxF "Exec=\"$program\"" "$entry" || fail "the autostart entry does not name $program"
desktop-file-validate "$entry" || fail "the autostart entry is not a valid desktop entry"
open_menu "$pid"
choose_from_bottom 1
wait_for_exit "$pid" || fail "\"Выход\" did not end the program"
[ "$status" = 0 ] || fail "the program ended with status $status"

# 6. With autostart on, a start ends with no visible window and the icon in the tray, and the
# entry names the executable just started.
sed -i 's|^Exec=.*|Exec="/old/place/tickwell"|' "$entry"
start_program autostart.log
pid=$started
wait_for_icon "$pid"
wait_until nothing_but_the_icon_shown "$pid" || fail "a start with autostart on left a window on screen"
sleep 0.5
nothing_but_the_icon_shown "$pid" || fail "a window came out after the start"
grep -qxF "Exec=\"$program\"" "$entry" || fail "the start did not renew the autostart entry"
desktop_screenshot "$artefacts/autostart-in-tray.png"

# 6b. With autostart on and the previous version's settings present, the start asks whether to
# clear them; answered "Нет" (Escape is the box's "Нет"), the start still ends in the tray, the
# window never on the taskbar. The question comes again at every start, so this is every log-on.
open_menu "$pid"
choose_from_bottom 1
wait_for_exit "$pid" || fail "\"Выход\" did not end the program"
"$reg_tool" add 'HKLM\SOFTWARE\Tickwell' /f >/dev/null || fail "could not add the previous version's key"
start_program autostart-question.log
pid=$started
question=$(desktop_wait_window '^Tickwell v2\.0$' 30) || fail "no question about the previous version"
desktop_screenshot "$artefacts/autostart-question.png"
xdotool windowactivate --sync "$question" key Escape
wait_until is_unmapped "$question" || fail "the question did not close"
wait_for_icon "$pid"
sleep 0.5
nothing_but_the_icon_shown "$pid" || fail "after the question a window is on screen or on the taskbar"
"$reg_tool" query 'HKLM\SOFTWARE\Tickwell' >/dev/null || fail "\"Нет\" removed the previous version's key"
"$reg_tool" delete 'HKLM\SOFTWARE\Tickwell' /f >/dev/null # no more questions in the steps below
desktop_screenshot "$artefacts/autostart-after-question.png"

# 7. The tray host dies and another starts: the icon is docked again.
old_icon=$icon
desktop_stop_tray
desktop_start_tray
wait_until docked_icon_of "$pid" || fail "the icon did not come back after the tray host restarted"
desktop_screenshot "$artefacts/icon-after-tray-restart.png"
restore_main_window "$pid" || fail "a double click after the tray restart did not restore"
echo "icon window before and after the tray restart: $old_icon, $icon"

# Autostart off again ("Автозагрузка" unchecks and removes the entry), then "Выход".
open_menu "$pid"
choose_from_bottom 2
wait_until test ! -e "$entry" || fail "unchecking \"Автозагрузка\" left the entry"
open_menu "$pid"
choose_from_bottom 1
wait_for_exit "$pid" || fail "\"Выход\" did not end the program"

# 8. No notification area: minimising keeps the window on the taskbar and tells the user.
desktop_stop_tray
start_program no-tray.log
pid=$started
main=$(desktop_wait_window '^Tickwell v2\.0$' 30) || fail "the main window did not appear"
xdotool windowminimize "$main"
wait_until is_unmapped "$main" || fail "the window did not minimise"
message=$(desktop_wait_window '^Tickwell v2\.0$' 20) || fail "minimising without a tray said nothing"
[ "$message" != "$main" ] || fail "the message is the main window"
[ "$(xdotool getwindowpid "$message")" = "$pid" ] || fail "the message is not the program's"
on_taskbar "$main" || fail "without a notification area the window lost its taskbar entry"
desktop_screenshot "$artefacts/no-tray-message.png"
xdotool windowactivate --sync "$message" key Return
wait_until is_unmapped "$message" || fail "the message did not close"

# The tray host appears: the icon docks, and minimising now hides into it.
desktop_start_tray
wait_for_icon "$pid"
xdotool windowactivate --sync "$main"
wait_until is_viewable "$main" || fail "the window did not come back from the taskbar"
xdotool windowminimize "$main"
wait_until not_on_taskbar "$main" || fail "with a tray host present, minimising did not hide"
desktop_screenshot "$artefacts/tray-appeared.png"
open_menu "$pid"
choose_from_bottom 1
wait_for_exit "$pid" || fail "\"Выход\" did not end the program"
[ "$status" = 0 ] || fail "the program ended with status $status"

echo "desktop tray test passed; screenshots in $artefacts"
