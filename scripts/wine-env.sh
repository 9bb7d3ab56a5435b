# Sourced by the scripts that run Windows programs: a private Wine prefix under the build
# tree and an Xvfb of our own on a free display. Nothing outside the build tree is touched.
#   ZAVODO_BUILD   build tree root (default: <repo>/build)

_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ZAVODO_ROOT=$(cd "$_here/.." && pwd)
ZAVODO_BUILD=${ZAVODO_BUILD:-$ZAVODO_ROOT/build}
export WINEPREFIX=$ZAVODO_BUILD/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Starts Xvfb on the first free display from 90 up; sets DISPLAY and ZAVODO_XVFB_PID.
zavodo_start_display() {
    local n
    for n in $(seq 90 189); do
        [ -e "/tmp/.X$n-lock" ] && continue
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        ZAVODO_XVFB_PID=$!
        local i
        for i in $(seq 1 50); do
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                export DISPLAY=":$n"
                export ZAVODO_XVFB_PID
                return 0
            fi
            kill -0 "$ZAVODO_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$ZAVODO_XVFB_PID" 2>/dev/null
        wait "$ZAVODO_XVFB_PID" 2>/dev/null
    done
    echo "wine-env: no free X display found" >&2
    return 1
}

zavodo_stop_display() {
    if [ -n "${ZAVODO_XVFB_PID:-}" ]; then
        kill "$ZAVODO_XVFB_PID" 2>/dev/null
        wait "$ZAVODO_XVFB_PID" 2>/dev/null
        unset ZAVODO_XVFB_PID
    fi
}

# Creates the prefix the first time; later starts only bring up its wineserver.
# Top-level windows are left unmanaged: no window manager runs on our Xvfb, so Wine draws
# their captions itself and does not wait for one when a window is hidden or destroyed.
zavodo_ensure_prefix() {
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    # Wine's own fonts (Marlett draws the caption buttons) where this Wine looks for them.
    local font
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -f "$font" ] && [ ! -e "$WINEPREFIX/drive_c/windows/Fonts/${font##*/}" ] &&
            cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wineserver -w
    fi
}

zavodo_stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
}
