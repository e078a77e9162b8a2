# Sourced by tools/test.sh and tools/run.sh: a headless X server, a Wine prefix
# under build/windows and one warm wineserver for the whole run.
# wine_session_start / wine_session_stop.

yz_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$yz_root/build/windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
yz_wine=/usr/lib/wine/wine64
yz_wineserver=/usr/lib/wine/wineserver

wine_session_start() {
  local own_display=${1:-own}
  if [ "$own_display" = own ] || [ -z "${DISPLAY:-}" ]; then
    local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    yz_xvfb_pid=$!
    local n; read -r n <"$fifo"; rm -f "$fifo"
    export DISPLAY=":$n"
  fi
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$yz_wine" wineboot -i </dev/null >/dev/null 2>&1 || true
    # Without a window manager every hide of a managed window costs 2 s.
    "$yz_wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
    "$yz_wineserver" -w
  fi
  "$yz_wineserver" -p
  # Warm up with every stream detached: Wine's background services inherit them.
  LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$yz_wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
  # Keeps Wine's desktop process alive between test executables.
  local keeper="$yz_root/build/windows/tools/wine_keeper/wine_keeper.exe"
  if [ -f "$keeper" ]; then
    LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$yz_wine" "$keeper" </dev/null >/dev/null 2>&1 &
    yz_keeper_pid=$!
  fi
}

wine_session_stop() {
  "$yz_wineserver" -k >/dev/null 2>&1 || true
  [ -n "${yz_keeper_pid:-}" ] && kill "$yz_keeper_pid" >/dev/null 2>&1 || true
  [ -n "${yz_xvfb_pid:-}" ] && kill "$yz_xvfb_pid" >/dev/null 2>&1 || true
  wait >/dev/null 2>&1 || true
}
