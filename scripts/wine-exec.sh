#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix; CTest uses it as the emulator of
# the Windows build. Exit code is the program's.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  vela_ensure_display || exit 1
  trap '[ -n "${VELA_STARTED_XVFB:-}" ] && kill $VELA_STARTED_XVFB 2>/dev/null' EXIT
fi
vela_prepare_prefix
"$vela_wine" "$@"
