#!/bin/sh
# Installs what is missing, builds Korimbel and starts it with the given
# arguments (for instance -f scene.geo).  The program starts in the folder
# this is called from, so that names on its command line are relative to
# that folder; the build stays in the source tree.  Without an X display it
# runs on a virtual X server, as in CI, and says so.  The build uses
# CMAKE_BUILD_PARALLEL_LEVEL cores when that is set, else every core.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/setup.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$top/build" -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" --target korimbel
if [ -n "$DISPLAY" ]; then
	exec "$top/build/korimbel" "$@"
fi
echo "No X display (DISPLAY is not set): Korimbel runs on a virtual one, where its window cannot be seen; Ctrl+C stops it." >&2
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$top/build/korimbel" "$@"
