"""Runs the Python client of the guide's network page against the program.

    check_network_client.py PROGRAM PAGE

Starts the program with "-net" under a virtual X server, checks that it
listens as the page says, on 127.0.0.1 alone, runs the page's block marked
"python" and compares what it prints with the page's next block marked
"text". The client talks to the default port: the test waits a bounded time
for the port to be free and runs the client only once its own program holds
the port; when another program holds it, the test says so and exits with
SKIP_EXIT, which ctest counts as skipped.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "net"))
from program_net import (DEFAULT_PORT, Failure, connect_own, exit_code, listening_sockets,  # noqa: E402
                         start, stop, wait_until_free)

# the client sleeps a second and reads once; this leaves room for a slow start
CLIENT_SECONDS = 30


def blocks(page, kind):
    with open(page, encoding="utf-8") as f:
        return re.findall(r"^```%s\n(.*?)^```" % kind, f.read(), re.S | re.M)


def run_client(program, client, output):
    """Runs the client against the program started with "-net"; Failure
    when it prints anything else than the output."""
    wait_until_free(DEFAULT_PORT)
    process = start(program, "-net")
    try:
        connect_own(process, DEFAULT_PORT).close()
        # the server is local: programs of other machines cannot reach it
        addresses = list(listening_sockets(DEFAULT_PORT).values())
        if addresses != ["127.0.0.1"]:
            raise Failure("the program listens on %s, not on 127.0.0.1 alone" % addresses)
        run = subprocess.run([sys.executable, "-c", client], capture_output=True, text=True, timeout=CLIENT_SECONDS)
    finally:
        stop(process)
    if run.returncode != 0 or run.stdout != output:
        raise Failure("the client printed:\n%s%s\nthe page says:\n%s" % (run.stdout, run.stderr, output))


def main():
    program, page = sys.argv[1], sys.argv[2]
    clients, outputs = blocks(page, "python"), blocks(page, "text")
    if len(clients) != 1 or len(outputs) != 1:
        print("%s: expected one python block and one text block" % page)
        return 1
    return exit_code(run_client, program, clients[0], outputs[0])


if __name__ == "__main__":
    sys.exit(main())
