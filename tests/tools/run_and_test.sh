#!/bin/sh
# tools/run.sh and tools/test.sh as a newcomer calls them, in a stand-in
# source tree: copies of the tools, a CMake project without a compiler whose
# "korimbel" is a script that says where it runs, what it was given and
# whether it finds the file named after -f, and whose tests pass, skip with
# a reason (by exit code, as the port tests do, and as GoogleTest says it)
# or, on request, fail.
# 1. run.sh: from the user's own folder with the user's relative name, from
#    the top of the tree with the README's demo/conformal.geo, and without
#    a display: the program starts in the folder called from and finds the
#    file; without a display one line says so and how to stop it, and the
#    program runs on a virtual X server (here a stand-in on the PATH);
# 2. test.sh: every skipped test's reason at the end, exit status 0; with a
#    failing test the reasons too, and a failing exit status;
# 3. test.sh when ctest's report is empty, cut short or missing: ctest's
#    own status, and one line that the report can not be read.
#
#   run_and_test.sh TOOLS_DIR
set -u
tools=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
top=$dir/tree
user=$dir/user
mkdir -p "$top/tools" "$top/demo" "$user" "$dir/bin"
cp "$tools"/*.sh "$tools"/*.py "$top/tools/"
touch "$top/demo/conformal.geo" "$user/myscene.geo"
cat > "$top/korimbel.in" <<'PROGRAM'
#!/bin/sh
echo "korimbel in $(pwd) with: $*"
[ "$1" = -f ] && [ -f "$2" ] && echo "korimbel found $2"
exit 0
PROGRAM
cat > "$top/CMakeLists.txt" <<'PROJECT'
cmake_minimum_required(VERSION 3.20)
project(standin NONE)
add_custom_target(korimbel ALL
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/korimbel.in ${CMAKE_BINARY_DIR}/korimbel)
enable_testing()
add_test(NAME passes COMMAND true)
add_test(NAME portheld COMMAND sh -c "echo 'SKIPPED: port 6860 is held by another program'; exit 77")
set_tests_properties(portheld PROPERTIES SKIP_RETURN_CODE 77)
add_test(NAME gtestskip COMMAND printf "[ RUN      ] A.B\\nt.cpp:9: Skipped\\nport 6860 stayed in use\\n[  SKIPPED ] A.B (30000 ms)\\n")
set_tests_properties(gtestskip PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
if(DEFINED ENV{STANDIN_FAILS})
  add_test(NAME fails COMMAND false)
endif()
PROJECT
# xvfb-run: its options left out, the command run as it is
cat > "$dir/bin/xvfb-run" <<'XVFB'
#!/bin/sh
while [ "$1" = -a ] || [ "$1" = -s ]; do [ "$1" = -s ] && shift; shift; done
echo "on a virtual X server"
exec "$@"
XVFB
chmod +x "$top/korimbel.in" "$dir/bin/xvfb-run"
fail() { echo "$1"; cat "$dir/out"; exit 1; }

# 1. run.sh: a row is the folder called from, the display, the call, and
# the lines it must print (each a pattern of a whole line)
while IFS='|' read -r from display call lines; do
	(cd "$from" && if [ -n "$display" ]; then DISPLAY=$display; export DISPLAY; else unset DISPLAY; fi &&
		PATH=$dir/bin:$PATH timeout 60 sh -c "$call") > "$dir/out" 2>&1 || fail "'$call' in $from failed"
	echo "$lines" | tr ';' '\n' | while read -r line; do
		[ "$(grep -c -x -- "$line" "$dir/out")" = 1 ] || { echo "'$call' in $from did not print once: $line"; exit 1; }
	done || fail "(what it printed:)"
done <<ROWS
$user|:99|$top/tools/run.sh -f myscene.geo|korimbel in $user with: -f myscene.geo;korimbel found myscene.geo
$top|:99|tools/run.sh -f demo/conformal.geo|korimbel in $top with: -f demo/conformal.geo;korimbel found demo/conformal.geo
$user||$top/tools/run.sh -f myscene.geo|No X display .*Ctrl+C stops it\.;on a virtual X server;korimbel found myscene.geo
ROWS
[ -e "$user/build" ] && fail "run.sh built in the user's folder"
[ "$(grep -c "X display" "$dir/out")" = 1 ] || fail "more than one line on the display"
echo "run.sh started the program in the folder it was called from; without a display it said so"

# 2. test.sh: the reasons at the end, after a run that passed and one that
# failed
for fails in "" 1; do
	(cd "$user" && STANDIN_FAILS=$fails && [ -n "$fails" ] && export STANDIN_FAILS
		timeout 60 "$top/tools/test.sh") > "$dir/out" 2>&1
	status=$?
	[ -z "$fails" ] && [ $status != 0 ] && fail "test.sh failed where no test failed"
	[ -n "$fails" ] && [ $status = 0 ] && fail "test.sh passed where a test failed"
	tail -n 3 "$dir/out" > "$dir/reasons"
	printf 'Skipped tests, and why:\n  portheld: port 6860 is held by another program\n  gtestskip: port 6860 stayed in use\n' |
		cmp -s - "$dir/reasons" || fail "test.sh (a test fails: ${fails:-no}) did not end with the skipped tests' reasons"
done
echo "test.sh said why each skipped test was skipped, and failed when a test failed"

# 3. test.sh when ctest leaves its report unreadable (killed, a full disk):
# a stand-in ctest on the PATH runs the real one, keeps its status and then
# empties, cuts or removes the report. A row is whether a test fails and
# what becomes of the report; test.sh must exit with ctest's own status and
# say in one line, its last, that the report can not be read.
realctest=$(command -v ctest)
mkdir -p "$dir/ctestbin"
cat > "$dir/ctestbin/ctest" <<CTEST
#!/bin/sh
status=0
"$realctest" "\$@" || status=\$?
echo \$status > "$dir/ctest_status"
report=\$(echo "\$@" | sed -n 's/.*--output-junit \([^ ]*\).*/\1/p')
case "\$REPORT_DAMAGE" in
empty) : > "\$report" ;;
cut) head -c 100 "\$report" > "\$report.cut" && mv "\$report.cut" "\$report" ;;
gone) rm -f "\$report" ;;
esac
exit \$status
CTEST
chmod +x "$dir/ctestbin/ctest"
while read -r fails damage; do
	[ "$fails" = - ] && fails=""
	rm -f "$dir/ctest_status"
	(cd "$user" && STANDIN_FAILS=$fails && [ -n "$fails" ] && export STANDIN_FAILS
		REPORT_DAMAGE=$damage PATH=$dir/ctestbin:$PATH timeout 60 "$top/tools/test.sh") > "$dir/out" 2>&1
	status=$?
	ctest_status=$(cat "$dir/ctest_status") || fail "test.sh did not run ctest"
	[ -n "$fails" ] && [ "$ctest_status" = 0 ] && fail "the stand-in's failing test did not fail"
	[ "$status" = "$ctest_status" ] || fail "test.sh exited $status where ctest exited $ctest_status (report $damage)"
	[ "$(grep -c "can not be read" "$dir/out")" = 1 ] || fail "test.sh did not say once that the $damage report can not be read"
	tail -n 1 "$dir/out" | grep -q -x "The test report .*/build/Testing/report.xml can not be read (.*): the skipped tests' reasons are not known" ||
		fail "test.sh did not end with the line on the $damage report"
	grep -q Traceback "$dir/out" && fail "test.sh printed a traceback for the $damage report"
done <<ROWS
- empty
1 empty
- cut
1 cut
1 gone
ROWS
echo "test.sh exited with ctest's status and said in one line that a report it could not read was not read"
