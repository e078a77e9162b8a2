#!/usr/bin/env bash
# Starts the program under Xvfb and saves a picture of the main window.
# Usage: tools/screenshot.sh [out.png]   (default docs/main-window.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/main-window.png}
tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target yanzhou -j "$(nproc)"
source tools/wine-session.sh
trap 'wine_session_stop' EXIT
wine_session_start own
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$yz_wine" build/windows/app/yanzhou.exe </dev/null >/dev/null 2>&1 &
sleep 4
# The main window is 529 × 366, centred on the 1280 × 1024 screen.
xwd -root -silent | convert xwd:- -crop 529x366+375+329 +repage "$out"
echo "screenshot: $out"
