# A private virtual desktop: X server (Xvfb), session bus, window manager (openbox) and tray
# host (trayer). Used by the desktop tests and by scripts/run.sh on a machine without a display.
# Source this file, then:
#   desktop_start DIR   start everything, keeping its files in DIR; exports DISPLAY and
#                       DBUS_SESSION_BUS_ADDRESS. The screen is 1280 x 800 unless
#                       desktop_screen_size names another ("1920x1080") before the call
#   desktop_start_tray  start the tray host and wait until it owns the notification area
#   desktop_stop_tray   end the tray host (kill -9: as if it crashed)
#   desktop_stop        end every process desktop_start started, by its id
#   desktop_wait_window TITLE_REGEX [SECONDS]   print the id of a visible window whose title
#                       matches, waiting for it; fails after the time (default 20 s)
#   desktop_screenshot FILE   save the whole screen as a PNG

#   desktop_wait_until SECONDS COMMAND...   wait until COMMAND succeeds (polled every 50 ms);
#                       fails after the time

desktop_pids=()
desktop_dir=
bus_group= # the session bus's process group
tray_pid=
# Each part of the desktop gets 30 s to come up: a machine busy compiling or running other
# tests can be that slow.
desktop_start_seconds=30

desktop_wait_until() {
    local seconds=$1 tries=0
    shift
    until "$@"; do
        tries=$((tries + 1))
        [ $tries -le $((seconds * 20)) ] || return 1
        sleep 0.05
    done
}

# Whether the window manager runs. Now and then one started right after the X server cannot
# open the display and ends at once; it is then started again.
desktop_wm_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    if [ -z "${desktop_wm_pid:-}" ] || ! kill -0 "$desktop_wm_pid" 2>/dev/null; then
        openbox --config-file "$desktop_dir/openbox-rc.xml" >>"$desktop_dir/openbox.log" 2>&1 &
        desktop_wm_pid=$!
        desktop_pids+=($desktop_wm_pid)
    fi
    return 1
}

desktop_start() {
    local dir=$1
    desktop_dir=$dir
    mkdir -p "$dir"

    # The X server prints the display number it took once it accepts clients.
    : >"$dir/display"
    Xvfb -displayfd 3 -screen 0 "${desktop_screen_size:-1280x800}x24" -nolisten tcp \
        3>"$dir/display" \
        >"$dir/xvfb.log" 2>&1 &
    desktop_pids+=($!)
    desktop_wait_until $desktop_start_seconds test -s "$dir/display" || {
        echo "desktop: the X server did not start (see $dir/xvfb.log)" >&2
        return 1
    }
    export DISPLAY=":$(tr -d '[:space:]' <"$dir/display")"
    # Cyrillic typed by xdotool needs a Russian layout beside the US one.
    setxkbmap -layout us,ru >/dev/null 2>&1 || true

    # A session bus of our own, so nothing reaches the bus of the person who runs this. It runs
    # in a process group of its own: the services it starts on demand (the accessibility bus
    # among them) stay in that group and end with it.
    : >"$dir/bus"
    setsid dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$dir/bus" \
        >"$dir/dbus.log" 2>&1 &
    desktop_pids+=($!)
    bus_group=$!
    desktop_wait_until $desktop_start_seconds test -s "$dir/bus" || {
        echo "desktop: the session bus did not start (see $dir/dbus.log)" >&2
        return 1
    }
    export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$dir/bus")

    # Openbox without its iconify animation, and Alt+F4 closing a window as usual.
    cat >"$dir/openbox-rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme><animateIconify>no</animateIconify></theme>
  <keyboard><keybind key="A-F4"><action name="Close"/></keybind></keyboard>
</openbox_config>
XML
    desktop_wm_pid=
    desktop_wait_until $desktop_start_seconds desktop_wm_ready || {
        echo "desktop: the window manager did not start (see $dir/openbox.log)" >&2
        return 1
    }

    desktop_start_tray
}

desktop_tray_ready() { [ "$(tray_owner)" != none ]; }

desktop_start_tray() {
    trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
        --transparent false >>"$desktop_dir/trayer.log" 2>&1 &
    tray_pid=$!
    desktop_pids+=($tray_pid)
    desktop_wait_until $desktop_start_seconds desktop_tray_ready || {
        echo "desktop: the tray host did not start (see $desktop_dir/trayer.log)" >&2
        return 1
    }
}

desktop_stop_tray() {
    [ -n "$tray_pid" ] || return 0
    kill -9 "$tray_pid" 2>/dev/null || true
    wait "$tray_pid" 2>/dev/null || true
    tray_pid=
}

# The window that owns the notification area's selection on screen 0, or "none".
tray_owner() {
    python3 - <<'PY'
import ctypes, ctypes.util
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
d = x.XOpenDisplay(None)
owner = x.XGetSelectionOwner(d, x.XInternAtom(d, b"_NET_SYSTEM_TRAY_S0", 0)) if d else 0
print(hex(owner) if owner else "none")
PY
}

desktop_stop() {
    local i
    if [ -n "$bus_group" ]; then
        kill -- "-$bus_group" 2>/dev/null || true
        bus_group=
    fi
    for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do
        kill "${desktop_pids[$i]}" 2>/dev/null || true
    done
    for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do
        wait "${desktop_pids[$i]}" 2>/dev/null || true
    done
    desktop_pids=()
}

# Prints the id of a visible window whose title matches, if there is one.
desktop_visible_window() {
    local ids
    ids=$(LC_ALL=C.UTF-8 xdotool search --onlyvisible --name "$1" 2>/dev/null || true)
    [ -n "$ids" ] && printf '%s\n' "$ids" | head -n 1
}

desktop_wait_window() {
    desktop_wait_until "${2:-20}" desktop_visible_window "$1"
}

desktop_screenshot() {
    import -window root "$1"
}
