#!/usr/bin/env python3
"""Prints why each test that ctest skipped was skipped.

Reads the JUnit report that ctest writes with --output-junit and prints,
for every skipped test, its name and the reason it gave: the message of a
GoogleTest GTEST_SKIP, the line "SKIPPED: ..." of the program's tests, or
else the last line it printed. Prints nothing when no test was skipped,
and one line, with exit status 1, when the report cannot be read.

    tools/skipreasons.py REPORT
"""
import sys
import xml.etree.ElementTree as ElementTree

# what the program's tests print in front of their reason
SKIPPED_LINE = "SKIPPED: "
# GoogleTest ends the line before a skip's message so, and the message
# with this line
GTEST_SKIPPED = ": Skipped"
GTEST_SKIPPED_END = "[  SKIPPED ]"


def reason(output):
    """The reason a skipped test printed in its output."""
    lines = [line.strip() for line in output.splitlines()]
    for i, line in enumerate(lines):
        if line.endswith(GTEST_SKIPPED):
            message = []
            for following in lines[i + 1:]:
                if following.startswith(GTEST_SKIPPED_END):
                    break
                message.append(following)
            return " ".join(filter(None, message)) or "(no message)"
    for line in lines:
        if line.startswith(SKIPPED_LINE):
            return line[len(SKIPPED_LINE):]
    printed = [line for line in lines if line]
    return printed[-1] if printed else "(it printed nothing)"


def main(report):
    # a report that ctest did not finish (killed, a full disk) is said in
    # one line: the tests' own status is ctest's, not this
    try:
        root = ElementTree.parse(report).getroot()
    except (ElementTree.ParseError, OSError) as e:
        print("The test report %s can not be read (%s): the skipped tests' reasons are not known" % (report, e))
        return 1
    skipped = [(case.get("name"), reason(case.findtext("system-out") or ""))
               for case in root.iter("testcase")
               if case.find("skipped") is not None]
    if skipped:
        print("\nSkipped tests, and why:")
        for name, why in skipped:
            print("  %s: %s" % (name, why))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
