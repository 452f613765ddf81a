"""Runs the Python client of the guide's network page against the program.

    check_network_client.py PROGRAM PAGE

Starts the program with "-net" under a virtual X server, checks that it
listens as the page says, on 127.0.0.1 alone, runs the page's block marked
"python" and compares what it prints with the page's next block marked
"text".
"""
import os
import re
import socket
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "net"))
from program_net import DEFAULT_PORT, START_SECONDS, connect, start, stop  # noqa: E402

# the client sleeps a second and reads once; this leaves room for a slow start
CLIENT_SECONDS = 30


def blocks(page, kind):
    with open(page, encoding="utf-8") as f:
        return re.findall(r"^```%s\n(.*?)^```" % kind, f.read(), re.S | re.M)


# the socket state "listening" in the kernel's tables of TCP sockets
LISTEN = "0A"


def listening_addresses(port):
    """The local addresses of the sockets that listen on the port, from the
    kernel's tables (IPv6 ones as "IPv6")."""
    found = []
    for table, v6 in (("/proc/net/tcp", False), ("/proc/net/tcp6", True)):
        if not os.path.exists(table):
            continue
        with open(table) as f:
            for row in f.read().splitlines()[1:]:
                fields = row.split()
                address, hex_port = fields[1].split(":")
                if fields[3] != LISTEN or int(hex_port, 16) != port:
                    continue
                # the address's bytes, printed as a number of the host's order
                found.append("IPv6" if v6 else socket.inet_ntoa(struct.pack("=I", int(address, 16))))
    return found


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
        # the server is local: programs of other machines cannot reach it
        addresses = listening_addresses(DEFAULT_PORT)
        if addresses != ["127.0.0.1"]:
            print("the program listens on %s, not on 127.0.0.1 alone" % addresses)
            return 1
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
