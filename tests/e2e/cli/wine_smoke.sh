#!/usr/bin/env bash
# vela-update.exe under Wine against a native vela-bootsim: list the boards, then send a
# small image and compare what the simulator received.
#   wine_smoke.sh VELA_UPDATE_EXE WINE_EXEC NATIVE_BOOTSIM
# Exits 77 (skipped) when the native simulator has not been built.
set -u
exe=$1 wine_exec=$2 bootsim=${VELA_NATIVE_BOOTSIM:-$3}
[ -x "$bootsim" ] || { echo "no native vela-bootsim at $bootsim: skipped"; exit 77; }

work=$(mktemp -d)
sim_pid=
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

"$bootsim" --port 0 --device "Dev 1,HW1,SW1" --card "CPU-A1,H,S" --out "$work/received.bin" \
  >"$work/sim.out" 2>"$work/sim.log" &
sim_pid=$!
for _ in $(seq 50); do grep -q listening "$work/sim.out" && break; sleep 0.1; done
port=$(sed -n 's/^listening on 127.0.0.1:\([0-9]*\)$/\1/p' "$work/sim.out")
[ -n "$port" ] || { echo "simulator did not start"; exit 1; }

"$wine_exec" "$exe" list --host 127.0.0.1 --port "$port" --json >"$work/list.json" || {
  echo "list failed"; cat "$work/list.json"; exit 1; }
grep -q '"card":"CPU-A1"' "$work/list.json" || { echo "card missing"; cat "$work/list.json"; exit 1; }

head -c 3000 /dev/urandom >"$work/image.bin"
# Wine sees the Unix file system as drive Z:.
"$wine_exec" "$exe" upgrade --host 127.0.0.1 --port "$port" --image "Z:$work/image.bin" \
  --cards CPU-A1 --pace 0 --select-pause 0 --json >"$work/upgrade.json" || {
  echo "upgrade failed"; cat "$work/upgrade.json"; exit 1; }
kill "$sim_pid"; wait "$sim_pid"; sim_pid=
cmp "$work/image.bin" "$work/received.bin" || { echo "image differs"; exit 1; }
echo "vela-update.exe: list and upgrade passed"
