#!/bin/sh
# Installs what is missing, builds everything and runs every test, then
# says why each skipped test was skipped (or, in one line, that ctest's
# report cannot be read); its exit status is ctest's.  The
# build uses CMAKE_BUILD_PARALLEL_LEVEL cores when that is set, else every
# core; the tests run CTEST_PARALLEL_LEVEL at once when that is set, else as
# many as the build's cores.
set -e
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
cmake --build build -j "$jobs"
# ctest's report of every test and what it printed, written afresh
report=$(pwd)/build/Testing/report.xml
rm -f "$report"
status=0
ctest --test-dir build --output-on-failure -j "${CTEST_PARALLEL_LEVEL:-$jobs}" --output-junit "$report" || status=$?
# the reasons are told, not judged: whatever becomes of them, the status is ctest's
python3 tools/skipreasons.py "$report" || true
exit $status
