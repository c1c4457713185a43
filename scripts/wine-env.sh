# Sourced by the scripts that run Windows programs: one private Wine prefix per checkout, no
# debug noise, no Mono or Gecko installer prompts.
vela_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$vela_root/.wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
vela_wine=$(command -v wine64 || command -v wine)
[ -x /usr/lib/wine/wine64 ] && vela_wine=/usr/lib/wine/wine64

# Starts Xvfb on a free display when there is none; sets VELA_STARTED_XVFB to its pid.
vela_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in 99 98 97 96 95 94; do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  VELA_STARTED_XVFB=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "could not start Xvfb on $DISPLAY" >&2
  return 1
}

# Creates the prefix once and sets it up: one shared virtual desktop, frames drawn by Wine,
# and a CJK font linked behind the UI fonts so that full-width punctuation shows.
vela_prepare_prefix() {
  local stamp="$WINEPREFIX/.vela-ready"
  [ -f "$stamp" ] && return 0
  mkdir -p "$WINEPREFIX"
  "$vela_wine" wineboot -i >/dev/null 2>&1 || true
  local reg=("$vela_wine" reg add)
  "${reg[@]}" 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "${reg[@]}" 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f >/dev/null 2>&1
  "${reg[@]}" 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  "${reg[@]}" 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  local font
  for font in Tahoma "MS Sans Serif" "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" \
              "Segoe UI" Arial; do
    "${reg[@]}" 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$font" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  wineserver -w 2>/dev/null || true
  touch "$stamp"
}
