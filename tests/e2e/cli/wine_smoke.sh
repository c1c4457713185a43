#!/usr/bin/env bash
# The Windows builds under Wine against the native Linux builds: vela-update.exe lists the
# boards of a native vela-bootsim and sends it a small image; then a native vela-update sends
# an image to vela-bootsim.exe. Both received images are compared with the file sent.
#   wine_smoke.sh VELA_UPDATE_EXE VELA_BOOTSIM_EXE WINE_EXEC NATIVE_BOOTSIM
# Exits 77 (skipped) when the native programs have not been built.
set -u
exe=$1 sim_exe=$2 wine_exec=$3 bootsim=${VELA_NATIVE_BOOTSIM:-$4}
update="$(dirname "$bootsim")/../vela-update/vela-update"
[ -x "$bootsim" ] && [ -x "$update" ] || { echo "no native build at $bootsim: skipped"; exit 77; }

work=$(mktemp -d)
sim_pid=
wine_sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  # The Wine process is a child of the script that started it.
  [ -n "$wine_sim_pid" ] && { pkill -P "$wine_sim_pid" 2>/dev/null; kill "$wine_sim_pid" 2>/dev/null; }
  wait 2>/dev/null
  rm -rf "$work"
}
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

"$wine_exec" "$sim_exe" --port 0 --card "CPU-A1,H,S" --out "Z:$work/received-win.bin" \
  >"$work/wsim.out" 2>"$work/wsim.log" &
wine_sim_pid=$!
for _ in $(seq 300); do grep -q listening "$work/wsim.out" && break; sleep 0.1; done
port=$(tr -d '\r' <"$work/wsim.out" | sed -n 's/^listening on 127.0.0.1:\([0-9]*\)$/\1/p')
[ -n "$port" ] || { echo "vela-bootsim.exe did not start"; cat "$work/wsim.log"; exit 1; }
head -c 5000 /dev/urandom >"$work/image2.bin"
# The last block is short, so the simulator has written the image before it acknowledges it.
"$update" upgrade --host 127.0.0.1 --port "$port" --image "$work/image2.bin" --cards CPU-A1 \
  --pace 0 --select-pause 0 --json >"$work/upgrade2.json" || {
  echo "upgrade to vela-bootsim.exe failed"; cat "$work/upgrade2.json" "$work/wsim.log"; exit 1; }
cmp "$work/image2.bin" "$work/received-win.bin" || { echo "image differs (Windows simulator)"; exit 1; }
echo "vela-bootsim.exe: upgrade passed"
