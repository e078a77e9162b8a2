#!/usr/bin/env bash
# Sets up what is missing, builds the program and starts it under Wine.
# Without a DISPLAY it runs in a headless X server of its own (for screenshots:
# tools/screenshot.sh). On Windows, build/windows/app/yanzhou.exe runs as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target yanzhou -j "$(nproc)"

source tools/wine-session.sh
trap 'wine_session_stop' EXIT
if [ -n "${DISPLAY:-}" ]; then wine_session_start keep; else wine_session_start own; echo "run: headless X server on $DISPLAY"; fi
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$yz_wine" build/windows/app/yanzhou.exe </dev/null
