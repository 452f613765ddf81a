#!/bin/sh
# Installs what is missing, builds Korimbel and starts it with the given
# arguments (for instance -f scene.geo).  Without an X display it runs on a
# virtual X server, as in CI.  The build uses CMAKE_BUILD_PARALLEL_LEVEL
# cores when that is set, else every core.
set -e
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" --target korimbel
if [ -n "$DISPLAY" ]; then
	exec build/korimbel "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" build/korimbel "$@"
