#!/usr/bin/env bash
# Compares how long Velmora.exe takes to show its window with a bare Win32
# window, both started under Wine the same way, interleaved run by run.
#   tools/bench-startup.sh [runs]      (default 15)
set -euo pipefail

runs=${1:-15}
if ! [[ $runs =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [runs]   (runs: a positive number, default 15)" >&2
    exit 2
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

cmake --preset win64
cmake --build --preset win64

bin=build/win64
for exe in Velmora.exe tools/bench/startup-timer.exe tools/bench/bare-window.exe; do
    if [ ! -f "$bin/$exe" ]; then
        echo "bench-startup: $bin/$exe was not built" >&2
        exit 1
    fi
done

# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
out=$(mktemp)
trap 'rm -f "$out"; velmora_wine_down' EXIT
velmora_wine_up

# Wine's helper processes keep an inherited stdout open, so the timer writes
# to a file that is read once it has returned.
rc=0
(cd "$bin" && "$VELMORA_WINE" 'tools\bench\startup-timer.exe' "$runs" \
    Velmora.exe 'tools\bench\bare-window.exe' </dev/null >"$out" 2>&1) || rc=$?
sed -i 's/\r$//' "$out"  # the C runtime writes CRLF line ends
cat "$out"
if [ "$rc" != 0 ]; then
    echo "bench-startup: startup-timer failed (exit $rc)" >&2
    exit 1
fi

median_of() {
    sed -n "s/^median #$1 [^:]*: \([0-9.]*\) ms.*/\1/p" "$out"
}
velmora=$(median_of 1)
bare=$(median_of 2)
if [ -z "$velmora" ] || [ -z "$bare" ]; then
    echo "bench-startup: no medians in the timer's output" >&2
    exit 1
fi
awk -v v="$velmora" -v b="$bare" 'BEGIN {
    printf "Velmora.exe median %.1f ms, bare window median %.1f ms, ratio %.2f\n", v, b, v / b
}'
