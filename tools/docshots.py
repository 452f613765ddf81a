#!/usr/bin/env python3
"""Renders the pictures of the guide's walk-through again.

Plays the console commands of docs/getting-started.md in Korimbel on a
virtual X server, in the order of the page, and wherever the page shows a
picture from docs/images it has the program render its view into that file
with screenshot().

    tools/docshots.py [BUILD_DIR]        (default: build)

Run it after changing the walk-through or the way scenes are drawn, and
commit the pictures with the page.
"""
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PAGE = os.path.join(ROOT, "docs", "getting-started.md")
IMAGES = os.path.join(ROOT, "docs", "images")
# Pictures for a page a reader scrolls through: a third of a screen each.
WIDTH, HEIGHT = 640, 400
# A camera motion typed in the walk-through takes one second; the pause
# before a picture lets it end.
SETTLE_SECONDS = 1.5
# The view renders a requested screenshot a few redraws later.
SHOT_SECONDS = 1.0
# Korimbel started under xvfb-run, with every pause of the script, ends well
# within this.
RUN_SECONDS = 120
PICTURE = re.compile(r"!\[[^\]]*\]\(images/([^)]+\.png)\)")


def steps(page):
    """The commands of the page's console sessions and its pictures, in order:
    ("command", text) and ("picture", file name)."""
    found = []
    in_console = False
    with open(page, encoding="utf-8") as f:
        for line in f.read().splitlines():
            if line.startswith("```"):
                in_console = line.strip() == "```console"
                continue
            if in_console and (line == ">>" or line.startswith(">> ")):
                found.append(("command", line[3:]))
            elif not in_console:
                found.extend(("picture", m.group(1)) for m in PICTURE.finditer(line))
    return found


def script(found):
    """A scene file that types the commands and takes the pictures."""
    lines = []
    for kind, text in found:
        if kind == "command":
            # as the console does: a command without a terminator is shown
            if "//" in text or "$" in text:
                sys.exit("docshots: cannot play the command '%s' from a scene file" % text)
            if not text.rstrip().endswith((";", ",")):
                text = text.rstrip() + ","
            lines.append("console " + text)
        else:
            path = os.path.join(IMAGES, text)
            lines.append("sleep %g" % SETTLE_SECONDS)
            lines.append('console screenshot("%s", %d, %d, 0);' % (path, WIDTH, HEIGHT))
            lines.append("sleep %g" % SHOT_SECONDS)
    lines.append("exit")
    return "".join(l + "\n" for l in lines)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    korimbel = os.path.join(build, "korimbel")
    found = steps(PAGE)
    pictures = [os.path.join(IMAGES, t) for k, t in found if k == "picture"]
    os.makedirs(IMAGES, exist_ok=True)
    for p in pictures:
        if os.path.exists(p):
            os.remove(p)
    # files the walk-through itself writes land in a scratch directory
    with tempfile.TemporaryDirectory() as scratch:
        geo = os.path.join(scratch, "walkthrough-pictures.geo")
        with open(geo, "w", encoding="utf-8") as f:
            f.write(script(found))
        subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", korimbel, "-f", geo],
                       cwd=scratch, check=True, timeout=RUN_SECONDS, stdout=subprocess.DEVNULL)
    missing = [p for p in pictures if not os.path.exists(p)]
    if missing:
        sys.exit("docshots: not rendered: " + ", ".join(missing))
    for p in pictures:
        print("%s: %d bytes" % (os.path.relpath(p, ROOT), os.path.getsize(p)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
