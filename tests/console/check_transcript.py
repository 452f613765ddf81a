"""Runs a console transcript through console_driver and compares the output.

A transcript holds the commands as lines ">> command" (">>" alone for an
empty command), each followed by the exact output it must print; lines
beginning with "##" are comments. The whole output of the session must
equal the transcript without its comments, byte for byte.
"""
import difflib
import subprocess
import sys


def check(driver, lines, name="expected"):
    """Plays the transcript lines (comments already removed) in one session;
    0 when the output matches, else 1 after printing the difference."""
    commands = [l[3:] if l.startswith(">> ") else "" for l in lines if l == ">>" or l.startswith(">> ")]
    expected = "".join(l + "\n" for l in lines)
    run = subprocess.run([driver, "--echo"], input="".join(c + "\n" for c in commands),
                         capture_output=True, text=True, timeout=60)
    if run.returncode != 0:
        print("console_driver ended with %d\n%s" % (run.returncode, run.stderr))
        return 1
    if run.stdout != expected:
        sys.stdout.writelines(difflib.unified_diff(expected.splitlines(True), run.stdout.splitlines(True),
                                                   name, "printed"))
        return 1
    return 0


def main():
    driver, script = sys.argv[1], sys.argv[2]
    with open(script, encoding="utf-8") as f:
        lines = [l for l in f.read().splitlines() if not l.startswith("##")]
    return check(driver, lines)


if __name__ == "__main__":
    sys.exit(main())
