#!/usr/bin/env bash
# Sets up what is missing, builds a demo Velmora wired to the local demo portal, and runs it.
# With a usable X display the launcher runs there until you close it. Without one it runs in a
# private Xvfb: the login window is saved to build/screenshot.png and the launcher is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/setup.sh

port=${VELMORA_DEMO_PORT:-18765}
appkey=3f9c2a7e5b1d4c8fa06e92b7d35c1e84
# The portal answers each link host on its own loopback address, all on one port.
cmake -S . -B build/demo -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_CLIENT_HOST="127.0.0.1:$port" -DVELMORA_HOME_HOST="127.0.0.2:$port" \
    -DVELMORA_PAY_HOST="127.0.0.3:$port" -DVELMORA_PAY_APPKEY="$appkey" \
    -DVELMORA_SERVICE_HOST="127.0.0.4:$port" -DVELMORA_FORUM_HOST="127.0.0.5:$port" >/dev/null
cmake --build build/demo --target Velmora -j2

# A prefix of its own, so that a test run and the demo never stop each other's Wine.
export WINEPREFIX="$root/build/demo/wineprefix"
. tools/wine-env.sh
portal_pid=
velmora_pid=
compositor_pid=
cleanup() {
    if [ -n "$velmora_pid" ]; then kill "$velmora_pid" 2>/dev/null || true; fi
    if [ -n "$compositor_pid" ]; then kill "$compositor_pid" 2>/dev/null || true; fi
    if [ -n "$portal_pid" ]; then kill "$portal_pid" 2>/dev/null || true; fi
    velmora_wine_down
}
trap cleanup EXIT

ready=$(mktemp -u)
python3 tools/demo-portal.py --port "$port" --appkey "$appkey" --log build/demo/portal.log --quiet \
    --ready-file "$ready" &
portal_pid=$!
for _ in $(seq 100); do [ -s "$ready" ] && break; kill -0 "$portal_pid" || exit 1; sleep 0.1; done
[ -s "$ready" ] || { echo "run-demo: the demo portal did not start" >&2; exit 1; }
rm -f "$ready"
echo "run-demo: demo portal on http://127.0.0.1:$port/client/reg/velmora/?from=client (log: build/demo/portal.log)"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    velmora_wine_up
    echo "run-demo: starting Velmora on $DISPLAY; close it with Escape or Alt+F4."
    "$VELMORA_WINE" build/demo/Velmora.exe </dev/null >build/demo/velmora.log 2>&1 || true
    exit 0
fi

unset DISPLAY
velmora_wine_up
# A compositor blends the layered window's alpha on screen, as a desktop would.
if command -v xcompmgr >/dev/null; then
    xcompmgr </dev/null >/dev/null 2>&1 &
    compositor_pid=$!
fi
"$VELMORA_WINE" build/demo/Velmora.exe </dev/null >build/demo/velmora.log 2>&1 &
velmora_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Velmora$' | head -n 1) || {
    echo "run-demo: the login window did not appear" >&2
    exit 1
}
# The picture reaches the screen a moment after the window maps: wait until the capture has content.
for _ in $(seq 50); do
    import -window root -crop 926x646+0+0 +repage build/screenshot.png
    [ "$(convert build/screenshot.png -format '%[fx:mean>0.02]' info:)" = 1 ] && break
    sleep 0.1
done
echo "run-demo: no display, so Velmora ran in Xvfb; the login window is in build/screenshot.png"
xdotool key --window "$window" Escape 2>/dev/null
for _ in $(seq 100); do kill -0 "$velmora_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$velmora_pid" 2>/dev/null; then
    echo "run-demo: Velmora did not close on Escape" >&2
    exit 1
fi
velmora_pid=
echo "run-demo: Velmora closed."
