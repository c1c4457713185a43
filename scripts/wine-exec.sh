#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix; CTest uses it as the emulator of
# the Windows build. Exit code is the program's.
#
# Wine's helper processes (the desktop, services) inherit the standard handles of the program
# that started them and outlive it. If those handles were CTest's pipe, CTest would wait for
# them forever; so the program writes to a file that is streamed from here instead.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  vela_ensure_display || exit 1
  trap '[ -n "${VELA_STARTED_XVFB:-}" ] && kill $VELA_STARTED_XVFB 2>/dev/null' EXIT
fi
vela_prepare_prefix

out=$(mktemp "${TMPDIR:-/tmp}/vela-wine.XXXXXX")
"$vela_wine" "$@" >"$out" 2>&1 </dev/null &
pid=$!
tail -n +1 -f --pid=$pid "$out" &
tailer=$!
wait $pid
rc=$?
wait $tailer 2>/dev/null
rm -f "$out"
exit $rc
