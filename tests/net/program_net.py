"""Drives the program's command server from outside, as other programs do.

Runs the program under a virtual X server, first without the network
option (nothing listens on the default port), then with it, and talks to
it over TCP on 127.0.0.1 with plain sockets: the objects a new client
receives, assignments answered on the next tick, commands held until their
"$", packets of several commands, NUL bytes after commands, camera values
refused, several clients, dynamic statements, removed objects, clients that
flood or reset, ports opened and closed by commands, playlists named in
small letters and in capitals opened by a command, and net_close() sent
over the network. Prints the round trip of
an assignment.

The default port is one for the whole machine, and other test runs may
hold it for a while: the test waits a bounded time for it to be free, and
talks only to a port that its own program holds, as the system's tables of
sockets and of the program's open files show. When another program holds
the port all the same, the test says so and exits with SKIP_EXIT, which
ctest counts as skipped.

Usage: program_net.py PROGRAM
"""
import os
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time

HOST = "127.0.0.1"
DEFAULT_PORT = 6860
# Runs the program on a virtual X server of its own.
ON_XVFB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support", "onxvfb.sh")
# how long the program may take to start under the virtual X server
START_SECONDS = 30
# how long an answer may take: many ticks, for a loaded machine
ANSWER_SECONDS = 5
# the round trip allowed: three ticks
ROUND_TRIP_SECONDS = 0.100
# the exit code of a skipped test (the test's SKIP_RETURN_CODE)
SKIP_EXIT = 77
# how long a test waits for another program to let go of the default port:
# another test run's use of it lasts well under this
PORT_WAIT_SECONDS = 30
# the socket state "listening" in the kernel's tables of TCP sockets
LISTEN = "0A"

INITIAL = ('"autocolor" = 1.000000000000000e+00;$'
           '"camori" = 1.000000000000000e+00;$'
           '"campos" = 1.100000000000000e+01*e3;$')


class Failure(Exception):
    pass


class PortInUse(Exception):
    pass


def listening_sockets(port):
    """The sockets that listen on the port, from the kernel's tables: a
    dictionary of their inode numbers to their local addresses (an IPv6 one
    as "IPv6")."""
    found = {}
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
                found[fields[9]] = "IPv6" if v6 else socket.inet_ntoa(struct.pack("=I", int(address, 16)))
    return found


def session_sockets(process):
    """The inode numbers of the sockets that the processes of the started
    program's session (the program, its virtual X server) hold open."""
    found = set()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % pid) as f:
                # the fields after the command's name, which may hold blanks
                fields = f.read().rsplit(")", 1)[1].split()
            if int(fields[3]) != process.pid:
                continue
            for fd in os.listdir("/proc/%s/fd" % pid):
                target = os.readlink("/proc/%s/fd/%s" % (pid, fd))
                if target.startswith("socket:["):
                    found.add(target[8:-1])
        except (OSError, IndexError, ValueError):
            # a process that ended meanwhile
            continue
    return found


def holds(process, port):
    """Whether the started program listens on the port, whoever else does."""
    return bool(set(listening_sockets(port)) & session_sockets(process))


def wait_until_free(port, seconds=PORT_WAIT_SECONDS):
    """Returns once nothing listens on the port; PortInUse when something
    still does after the given time."""
    end = time.monotonic() + seconds
    while listening_sockets(port):
        if time.monotonic() > end:
            raise PortInUse("port %d stayed in use by another program for %d s" % (port, seconds))
        time.sleep(0.2)


def wait_until_listening(process, port, seconds):
    """Returns once the started program listens on the port; PortInUse when
    another program holds it, Failure when nothing listens in time."""
    end = time.monotonic() + seconds
    while True:
        listening = set(listening_sockets(port))
        if listening and listening <= session_sockets(process):
            return
        if listening:
            raise PortInUse("port %d is held by another program" % port)
        if process.poll() is not None:
            raise Failure("the program ended before it listened on port %d" % port)
        if time.monotonic() > end:
            raise Failure("nothing listens on port %d" % port)
        time.sleep(0.1)


def connect_own(process, port, seconds=START_SECONDS):
    """A client of the started program's server on the port, once it listens."""
    wait_until_listening(process, port, seconds)
    client = connect(port)
    check(client is not None, "the server on port %d accepted no connection" % port)
    return client


def check(condition, what):
    if not condition:
        raise Failure(what)


def start(program, *options):
    command = [ON_XVFB, program, *options]
    return subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)


def stop(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def connect(port, seconds=ANSWER_SECONDS):
    """A connected client, or None when nothing accepted in time."""
    end = time.monotonic() + seconds
    while True:
        try:
            s = socket.create_connection((HOST, port), timeout=1)
            s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            return Client(s)
        except OSError:
            if time.monotonic() > end:
                return None
            time.sleep(0.1)


class Client:
    def __init__(self, s):
        self.socket = s
        self.received = b""

    def send(self, text):
        self.socket.sendall(text.encode())

    def receive_through(self, text, seconds=ANSWER_SECONDS):
        """What arrived up to and including text, which is taken away."""
        want = text.encode()
        end = time.monotonic() + seconds
        while want not in self.received:
            left = end - time.monotonic()
            if left <= 0:
                raise Failure("waited for %r, received %r" % (text, self.received))
            self.socket.settimeout(left)
            try:
                data = self.socket.recv(65536)
            except socket.timeout:
                continue
            if not data:
                raise Failure("connection closed while waiting for %r" % text)
            self.received += data
        p = self.received.index(want) + len(want)
        head, self.received = self.received[:p], self.received[p:]
        return head.decode()

    def nothing_for(self, seconds):
        self.socket.settimeout(seconds)
        try:
            data = self.socket.recv(65536)
        except socket.timeout:
            return True
        self.received += data
        return False

    def closed_by_peer(self, seconds=ANSWER_SECONDS):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            self.socket.settimeout(end - time.monotonic())
            try:
                if not self.socket.recv(65536):
                    return True
            except socket.timeout:
                return False
            except ConnectionResetError:
                return True
        return False

    def reset(self):
        self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        self.socket.close()

    def close(self):
        self.socket.close()


def free_ports(n):
    """n different ports nobody listens on now."""
    held = [socket.socket() for _ in range(n)]
    for s in held:
        s.bind((HOST, 0))
    ports = [s.getsockname()[1] for s in held]
    for s in held:
        s.close()
    return ports


def without_network(program):
    process = start(program)
    try:
        # long enough for the window and many ticks
        time.sleep(3)
        check(process.poll() is None, "the program ended")
        check(not holds(process, DEFAULT_PORT), "the program listens without -net")
    finally:
        stop(process)


def with_network(program):
    process = start(program, "-net")
    try:
        a = connect_own(process, DEFAULT_PORT)
        check(a.receive_through("e3;$") == INITIAL, "the objects a new client receives")

        # an assignment answered on a following tick
        a.send("a = e1,$")
        check(a.receive_through("$") == '"a" = 1.000000000000000e+00*e1,$', "the answer to a = e1,")
        trips = []
        for k in range(2, 7):
            begin = time.monotonic()
            a.send("a = %d e1,$" % k)
            a.receive_through('"a" = %d.000000000000000e+00*e1,$' % k)
            trips.append(time.monotonic() - begin)
        print("round trip of an assignment: best %.1f ms, worst %.1f ms" % (min(trips) * 1e3, max(trips) * 1e3))
        check(min(trips) <= ROUND_TRIP_SECONDS, "round trip %.3f s" % min(trips))

        # a command waits for its "$"
        a.send("b = e2")
        check(a.nothing_for(0.3), "a command ran before its $")
        a.send(",$")
        check(a.receive_through("$") == '"b" = 1.000000000000000e+00*e2,$', "the held command")

        # two commands of one packet, in order
        a.send("x = 1;$x = x + 1,$")
        check(a.receive_through("$") == '"x" = 2.000000000000000e+00,$', "two commands in one packet")

        # a second client learns everything and then what changes
        b = connect(DEFAULT_PORT)
        every = b.receive_through('"x" = 2.000000000000000e+00,$')
        check(every == '"a" = 6.000000000000000e+00*e1,$"autocolor" = 1.000000000000000e+00;$'
              '"b" = 1.000000000000000e+00*e2,$"camori" = 1.000000000000000e+00;$'
              '"campos" = 1.100000000000000e+01*e3;$"x" = 2.000000000000000e+00,$', "every object: %r" % every)

        # a dynamic statement's results go to every client; a removed object is left out
        a.send("dynamic{d = 2 a,};$")
        for c in (a, b):
            check(c.receive_through("$") == '"d" = 1.200000000000000e+01*e1,$', "the dynamic statement")
        b.send("remove(b); a = e3,$")
        for c in (a, b):
            got = c.receive_through("*e3,$", ANSWER_SECONDS) + c.receive_through("$")
            check(got == '"a" = 1.000000000000000e+00*e3,$"d" = 2.000000000000000e+00*e3,$', "after remove: %r" % got)

        # a NUL byte is nothing, as a C client sends it after each command,
        # however the commands arrive; and an object line refuses a camera
        # that is not finite, as the console does (the names come before
        # "x", with which a later client's first entries are taken)
        def value(name, number, end=","):
            return '"%s" = %s%s$' % (name, number, end)
        rows = [
            ("".join("k%d = %d,$\0" % (i, i) for i in range(1, 11)),
             {value("k%d" % i, "%.15e" % i) for i in range(1, 11)}),
            ("n1 = 1,$\0n2 = 2,$n3 = 3,$", {value("n%d" % i, "%.15e" % i) for i in range(1, 4)}),
            ('cmd("e3ga campos [nan*e1]"); cmd("p3ga camori [nan*e0]"); w = 1,$', {value("w", "%.15e" % 1)}),
            ('cmd("e3ga campos [12*e3]"); w = 2,$',
             {value("campos", "%.15e*e3" % 12, ";"), value("w", "%.15e" % 2)}),
            ("campos = 11*e3;$", {value("campos", "%.15e*e3" % 11, ";")}),
        ]
        for sent, entries in rows:
            a.send(sent)
            for c in (a, b):
                got = set()
                while got != entries:
                    entry = c.receive_through("$")
                    check(entry in entries - got, "after %r: %r, not one of %r" % (sent, entry, entries - got))
                    got.add(entry)

        # a client that floods without "$" is dropped; one that resets goes
        flood = connect(DEFAULT_PORT)
        flood.receive_through("e3;$")
        flood.send("f" * 70000)
        check(flood.closed_by_peer(), "the flooding client was not dropped")
        gone = connect(DEFAULT_PORT)
        gone.reset()

        # ports by command: 0 and 70000 open nothing, the others do; closing
        # one of three keeps the others
        p1, p2 = free_ports(2)
        a.send("add_net_port(0); add_net_port(70000); add_net_port(%d); add_net_port(%d);$" % (p1, p2))
        c1, c2 = connect_own(process, p1, ANSWER_SECONDS), connect_own(process, p2, ANSWER_SECONDS)
        check(not holds(process, 70000 % 65536), "port 70000 opened as 4464")
        c2.receive_through('"x" = 2.000000000000000e+00,$')
        b.send("remove_net_port(%d);$" % p1)
        check(c1.closed_by_peer(), "the closed port's client")
        check(not holds(process, p1), "the closed port still listens")
        b.send("y = e1,$")
        for c in (a, b, c2):
            got = c.receive_through("$")
            check(got == '"y" = 1.000000000000000e+00*e1,$', "a server left open: %r" % got)

        # a playlist opened by a command plays its first entry, whose objects
        # every client learns, also when its names are in capitals, as a
        # file system that ignores case leaves them
        folder = tempfile.mkdtemp()
        try:
            for name, text in (("low.gpl", "play lower.geo\n"), ("lower.geo", "e3ga lower [e2]\n"),
                               ("UP.GPL", "play CAPS.GEO\n"), ("CAPS.GEO", "e3ga caps [e1]\n")):
                with open(os.path.join(folder, name), "w") as f:
                    f.write(text)
            for playlist, entry in (("low.gpl", '"lower" = 1.000000000000000e+00*e2,$'),
                                    ("UP.GPL", '"caps" = 1.000000000000000e+00*e1,$')):
                a.send('cmd("open %s");$' % os.path.join(folder, playlist))
                a.receive_through(entry)
        finally:
            shutil.rmtree(folder)

        # net_close() over the network closes every server and connection
        a.send("net_close();$")
        for c in (a, b, c2):
            check(c.closed_by_peer(), "a connection left open by net_close()")
        check(not holds(process, DEFAULT_PORT), "port 6860 after net_close()")
        time.sleep(0.3)
        check(process.poll() is None, "the program ended")
    finally:
        stop(process)


def exit_code(test, *args):
    """Runs the test with the arguments; its exit code: 0 when it passed,
    SKIP_EXIT when another program held a port it needed, 1 when it failed.
    Says why for the last two."""
    try:
        test(*args)
    except PortInUse as p:
        print("SKIPPED: %s" % p)
        return SKIP_EXIT
    except Failure as f:
        print("FAILED: %s" % f)
        return 1
    return 0


def both_ways(program):
    without_network(program)
    wait_until_free(DEFAULT_PORT)
    with_network(program)


if __name__ == "__main__":
    sys.exit(exit_code(both_ways, sys.argv[1]))
