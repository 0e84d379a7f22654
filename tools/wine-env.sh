# Source this file: it sets up the Wine environment the project's programs and tests run in.
#   velmora_wine_up    export the environment, create the prefix on first use, start a persistent
#                      wineserver and, when there is no display, the prefix's own Xvfb. Safe to call
#                      again and from parallel test runs: they share one Xvfb and one wineserver.
#   velmora_wine_down  stop the wineserver and the prefix's Xvfb.
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
    mkdir -p "$(dirname "$WINEPREFIX")"

    # Parallel callers take turns, so only one creates the prefix or starts the Xvfb. Nothing started
    # here may inherit the lock, or it would hold it for as long as it runs.
    local status=0
    exec {VELMORA_LOCK_FD}>"$WINEPREFIX.lock"
    if ! flock -w 180 "$VELMORA_LOCK_FD"; then
        echo "wine-env: $WINEPREFIX stayed locked for 3 minutes" >&2
        exec {VELMORA_LOCK_FD}>&-
        return 1
    fi
    if [ -z "${DISPLAY:-}" ]; then
        _velmora_shared_xvfb || status=1
    fi
    if [ "$status" = 0 ] && [ ! -f "$WINEPREFIX/system.reg" ]; then
        _velmora_create_prefix || status=1
    fi
    if [ "$status" = 0 ] && ! "$VELMORA_WINESERVER" -k0 2>/dev/null; then
        # -k0 only asks whether a server runs; start one that stays between programs.
        "$VELMORA_WINESERVER" -p </dev/null >/dev/null 2>&1 {VELMORA_LOCK_FD}>&-
    fi
    exec {VELMORA_LOCK_FD}>&-
    return "$status"
}

# Runs from exit traps, often under `set -e`: no step may fail.
velmora_wine_down() {
    if [ -n "${VELMORA_WINESERVER:-}" ]; then
        "$VELMORA_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
        "$VELMORA_WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    fi
    local display pid
    if [ -n "${WINEPREFIX:-}" ] && read -r display pid 2>/dev/null <"$WINEPREFIX.xvfb"; then
        kill "$pid" 2>/dev/null || true
        rm -f "$WINEPREFIX.xvfb"
        if [ "${DISPLAY:-}" = ":$display" ]; then unset DISPLAY; fi
    fi
    return 0
}

# The prefix's Xvfb: reused while it runs, else started and recorded in $WINEPREFIX.xvfb.
_velmora_shared_xvfb() {
    local state="$WINEPREFIX.xvfb" display pid n i
    if read -r display pid 2>/dev/null <"$state" && kill -0 "$pid" 2>/dev/null &&
        [ -S "/tmp/.X11-unix/X$display" ]; then
        export DISPLAY=":$display"
        return 0
    fi
    # Xvfb picks a free display itself and writes its number once it accepts connections.
    local number_file
    number_file=$(mktemp)
    # A session of its own, so that a test runner stopping one test does not take it down.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 \
        {VELMORA_LOCK_FD}>&- &
    pid=$!
    for i in $(seq 1 100); do
        read -r n 2>/dev/null <"$number_file" || n=
        if [ -n "$n" ] && [ -S "/tmp/.X11-unix/X$n" ]; then
            rm -f "$number_file"
            echo "$n $pid" >"$state"
            export DISPLAY=":$n"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    kill "$pid" 2>/dev/null
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

_velmora_create_prefix() {
    # wineboot has been seen to fail once on a fresh machine and pass when run again: one retry, on a
    # clean slate, and its output kept for the report.
    local log="$WINEPREFIX.boot.log" attempt
    for attempt in 1 2; do
        if "$VELMORA_WINE" wineboot -i </dev/null >"$log" 2>&1 {VELMORA_LOCK_FD}>&-; then
            break
        fi
        echo "wine-env: wineboot failed for $WINEPREFIX (attempt $attempt):" >&2
        tail -n 20 "$log" >&2
        "$VELMORA_WINESERVER" -k </dev/null >/dev/null 2>&1 {VELMORA_LOCK_FD}>&- || true
        "$VELMORA_WINESERVER" -w </dev/null >/dev/null 2>&1 {VELMORA_LOCK_FD}>&- || true
        rm -rf "$WINEPREFIX"
        [ "$attempt" = 2 ] && return 1
    done
    "$VELMORA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1 {VELMORA_LOCK_FD}>&-
    # Let the server write the registry to disk before anyone relies on it.
    "$VELMORA_WINESERVER" -w </dev/null >/dev/null 2>&1 {VELMORA_LOCK_FD}>&-
}
