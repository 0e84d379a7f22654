# Source this file: it sets up the Wine environment the project's programs and tests run in.
#   velmora_wine_up    export the environment, start Xvfb when there is no display, create the prefix
#                      on first use, and start a persistent wineserver. Safe to call again.
#   velmora_wine_down  stop what velmora_wine_up started (wineserver first, then Xvfb).
# Wine facts that shape this: its helper processes inherit stdout and outlive the program, so every
# long-lived process here gets its output sent to /dev/null; without a window manager, hiding an
# active window waits 2 s unless the X11 driver runs unmanaged (Managed=N).

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

velmora_wine_up() {
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES-mscoree,mshtml=}
    export WINEARCH=win64
    export WINEPREFIX=${WINEPREFIX:-$VELMORA_ROOT/build/wineprefix}
    VELMORA_WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
    VELMORA_WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
    export VELMORA_WINE VELMORA_WINESERVER

    if [ -z "${DISPLAY:-}" ]; then
        _velmora_start_xvfb || return 1
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        _velmora_create_prefix || return 1
    fi
    if ! "$VELMORA_WINESERVER" -k0 2>/dev/null; then
        # -k0 only asks whether a server runs; start one that stays between programs.
        "$VELMORA_WINESERVER" -p </dev/null >/dev/null 2>&1
    fi
}

velmora_wine_down() {
    if [ -n "${VELMORA_WINESERVER:-}" ]; then
        "$VELMORA_WINESERVER" -k </dev/null >/dev/null 2>&1
        "$VELMORA_WINESERVER" -w </dev/null >/dev/null 2>&1
    fi
    if [ -n "${VELMORA_XVFB_PID:-}" ]; then
        kill "$VELMORA_XVFB_PID" 2>/dev/null
        wait "$VELMORA_XVFB_PID" 2>/dev/null
        unset VELMORA_XVFB_PID DISPLAY
    fi
    return 0
}

_velmora_start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        VELMORA_XVFB_PID=$!
        local i
        for i in $(seq 1 100); do
            if [ -S "/tmp/.X11-unix/X$n" ]; then
                export DISPLAY=":$n" VELMORA_XVFB_PID
                return 0
            fi
            kill -0 "$VELMORA_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$VELMORA_XVFB_PID" 2>/dev/null
        unset VELMORA_XVFB_PID
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

_velmora_create_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$VELMORA_WINE" wineboot -i </dev/null >/dev/null 2>&1 || {
        echo "wine-env: wineboot failed for $WINEPREFIX" >&2
        return 1
    }
    "$VELMORA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1
    # Let the server write the registry to disk before anyone relies on it.
    "$VELMORA_WINESERVER" -w </dev/null >/dev/null 2>&1
}
