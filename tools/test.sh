#!/usr/bin/env bash
# Sets up what is missing, builds every preset and runs every test in one ctest run.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
jobs=$(nproc)
for preset in native native-asan windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

# One ctest run over the three build trees.
mkdir -p build/all
{
  echo 'subdirs("../native")'
  echo 'subdirs("../native-asan")'
  echo 'subdirs("../windows")'
} > build/all/CTestTestfile.cmake

source tools/wine-session.sh
trap 'wine_session_stop' EXIT
wine_session_start own
ctest --test-dir build/all -j 2 --output-on-failure "$@"
