#!/usr/bin/env bash
# Runs one Windows program under Wine and passes on its output and exit code. Used as the cross-
# compiling emulator, so ctest runs test programs as if natively; without a display they share the
# prefix's Xvfb (tools/test.sh stops it afterwards). Output goes through a file because Wine's
# helper processes keep an inherited stdout open long after the program has ended.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
velmora_wine_up || exit 127

out=$(mktemp)
trap 'rm -f "$out"' EXIT
rc=0
"$VELMORA_WINE" "$@" </dev/null >"$out" 2>&1 || rc=$?
cat "$out"
exit $rc
