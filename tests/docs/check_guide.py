"""Keeps the user's guide in docs/ true.

    check_guide.py CONSOLE_DRIVER DOCS_DIR DEMO_DIR

- Every fenced block marked "console" is a transcript: lines ">> command"
  followed by the exact output. The blocks of one page are played, in order,
  in one console session and compared byte for byte.
- A line beginning with ">>" outside such a block would be an example nobody
  checks: it is refused.
- Every relative link of a page (other pages, pictures, files of the source
  tree) names a file that exists.
- Every example scene in DEMO_DIR is named in the guide ("demo/NAME.geo").
- The commands the guide files under a help topic are in that topic's help.

The scene-file examples (blocks marked "geo") are played by the test binary
test_gl_guide.
"""
import glob
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "console"))
from check_transcript import check  # noqa: E402

LINK = re.compile(r"\]\(([^)#\s]+)(#[^)]*)?\)")
# The commands that language.md names under help(display) and help(system).
HELP_TOPICS = {
    "display": ["clf()", "clc()"],
    "system": ["remove(", "label(", "cmd(", "screenshot(", "add_const(", "reset()"],
}
# a help text prints at once: this bounds a hung driver
HELP_SECONDS = 30


def help_problems(driver):
    """The commands the guide files under a topic whose help lacks them."""
    problems = []
    for topic, names in sorted(HELP_TOPICS.items()):
        run = subprocess.run([driver], input="help(%s)\n" % topic, capture_output=True, text=True,
                             timeout=HELP_SECONDS)
        problems += ["help(%s) does not list %s" % (topic, n) for n in names if "\n" + n not in run.stdout]
    return problems


def page_parts(path):
    """The console transcript lines of the page, and its problems."""
    transcript, problems = [], []
    fence = None
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for number, line in enumerate(lines, 1):
        if line.startswith("```"):
            if fence is None:
                fence = line[3:].strip()
                if fence == "console" and (number >= len(lines) or not lines[number].startswith(">>")):
                    problems.append("line %d: a console block begins with a command" % number)
            else:
                fence = None
            continue
        is_command = line == ">>" or line.startswith(">> ")
        if fence == "console":
            transcript.append(line)
        elif is_command or line.startswith(">>"):
            problems.append("line %d: a console example outside a console block: %s" % (number, line))
        if fence is None:
            for target, _ in LINK.findall(line):
                if "://" in target or target.startswith("mailto:"):
                    continue
                if not os.path.exists(os.path.join(os.path.dirname(path), target)):
                    problems.append("line %d: the link '%s' leads nowhere" % (number, target))
    if fence is not None:
        problems.append("a fenced block is not closed")
    return transcript, problems


def main():
    driver, docs, demos = sys.argv[1], sys.argv[2], sys.argv[3]
    failed = 0
    text = ""
    pages = sorted(glob.glob(os.path.join(docs, "*.md")))
    if not pages:
        print("no pages in %s" % docs)
        return 1
    for page in pages:
        name = os.path.basename(page)
        with open(page, encoding="utf-8") as f:
            text += f.read()
        transcript, problems = page_parts(page)
        for p in problems:
            print("%s: %s" % (name, p))
        failed |= bool(problems)
        if transcript:
            failed |= check(driver, transcript, name)
    for p in help_problems(driver):
        print(p)
        failed = 1
    for demo in sorted(glob.glob(os.path.join(demos, "*.geo"))):
        mention = "demo/" + os.path.basename(demo)
        if mention not in text:
            print("the guide does not name %s" % mention)
            failed = 1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
