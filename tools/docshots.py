#!/usr/bin/env python3
"""Renders the pictures of the user's guide again.

Plays the console commands of docs/getting-started.md in Korimbel on a
virtual X server, in the order of the page, and wherever the page shows a
picture from docs/images it has the program render its view into that file
with screenshot(). A picture docs/images/demo-NAME.png, wherever the guide
shows it, is the view of demo/NAME.geo at its end (such a demo must not
wait for the user), and a picture docs/images/example-NAME.png the view of
the scene-file example that the same page names NAME.geo (its block marked
"geo NAME.geo").

    tools/docshots.py [BUILD_DIR]        (default: build)

Run it after changing the walk-through, a pictured demo or the way scenes
are drawn, and commit the pictures with the pages.
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DOCS = os.path.join(ROOT, "docs")
PAGE = os.path.join(DOCS, "getting-started.md")
IMAGES = os.path.join(DOCS, "images")
DEMOS = os.path.join(ROOT, "demo")
# Pictures for a page a reader scrolls through: a third of a screen each.
WIDTH, HEIGHT = 640, 400
# A demo is pictured at the size of the view in the program's window, where
# its labels have the places it gives them in pixels.
VIEW_WIDTH, VIEW_HEIGHT = 724, 445
# A demo has this long to build its scene before it is pictured.
DEMO_SECONDS = 2.0
# A camera motion typed in the walk-through takes one second; the pause
# before a picture lets it end.
SETTLE_SECONDS = 1.5
# The view renders a requested screenshot a few redraws later.
SHOT_SECONDS = 1.0
# Korimbel started under xvfb-run, with every pause of the script, ends well
# within this.
RUN_SECONDS = 120
PICTURE = re.compile(r"!\[[^\]]*\]\(images/([^)]+\.png)\)")
DEMO_PICTURE = re.compile(r"\(images/(demo-([^)]+))\.png\)")
EXAMPLE_PICTURE = re.compile(r"\(images/(example-([^)]+))\.png\)")


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
            lines.extend(shot(os.path.join(IMAGES, text), WIDTH, HEIGHT))
    lines.append("exit")
    return "".join(l + "\n" for l in lines)


def shot(path, width, height):
    """The lines that picture the view into path."""
    return ["sleep %g" % SETTLE_SECONDS,
            'console screenshot("%s", %d, %d, 0);' % (path, width, height),
            "sleep %g" % SHOT_SECONDS]


def play(korimbel, text, files=None):
    """Plays the scene text in Korimbel; files it writes itself land in a
    scratch directory, beside the further files given (name: text) and the
    guide's pictures."""
    with tempfile.TemporaryDirectory() as scratch:
        os.symlink(IMAGES, os.path.join(scratch, "images"))
        for name, content in dict(files or {}, **{"pictures.geo": text}).items():
            with open(os.path.join(scratch, name), "w", encoding="utf-8") as f:
                f.write(content)
        geo = os.path.join(scratch, "pictures.geo")
        subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", korimbel, "-f", geo],
                       cwd=scratch, check=True, timeout=RUN_SECONDS, stdout=subprocess.DEVNULL)


def demo_pictures():
    """The pictures of demos that the guide shows: (picture file, demo file)."""
    found = set()
    for page in glob.glob(os.path.join(DOCS, "*.md")):
        with open(page, encoding="utf-8") as f:
            found.update(DEMO_PICTURE.findall(f.read()))
    return sorted((os.path.join(IMAGES, picture + ".png"), os.path.join(DEMOS, name + ".geo"))
                  for picture, name in found)


def example_pictures():
    """The pictures of the guide's scene-file examples that its pages show:
    (picture file, example's file name, example's text)."""
    found = []
    for page in sorted(glob.glob(os.path.join(DOCS, "*.md"))):
        with open(page, encoding="utf-8") as f:
            text = f.read()
        for picture, name in sorted(set(EXAMPLE_PICTURE.findall(text))):
            block = re.search(r"^```geo %s\.geo\n(.*?)^```" % re.escape(name), text, re.S | re.M)
            if block is None:
                sys.exit("docshots: %s shows %s.png but has no example named %s.geo" % (page, picture, name))
            found.append((os.path.join(IMAGES, picture + ".png"), name + ".geo", block.group(1)))
    return found


def picture_scene(picture, scene):
    """The lines that play a scene file and picture its view at the end."""
    lines = ['import "%s"' % scene, "sleep %g" % DEMO_SECONDS] + shot(picture, VIEW_WIDTH, VIEW_HEIGHT) + ["exit"]
    return "".join(l + "\n" for l in lines)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    korimbel = os.path.join(build, "korimbel")
    found = steps(PAGE)
    found = [(k, t) for k, t in found if not t.startswith("demo-")]
    walk = [os.path.join(IMAGES, t) for k, t in found if k == "picture"]
    demos = demo_pictures()
    examples = example_pictures()
    pictures = walk + [p for p, _ in demos] + [p for p, _, _ in examples]
    os.makedirs(IMAGES, exist_ok=True)
    for p in pictures:
        if os.path.exists(p):
            os.remove(p)
    play(korimbel, script(found))
    for picture, demo in demos:
        play(korimbel, picture_scene(picture, demo))
    for picture, name, example in examples:
        play(korimbel, picture_scene(picture, name), {name: example})
    missing = [p for p in pictures if not os.path.exists(p)]
    if missing:
        sys.exit("docshots: not rendered: " + ", ".join(missing))
    for p in pictures:
        print("%s: %d bytes" % (os.path.relpath(p, ROOT), os.path.getsize(p)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
