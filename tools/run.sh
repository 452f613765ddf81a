#!/bin/sh
# Installs what is missing, builds Korimbel and starts it with the given
# arguments (for instance -f scene.geo).  Without an X display it runs on a
# virtual X server, as in CI.
set -e
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target korimbel
if [ -n "$DISPLAY" ]; then
	exec build/korimbel "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" build/korimbel "$@"
