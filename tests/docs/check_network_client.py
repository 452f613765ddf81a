"""Runs the Python client of the guide's network page against the program.

    check_network_client.py PROGRAM PAGE

Starts the program with "-net" under a virtual X server, runs the page's
block marked "python" and compares what it prints with the page's next block
marked "text".
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "net"))
from program_net import DEFAULT_PORT, START_SECONDS, connect, start, stop  # noqa: E402

# the client sleeps a second and reads once; this leaves room for a slow start
CLIENT_SECONDS = 30


def blocks(page, kind):
    with open(page, encoding="utf-8") as f:
        return re.findall(r"^```%s\n(.*?)^```" % kind, f.read(), re.S | re.M)


def main():
    program, page = sys.argv[1], sys.argv[2]
    clients, outputs = blocks(page, "python"), blocks(page, "text")
    if len(clients) != 1 or len(outputs) != 1:
        print("%s: expected one python block and one text block" % page)
        return 1
    process = start(program, "-net")
    try:
        probe = connect(DEFAULT_PORT, START_SECONDS)
        if probe is None:
            print("the program did not listen on port %d" % DEFAULT_PORT)
            return 1
        probe.socket.close()
        run = subprocess.run([sys.executable, "-c", clients[0]], capture_output=True, text=True,
                             timeout=CLIENT_SECONDS)
    finally:
        stop(process)
    if run.returncode != 0 or run.stdout != outputs[0]:
        print("the client printed:\n%s%s\nthe page says:\n%s" % (run.stdout, run.stderr, outputs[0]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
