#!/usr/bin/env bash
# Builds the updater, the simulator and the soak runner in the native tree and runs a fault
# soak: SESSIONS seeded sessions (default 10000) from SEED (default the date).
#   scripts/soak.sh [SESSIONS] [SEED]     VELA_NATIVE_BUILD=DIR uses another build tree
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELA_NATIVE_BUILD:-$root/build/native}"
sessions="${1:-10000}"
seed="${2:-$(date +%Y%m%d)}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset native -B "$build" >/dev/null
fi
cmake --build "$build" --target cli_soak vela-update vela-bootsim >/dev/null
exec "$build/tests/e2e/cli/cli_soak" --sessions "$sessions" --seed "$seed"
