#!/usr/bin/env bash
# Opens the update tool's window under Wine against a simulated device.
#
# Builds the native and Windows presets when their programs are missing, starts vela-bootsim on
# 127.0.0.1 (a free port, one device with a few cards) and opens VelaUpdate.exe in the Wine
# virtual desktop. With a display the window stays open until it is closed; without one an
# Xvfb display is started, a screenshot is saved once the window is up and its path printed,
# and everything started here is stopped again. The second thing to try, the skin viewer
# (skinview.exe), is named at the end; headless, its shot is saved too.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# Other build trees can stand in for the presets' (VELA_NATIVE_BUILD, VELA_WINDOWS_BUILD).
native_build=${VELA_NATIVE_BUILD:-$root/build/native}
windows_build=${VELA_WINDOWS_BUILD:-$root/build/windows}
sim="$native_build/tools/vela-bootsim/vela-bootsim"
exe="$windows_build/app/VelaUpdate.exe"
viewer="$windows_build/tools/skinview/skinview.exe"

build_preset() {
  local preset=$1
  [ -f "$root/build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target "${@:2}" >/dev/null
}

bash "$root/scripts/setup.sh"
# Incremental builds: quick when nothing changed, and never a stale program.
if [ -z "${VELA_NATIVE_BUILD:-}" ]; then build_preset native vela-bootsim || true; fi
if [ -z "${VELA_WINDOWS_BUILD:-}" ]; then build_preset windows VelaUpdate skinview; fi
[ -f "$exe" ] || { echo "VelaUpdate.exe is missing ($exe)" >&2; exit 1; }

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  # A Wine prefix belongs to the display its first program opened; a private one makes sure the
  # window appears on the display started here.
  export WINEPREFIX="$root/build/wine-run-prefix"
fi
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
vela_ensure_display
vela_prepare_prefix

pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ "$headless" -eq 1 ] && wineserver -k 2>/dev/null || true
  [ -n "${VELA_STARTED_XVFB:-}" ] && kill "$VELA_STARTED_XVFB" 2>/dev/null || true
}
trap cleanup EXIT

if [ -x "$sim" ]; then
  simlog=$(mktemp -t vela-bootsim.XXXXXX)
  "$sim" --port 0 --host 127.0.0.1 --device "Vela-Demo,HW2.1,SW3.4" \
    --card "CPU01,HW1.0,SW1.2" --card "CPU02,HW1.0,SW1.2" --card "IO-16,HW1.1,SW2.0" \
    --out "$root/build/run-received.bin" >"$simlog" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do grep -q '^listening on' "$simlog" && break; sleep 0.05; done
  where=$(sed -n 's/^listening on //p' "$simlog" | head -n1)
  if [ -n "$where" ]; then
    echo "Device simulator listening: type address ${where%:*} and port ${where##*:}, then press Connect."
    echo "The image it receives is written to build/run-received.bin."
  else
    echo "vela-bootsim did not start:" >&2
    cat "$simlog" >&2
  fi
else
  echo "vela-bootsim is missing ($sim): the window opens without a device to connect to."
fi

viewer_hint() {
  echo "Second, the skin viewer: $vela_wine $viewer [SKIN.skn] [--page NAME]"
  echo "  (a window skinned with the default skin or SKIN.skn; --help for --shot and exit codes)"
}

if [ "$headless" -eq 0 ]; then
  viewer_hint
  "$vela_wine" "$exe"
  exit 0
fi

"$vela_wine" "$exe" &
pids+=($!)
# Wine draws its windows inside one desktop window; once that is up, give the tool a moment.
for _ in $(seq 300); do
  xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop' && break
  sleep 0.1
done
sleep 4
shot="$root/build/run-screenshot.png"
import -window root "$shot"
echo "Screenshot: $shot"
if [ -f "$viewer" ]; then
  viewer_shot="$root/build/run-skinview.bmp"
  if "$vela_wine" "$viewer" --shot "$(winepath -w "$viewer_shot" 2>/dev/null)" >/dev/null 2>&1; then
    echo "Skin viewer screenshot: $viewer_shot"
  fi
  viewer_hint
fi
