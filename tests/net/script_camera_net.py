"""A script's camera translation seen from outside, over TCP.

Starts the program on a virtual X server with a script that opens a command
server on a free port, sleeps, and moves the camera by 2 e1 over two
seconds. A client on 127.0.0.1 receives campos on every tick it changes:
the camera moves in many steps, forward only, over about two seconds, and
ends exactly where the script says. The client connects only once the
program holds the port; when another program took the free port first, the
test says so and exits with SKIP_EXIT, which ctest counts as skipped.

Usage: script_camera_net.py PROGRAM
"""
import os
import re
import socket
import sys
import tempfile
import time

from program_net import HOST, START_SECONDS, Failure, connect_own, exit_code, start, stop

# the script's motion: 2 e1 over this many seconds, after a sleep of one
MOTION_SECONDS = 2.0
# the least number of steps in which the camera must be seen moving: ticks
# come 30 times a second, and a loaded machine may lose many
MIN_STEPS = 10

CAMPOS = re.compile(r'"campos" = (?:(\S+)\*e1 \+ )?1\.100000000000000e\+01\*e3;\$')


def free_port():
    s = socket.socket()
    s.bind((HOST, 0))
    port = s.getsockname()[1]
    s.close()
    return port


def main(program):
    port = free_port()
    with tempfile.TemporaryDirectory() as d:
        script = os.path.join(d, "move.geo")
        with open(script, "w") as f:
            f.write("console add_net_port(%d);\nsleep 1\ncamtrl %g [e1]\n" % (port, MOTION_SECONDS))
        process = start(program, "-f", script)
        try:
            try:
                client = connect_own(process, port)
            except Failure as f:
                return "the script opened no command server: %s" % f
            s = client.socket
            # every campos the server sends, with the time it came
            seen, received, end = [], b"", time.monotonic() + START_SECONDS
            while time.monotonic() < end and not (seen and seen[-1][1] == 2.0):
                s.settimeout(max(end - time.monotonic(), 0.01))
                try:
                    data = s.recv(65536)
                except socket.timeout:
                    break
                if not data:
                    return "the server closed the connection"
                received += data
                while b"$" in received:
                    message, received = received.split(b"$", 1)
                    m = CAMPOS.fullmatch(message.decode() + "$")
                    if m:
                        seen.append((time.monotonic(), float(m.group(1) or 0.0)))
            xs = [x for _, x in seen]
            if not xs or xs[-1] != 2.0:
                return "the camera did not arrive at 2 e1 + 11 e3: %r" % xs[-5:]
            moving = [(t, x) for t, x in seen if 0.0 < x < 2.0]
            if len(moving) < MIN_STEPS:
                return "the camera moved in %d steps, not over time: %r" % (len(moving), xs)
            if any(b < a for a, b in zip(xs, xs[1:])):
                return "the camera went back: %r" % xs
            span = seen[-1][0] - moving[0][0]
            if not 0.5 * MOTION_SECONDS <= span <= 3 * MOTION_SECONDS:
                return "the motion took %.2f s" % span
            print("campos seen in %d steps over %.2f s" % (len(moving), span))
            return None
        finally:
            stop(process)


def camera_seen(program):
    failure = main(program)
    if failure:
        raise Failure(failure)


if __name__ == "__main__":
    sys.exit(exit_code(camera_seen, sys.argv[1]))
