#!/usr/bin/env bash
# Runs one Windows program under Wine and passes on its output and exit code. Used as the cross-
# compiling emulator, so ctest runs test programs as if natively. Output goes through a file because
# Wine's helper processes keep an inherited stdout open long after the program has ended.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

own_env=0
[ -z "${DISPLAY:-}" ] && own_env=1
velmora_wine_up || exit 127
[ "$own_env" = 1 ] && trap velmora_wine_down EXIT

out=$(mktemp)
"$VELMORA_WINE" "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
