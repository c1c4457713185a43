#!/usr/bin/env bash
# Starts the native device simulator, lets the operator driver run the update tool under Wine
# through a whole upgrade, takes a screenshot while the success box is up, and checks that the
# device received the image byte for byte.
#
#   operator_e2e.sh <operator_driver.exe> <VelaUpdate.exe> <work directory>
set -euo pipefail
driver=$(realpath "$1")
tool=$(realpath "$2")
work=$(realpath -m "$3")
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"

sim=${VELA_BOOTSIM:-}
if [ -z "$sim" ]; then
  for candidate in "$root"/build/native/tools/vela-bootsim/vela-bootsim \
                   "$root"/build/*native*/tools/vela-bootsim/vela-bootsim; do
    if [ -x "$candidate" ]; then sim=$candidate; break; fi
  done
fi
if [ -z "$sim" ] || [ ! -x "$sim" ]; then
  echo "SKIPPED: the native vela-bootsim is not built (cmake --build --preset native --target vela-bootsim)"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work"
image="$work/firmware.bin"
received="$work/received.bin"
head -c 5000 /dev/urandom >"$image"

pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ -n "${VELA_STARTED_XVFB:-}" ] && kill "$VELA_STARTED_XVFB" 2>/dev/null || true
}
trap cleanup EXIT

"$sim" --port 0 --host 127.0.0.1 --device "E2E-Device,HW1.0,SW1.0" \
  --card "CPU01,HW1.0,SW1.1" --card "CPU02,HW1.0,SW1.1" --out "$received" >"$work/sim.log" 2>&1 &
sim_pid=$!
pids+=($sim_pid)
for _ in $(seq 100); do grep -q '^listening on' "$work/sim.log" && break; sleep 0.05; done
where=$(sed -n 's/^listening on //p' "$work/sim.log" | head -n1)
[ -n "$where" ] || { echo "vela-bootsim did not start"; cat "$work/sim.log"; exit 1; }
host=${where%:*}
port=${where##*:}

# shellcheck source=/dev/null
source "$root/scripts/wine-env.sh"
vela_ensure_display
vela_prepare_prefix

winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

"$vela_wine" "$driver" "$(winpath "$tool")" "$host" "$port" "$(winpath "$image")" \
  "$(winpath "$work")" &
driver_pid=$!
pids+=($driver_pid)

shot="$work/operator-success.png"
for _ in $(seq 1800); do
  if [ -e "$work/success-box" ]; then
    import -window root "$shot" && echo "screenshot: $shot"
    touch "$work/shot-taken"
    break
  fi
  kill -0 "$driver_pid" 2>/dev/null || break
  sleep 0.1
done

status=0
wait "$driver_pid" || status=$?
if [ "$status" -ne 0 ]; then
  [ -e "$shot" ] || import -window root "$work/operator-failure.png" || true
  echo "operator driver failed ($status); screenshot: $work/operator-failure.png"
  exit 1
fi

# The simulator writes what it received when the transfer ends; give it a moment.
for _ in $(seq 50); do [ -s "$received" ] && break; sleep 0.1; done
kill "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true
if ! cmp "$image" "$received"; then
  echo "the device did not receive the image byte for byte"
  exit 1
fi
echo "the device received all $(stat -c %s "$image") bytes of the image"
